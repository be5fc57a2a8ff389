#include "support/gbk.h"

#include "support/utf8.h"

#include <cstdint>
#include <iconv.h>
#include <vector>

// iconv is part of the C library on Linux and comes as libiconv elsewhere; one dependency-free
// path serves both the conversion and the "can GBK hold it" test, which is a conversion attempt.

namespace support {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (isValid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view in, std::size_t maxOutPerInByte) const {
        if (!isValid()) return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * maxOutPerInByte, '\0');
        std::string input(in);
        char* inPtr = input.data();
        std::size_t inLeft = input.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    bool isValid() const {
        return handle_ != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
    }
    iconv_t handle_;
};

enum class HeldByGbk : std::uint8_t { Unknown, Yes, No };

const Converter& toGbk() {
    thread_local const Converter converter("GBK", "UTF-8");
    return converter;
}

const Converter& fromGbk() {
    thread_local const Converter converter("UTF-8", "GBK");
    return converter;
}

} // namespace

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    // A GBK character never takes more bytes than its UTF-8 form.
    return toGbk().convert(utf8, 1);
}

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    // The single byte 0x80 (the euro sign) grows to three bytes; nothing grows more.
    return fromGbk().convert(gbk, 3);
}

bool isGbkText(std::string_view utf8) {
    // GBK keeps no state from one character to the next, so a text converts exactly when each of
    // its characters does; each character of the basic plane is asked of the converter once.
    // Years of orders pass through here at every read, so ASCII is skipped byte by byte and only
    // the other characters are decoded.
    thread_local std::vector<HeldByGbk> knownCharacters(0x10000, HeldByGbk::Unknown);
    std::vector<HeldByGbk>& known = knownCharacters;
    const auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
    for (std::size_t offset = 0; offset < utf8.size();) {
        const unsigned char lead = byteAt(offset);
        if (lead < 0x80) {
            ++offset;
            continue;
        }
        // Chinese characters take three bytes: those are decoded here, anything else by the
        // full decoder.
        char32_t code = 0;
        std::size_t length = 3;
        if ((lead & 0xF0) == 0xE0 && offset + 2 < utf8.size() &&
            (byteAt(offset + 1) & 0xC0) == 0x80 && (byteAt(offset + 2) & 0xC0) == 0x80) {
            code = static_cast<char32_t>((lead & 0x0F) << 12 | (byteAt(offset + 1) & 0x3F) << 6 |
                                         (byteAt(offset + 2) & 0x3F));
            if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return false;
        } else {
            const auto decoded = decodeUtf8(utf8, offset);
            if (!decoded || decoded->length > 3) return false;
            code = decoded->code;
            length = decoded->length;
        }
        HeldByGbk& held = known[code];
        if (held == HeldByGbk::Unknown)
            held = utf8ToGbk(utf8.substr(offset, length)) ? HeldByGbk::Yes : HeldByGbk::No;
        if (held == HeldByGbk::No) return false;
        offset += length;
    }
    return true;
}

} // namespace support
