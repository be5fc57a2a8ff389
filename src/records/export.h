#pragma once

#include "app/app.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace records {

// The records screen's two exports to a spreadsheet file: the whole order list, and the lines of
// the order last clicked under a title block.
void exportOrderList(app::App& app);
void exportSelectedOrder(app::App& app);

// Asks where to save a spreadsheet, proposing the prefix and the moment as the name; a name
// without ".xls" anywhere in it gets it appended. Nothing when the dialog was cancelled.
std::optional<std::filesystem::path> askForSpreadsheet(app::App& app, std::string_view prefix,
                                                       ui::Window& owner);

} // namespace records
