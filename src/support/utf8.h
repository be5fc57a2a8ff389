#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace support {

// One decoded character of a UTF-8 text and the bytes it takes.
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;
};

// Decodes the character starting at `offset`. Malformed sequences, overlong forms, surrogates
// and values above U+10FFFF give nothing.
std::optional<Utf8Char> decodeUtf8(std::string_view text, std::size_t offset);

void appendUtf8(std::string& out, char32_t code);

} // namespace support
