#include "support/pattern_matcher.h"

#include "support/text_rules.h"
#include "support/utf8.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <regex>

namespace support {
namespace {

// A UTF-8 text as wide characters, remembering where each character's bytes start so that
// character positions can be reported as byte offsets.
struct WideText {
    std::wstring chars;
    std::vector<std::size_t> byteOffsets; // one per character, plus the end

    explicit WideText(std::string_view utf8) {
        std::size_t offset = 0;
        while (offset < utf8.size()) {
            const auto decoded = decodeUtf8(utf8, offset);
            const char32_t code = decoded ? decoded->code : U'\uFFFD';
            if constexpr (sizeof(wchar_t) == 2) {
                if (code > 0xFFFF) {
                    push(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)), offset);
                    push(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)), offset);
                } else {
                    push(static_cast<wchar_t>(code), offset);
                }
            } else {
                push(static_cast<wchar_t>(code), offset);
            }
            offset += decoded ? decoded->length : 1;
        }
        byteOffsets.push_back(utf8.size());
    }

private:
    void push(wchar_t c, std::size_t offset) {
        chars.push_back(c);
        byteOffsets.push_back(offset);
    }
};

std::string toUtf8(std::wstring_view wide) {
    std::string out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t code = static_cast<char32_t>(wide[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size()) {
                code =
                    0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
            }
        }
        appendUtf8(out, code);
    }
    return out;
}

} // namespace

struct PatternMatcher::Expression {
    std::string pattern;
    bool global = true;
    std::optional<std::wregex> regex; // none when the pattern does not compile
};

bool PatternMatcher::Run(std::string_view pattern, std::string_view target, bool caseSensitive,
                         bool multiLine, bool global, bool quotePlaceholder) {
    expression_.reset();
    matches_.reset();

    auto expression = std::make_shared<Expression>();
    expression->pattern =
        quotePlaceholder ? replaceAll(std::string(pattern), "#引号", "\"") : std::string(pattern);
    expression->global = global;
    auto flags = std::regex_constants::ECMAScript;
    if (!caseSensitive) flags |= std::regex_constants::icase;
    if (multiLine) flags |= std::regex_constants::multiline;
    try {
        expression->regex.emplace(WideText(expression->pattern).chars, flags);
    } catch (const std::regex_error&) {
    }
    expression_ = expression;
    target_ = std::string(target);
    if (!expression->regex) return false;

    const WideText wide(target_);
    auto matches = std::make_shared<std::vector<Match>>();
    try {
        for (std::wsregex_iterator it(wide.chars.begin(), wide.chars.end(), *expression->regex),
             end;
             it != end; ++it) {
            Match match;
            for (std::size_t g = 0; g < it->size(); ++g) {
                const auto& group = (*it)[g];
                Span found;
                found.matched = group.matched;
                if (group.matched) {
                    const auto first = static_cast<std::size_t>(group.first - wide.chars.begin());
                    const auto last = static_cast<std::size_t>(group.second - wide.chars.begin());
                    found.offset = wide.byteOffsets[first];
                    found.length = wide.byteOffsets[last] - found.offset;
                }
                match.push_back(found);
            }
            matches->push_back(std::move(match));
            if (!global) break;
        }
    } catch (const std::regex_error&) {
        return false;
    }
    matches_ = std::move(matches);
    return true;
}

std::string PatternMatcher::PatternText() const {
    return expression_ ? expression_->pattern : std::string();
}

std::string PatternMatcher::ReplaceMatches(std::string_view replacement) const {
    if (!expression_ || !expression_->regex) return {};
    auto flags = std::regex_constants::format_default;
    if (!expression_->global) flags |= std::regex_constants::format_first_only;
    try {
        return toUtf8(std::regex_replace(WideText(target_).chars, *expression_->regex,
                                         WideText(replacement).chars, flags));
    } catch (const std::regex_error&) {
        return {};
    }
}

int PatternMatcher::MatchCount() const {
    return matches_ ? static_cast<int>(matches_->size()) : 0;
}

const PatternMatcher::Span* PatternMatcher::span(int n, int k) const {
    if (!matches_ || n < 1 || static_cast<std::size_t>(n) > matches_->size()) return nullptr;
    const Match& match = (*matches_)[static_cast<std::size_t>(n - 1)];
    if (k < 0 || static_cast<std::size_t>(k) >= match.size()) return nullptr;
    return &match[static_cast<std::size_t>(k)];
}

std::string PatternMatcher::spanText(const Span* found, int* position) const {
    const bool present = found && found->matched;
    if (position) *position = present ? static_cast<int>(found->offset) : -1;
    return present ? target_.substr(found->offset, found->length) : std::string();
}

std::string PatternMatcher::MatchText(int n, int* position) const {
    return spanText(span(n, 0), position);
}

std::string PatternMatcher::SubMatchText(int n, int k, int* position) const {
    return spanText(k >= 1 ? span(n, k) : nullptr, position);
}

int PatternMatcher::SubMatchCount() const {
    if (!matches_ || matches_->empty()) return 0;
    return static_cast<int>(matches_->front().size()) - 1;
}

std::string KeepDigits(std::string_view text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

} // namespace support
