#include "records/export.h"

#include "records/table_file.h"
#include "support/date_time.h"
#include "support/path_text.h"
#include "support/text_rules.h"

#include <optional>

namespace records {

std::optional<std::filesystem::path> askForSpreadsheet(app::App& app, std::string_view prefix,
                                                       ui::Window& owner) {
    ui::SaveFileRequest request;
    request.proposedName = std::string(prefix) +
                           support::DateTimeText(support::toDateTime(app.desktop().clock().now())) +
                           ".xls";
    request.filter = "*.xls";
    request.filterIndex = 1;
    auto path = app.desktop().saveFileName(request, &owner);
    if (!path || path->empty()) return std::nullopt;
    if (support::findText(support::pathText(*path), ".xls", 1, true) == -1) *path += ".xls";
    return path;
}

void exportList(app::App& app, ui::Window& screen, const char* listName, std::string_view prefix,
                const std::function<std::string()>& title) {
    const ui::ListView& list = screen.listView(listName);
    if (list.rowCount() == 0) {
        app.message(screen, "当前列表无内容！", ui::kWarningBox);
        return;
    }
    const auto path = askForSpreadsheet(app, prefix, screen);
    if (!path) return;
    if (writeTableFile(*path, list, true, title()))
        app.message(screen, "保存成功！", ui::kInformationBox);
    else
        app.message(screen, "保存失败，请检查！", ui::kWarningBox);
}

void exportOrderList(app::App& app) {
    exportList(app, app.recordsScreen, "超级列表框_流水", "Veltrano_流水_",
               [] { return std::string("Veltrano_流水"); });
}

void exportSelectedOrder(app::App& app) {
    // The labels describe the order last clicked; they are read once the file is chosen.
    exportList(app, app.recordsScreen, "超级列表框_明细", "Veltrano_单台_", [&app] {
        const ui::Window& screen = app.recordsScreen;
        return "台号：" + screen.label("标签_台号").caption() + "\r\n开台时间：" +
               screen.label("标签_时间").caption() + "\r\n人数：" +
               screen.label("标签_人数").caption() + "\r\n金额：" +
               screen.label("标签_金额").caption();
    });
}

} // namespace records
