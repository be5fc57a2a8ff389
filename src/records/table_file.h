#pragma once

#include "ui/controls.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace records {

// The lines of a table file for the list: an HTML table that spreadsheet programs open as a
// sheet, with a title block when the title is not empty and a header row when asked for. The
// text is UTF-8 here; lines end in CR LF, and "&", "<", ">" and the double quote are written as
// entities so that every cell shows its text as typed.
std::string tableFileText(const ui::ListView& list, bool headerRow, std::string_view title);

// Writes the table file in GBK, beginning with its charset declaration; false when the file
// cannot be created or written.
bool writeTableFile(const std::filesystem::path& path, const ui::ListView& list, bool headerRow,
                    std::string_view title);

} // namespace records
