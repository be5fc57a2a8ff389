#pragma once

#include "ui/controls.h"

#include <filesystem>
#include <string_view>

namespace records {

// Writes the list as a table file in GBK, beginning with its charset declaration: an HTML table
// that spreadsheet programs open as a sheet, with a title block when the title is not empty and a
// header row when asked for. Lines end in CR LF, and "&", "<", ">" and the double quote are
// written as entities so that every cell shows its text as typed. The file is written a row at a
// time, so a list of years takes no more memory than its rows. False when the file cannot be
// created or written.
bool writeTableFile(const std::filesystem::path& path, const ui::ListView& list, bool headerRow,
                    std::string_view title);

} // namespace records
