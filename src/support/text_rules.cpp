#include "support/text_rules.h"

#include "support/utf8.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace support {
namespace {

constexpr char32_t kIdeographicSpace = 0x3000;

// Full-width forms U+FF01..U+FF5E become ASCII, the full-width space a space; every other
// character, and any byte that is not valid UTF-8, is kept as it stands.
std::string foldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const auto decoded = decodeUtf8(text, offset);
        if (!decoded) {
            folded.push_back(text[offset++]);
            continue;
        }
        if (decoded->code >= 0xFF01 && decoded->code <= 0xFF5E)
            folded.push_back(static_cast<char>(decoded->code - 0xFEE0));
        else if (decoded->code == kIdeographicSpace)
            folded.push_back(' ');
        else
            folded.append(text.substr(offset, decoded->length));
        offset += decoded->length;
    }
    return folded;
}

bool isLeadingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::int64_t textToInt(std::string_view text) {
    const std::string folded = foldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && isLeadingSpace(folded[i]))
        ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';

    // Counted towards the negative end, which reaches one further than the positive one.
    constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool beyond = false;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        const int digit = folded[i] - '0';
        if (value < (kLowest + digit) / 10) beyond = true;
        if (!beyond) value = value * 10 - digit;
    }
    if (beyond) return negative ? kLowest : std::numeric_limits<std::int64_t>::max();
    if (negative) return value;
    return value == kLowest ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::optional<std::int64_t> digitsValue(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::string numberText(long long number) {
    return std::to_string(number);
}

bool isBlank(std::string_view text) {
    for (std::size_t offset = 0; offset < text.size();) {
        const auto decoded = decodeUtf8(text, offset);
        if (!decoded) return false;
        if (decoded->code != U' ' && decoded->code != kIdeographicSpace) return false;
        offset += decoded->length;
    }
    return true;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (auto at = text.find(from); !from.empty() && at != std::string_view::npos;
         at = text.find(from, start)) {
        result.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    return result.append(text.substr(start));
}

int findText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (text.empty() || sought.empty() || start < 1 ||
        static_cast<std::size_t>(start) > text.size() + 1)
        return -1;
    for (std::size_t at = static_cast<std::size_t>(start) - 1; at + sought.size() <= text.size();
         ++at) {
        const std::string_view candidate = text.substr(at, sought.size());
        if (ignoreCase ? equalsIgnoringAsciiCase(candidate, sought) : candidate == sought)
            return static_cast<int>(at) + 1;
    }
    return -1;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return upper(x) == upper(y); });
}

} // namespace support
