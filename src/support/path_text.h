#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace support {

// A path as the program's text (UTF-8) and back, the same on every system: a path's native
// string is the ANSI code page on Windows.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view utf8);

} // namespace support
