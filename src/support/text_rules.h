#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace support {

// A typed or stored text as a whole number: full-width characters are folded to their half-width
// forms, leading spaces skipped, then an optional sign and the digits that follow are read.
// Anything after the digits is ignored ("12.5" gives 12, "3人" gives 3); no digits give 0; a number
// beyond the 64-bit range gives the nearest end of that range.
std::int64_t textToInt(std::string_view text);

// The number a text of ASCII digits and nothing else gives; nothing for any other text (the empty
// one, a sign, a space, a full-width digit) and for a number beyond the 64-bit range.
std::optional<std::int64_t> digitsValue(std::string_view text);

// Plain decimal with a leading "-" when negative.
std::string numberText(long long number);

// Nothing is left once every ASCII space and every full-width space (U+3000) is removed.
bool isBlank(std::string_view text);

// Every occurrence of `from` (not empty) replaced by `to`, left to right.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// The 1-based byte position of the first occurrence of `sought` at or after `start` (1-based, at
// most the text's length plus 1), or -1; with `ignoreCase` ASCII letters match either case. An
// empty text or sought text gives -1.
int findText(std::string_view text, std::string_view sought, int start = 1,
             bool ignoreCase = false);

// Equal when ASCII letters are compared without regard to case; every other byte must match.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace support
