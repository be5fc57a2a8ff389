#pragma once

#include "app/app.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The records screen's two exports to a spreadsheet file: the whole order list, and the lines of
// the order last clicked under a title block.
void exportOrderList(app::App& app);
void exportSelectedOrder(app::App& app);

// The screen's list to a spreadsheet file with a header row: "当前列表无内容！" for an empty list,
// else the file asked for with the prefix as its proposed name, the title (read once the file is
// chosen) above the rows, and the outcome told.
void exportList(app::App& app, ui::Window& screen, const char* listName, std::string_view prefix,
                const std::function<std::string()>& title);

// Asks where to save a spreadsheet, proposing the prefix and the moment as the name; a name
// without ".xls" anywhere in it gets it appended. Nothing when the dialog was cancelled.
std::optional<std::filesystem::path> askForSpreadsheet(app::App& app, std::string_view prefix,
                                                       ui::Window& owner);

} // namespace records
