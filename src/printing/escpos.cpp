#include "printing/escpos.h"

#include "support/utf8.h"

#include <cstdint>
#include <iconv.h>

namespace printing {
namespace {

constexpr char kEsc = 0x1B;
constexpr char kFs = 0x1C;
constexpr char kGs = 0x1D;

// One character converted by iconv into the encoding; nothing when it has no place there.
std::optional<std::string> convertOne(iconv_t converter, std::string_view character) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string input(character);
    char out[16];
    char* inPtr = input.data();
    std::size_t inLeft = input.size();
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    return std::string(out, sizeof out - outLeft);
}

} // namespace

std::string_view encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Gb18030:
        return "GB18030";
    case TextEncoding::Gbk:
        return "GBK";
    case TextEncoding::Utf8:
        return "UTF-8";
    }
    return "GB18030";
}

std::optional<TextEncoding> encodingNamed(std::string_view name) {
    for (const TextEncoding encoding :
         {TextEncoding::Gb18030, TextEncoding::Gbk, TextEncoding::Utf8})
        if (encodingName(encoding) == name) return encoding;
    return std::nullopt;
}

std::string encodeText(std::string_view utf8, TextEncoding encoding) {
    std::string out;
    if (encoding == TextEncoding::Utf8) {
        for (std::size_t offset = 0; offset < utf8.size();) {
            const auto decoded = support::decodeUtf8(utf8, offset);
            out += decoded ? std::string(utf8.substr(offset, decoded->length)) : "?";
            offset += decoded ? decoded->length : 1;
        }
        return out;
    }
    const std::string name(encodingName(encoding));
    const iconv_t converter = iconv_open(name.c_str(), "UTF-8");
    const bool usable = converter != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto decoded = support::decodeUtf8(utf8, offset);
        const std::size_t length = decoded ? decoded->length : 1;
        const auto bytes =
            decoded && usable ? convertOne(converter, utf8.substr(offset, length)) : std::nullopt;
        out += bytes ? *bytes : "?";
        offset += length;
    }
    if (usable) iconv_close(converter);
    return out;
}

std::string escPosBytes(const Ticket& ticket, TextEncoding encoding) {
    std::string bytes{kEsc, '@'};
    if (encoding != TextEncoding::Utf8) bytes += std::string{kFs, '&'};
    for (const TicketLine& line : ticket.lines) {
        bytes += std::string{kEsc, 'a',
                             static_cast<char>(line.align == Align::Left     ? 0
                                               : line.align == Align::Center ? 1
                                                                             : 2)};
        bytes += std::string{kEsc, 'E', static_cast<char>(line.bold ? 1 : 0)};
        bytes += std::string{kGs, '!', static_cast<char>(line.large ? 0x11 : 0x00)};
        bytes += encodeText(line.text, encoding);
        bytes += '\n';
    }
    bytes += std::string{kEsc, 'E', 0, kGs, '!', 0, kEsc, 'a', 0};
    if (ticket.cut) bytes += std::string{kEsc, 'd', 4, kGs, 'V', 1};
    // Pin 2, on for 50 ms and off for 250 ms: the usual drawer's kick.
    if (ticket.openDrawer) bytes += std::string{kEsc, 'p', 0, 25, static_cast<char>(125)};
    return bytes;
}

} // namespace printing
