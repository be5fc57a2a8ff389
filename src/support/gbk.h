#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace support {

// The program's texts are UTF-8; what crosses to users' files and to the database is limited to
// what GBK, the code page of a Chinese Windows desktop, can hold.

// True when the text is valid UTF-8 of one to three bytes a character and GBK can represent every
// character of it.
bool isGbkText(std::string_view utf8);

// Both give nothing when a character cannot be converted.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(std::string_view gbk);

} // namespace support
