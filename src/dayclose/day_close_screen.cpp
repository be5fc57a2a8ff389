#include "dayclose/day_close_screen.h"

#include "app/permissions.h"
#include "app/work_screens.h"
#include "dayclose/day_figures.h"
#include "records/export.h"
#include "support/checked_math.h"
#include "support/date_time.h"
#include "support/text_rules.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dayclose {
namespace {

// What the screen holds between its handlers: the page since the last close, and every close.
struct ScreenState {
    std::optional<DayFigures> current;
    std::vector<DayClose> closes;
};

ui::Window& screenOf(app::App& app) {
    return app.dayCloseScreen;
}

void warn(app::App& app, std::string_view text) {
    app.message(screenOf(app), text, ui::kWarningBox);
}

std::string yuan(std::int64_t amount) {
    return support::numberText(amount) + " 元";
}

// The page's rows: the period and its orders, the ways of paying, the drawer, what is still open
// and what was deleted. A stored close adds the drawer as counted and who closed it.
void showPage(app::App& app, const std::string& heading, const DayFigures& day,
              const DayClose* stored) {
    ui::Window& screen = screenOf(app);
    screen.label("标签_页面").setCaption(heading);
    ui::ListView& page = screen.listView("超级列表框_本次");
    page.deleteAllRows();
    ui::ListView::RowBurst rows(page);
    const auto row = [&](std::string_view item, const std::string& value) {
        rows.add({item, value});
    };
    row("开始", day.from.empty() ? "首次日结" : day.from);
    row("结束", day.until);
    row("首单", day.firstOrder);
    row("末单", day.lastOrder);
    row("结账单数", support::numberText(day.bills));
    row("人数", support::numberText(day.guests));
    row("应收合计", yuan(day.due));
    for (std::size_t way = 0; way < kWayCount; ++way)
        row(kWays[way], yuan(day.dueByWay[way]));
    row("现金实收", yuan(day.cashReceived));
    row("现金找零", yuan(day.cashChange));
    row("备用金", yuan(day.openingFloat));
    row("应有现金", yuan(day.expectedCash));
    if (stored) {
        row("实点现金", yuan(stored->countedCash));
        row("差额", yuan(stored->difference));
        row("留备用金", yuan(stored->nextFloat));
    }
    row("未结台数", support::numberText(day.openOrders));
    row("未结金额", yuan(day.openAmount));
    row("删除单数", support::numberText(day.deletedOrders));
    row("删除金额", yuan(day.deletedAmount));
    if (stored) {
        row("日结人", stored->closedBy);
        row("日结时间", stored->closedAt);
    }
}

// "Z12": how a close is named on the screen and on its page.
std::string zNumber(std::int64_t number) {
    return "Z" + support::numberText(number);
}

std::string now(app::App& app) {
    return support::sortableMoment(app.desktop().clock().now());
}

void showDifference(app::App& app, const ScreenState& state) {
    ui::Window& screen = screenOf(app);
    const std::string counted = screen.editBox("编辑框_实点现金").content();
    const auto amount = support::digitsValue(counted);
    std::string text;
    if (state.current && amount) {
        if (const auto difference =
                support::checkedDifference(*amount, state.current->expectedCash))
            text = support::numberText(*difference);
    }
    screen.label("标签_差额").setCaption(text);
}

// The page of everything since the last close, up to now.
void showCurrentPage(app::App& app, ScreenState& state) {
    const ComputedDay day = computeDay(app, now(app));
    state.current = day.figures;
    if (!day.figures) {
        screenOf(app).listView("超级列表框_本次").deleteAllRows();
        showDifference(app, state);
        return app.reportFailure(screenOf(app), "日结数据计算失败：" + day.failure + "，请检查！");
    }
    showPage(app, "本次日结", *day.figures, nullptr);
    showDifference(app, state);
}

void fillHistory(app::App& app, ScreenState& state) {
    ui::ListView& list = screenOf(app).listView("超级列表框_日结");
    list.deleteAllRows();
    auto closes = listCloses(app);
    if (!closes) return app.reportFailure(screenOf(app), app::kReadFailed);
    state.closes = std::move(*closes);
    ui::ListView::RowBurst rows(list);
    for (const DayClose& close : state.closes)
        rows.add({zNumber(close.number), close.closedAt, support::numberText(close.figures.bills),
                  support::numberText(close.figures.due), support::numberText(close.difference),
                  close.closedBy});
}

void open(app::App& app, ScreenState& state) {
    app::placeOverMainWindow(app, screenOf(app));
    app::applyGates(app, screenOf(app));
    showCurrentPage(app, state);
    fillHistory(app, state);
}

void confirm(app::App& app, ScreenState& state) {
    ui::Window& screen = screenOf(app);
    const auto counted = support::digitsValue(screen.editBox("编辑框_实点现金").content());
    if (!counted) return warn(app, "请正确输入实点现金！");
    const std::string floatText = screen.editBox("编辑框_备用金").content();
    const auto nextFloat =
        floatText.empty() ? std::optional<std::int64_t>(0) : support::digitsValue(floatText);
    if (!nextFloat) return warn(app, "请正确输入备用金！");
    showCurrentPage(app, state);
    if (!state.current) return;
    if (state.current->openOrders > 0 &&
        app.message(screen,
                    "还有" + support::numberText(state.current->openOrders) +
                        "张单未结账，它们将计入下次日结。确定现在日结吗？",
                    ui::kQuestionOkCancel) != ui::kOk)
        return;

    const ClosedDay closed = closeDay(app, now(app), *counted, *nextFloat);
    if (!closed.close)
        return app.reportFailure(screen, "日结失败：" + closed.failure + "，请检查！");
    const std::string z = zNumber(closed.close->number);
    screen.editBox("编辑框_实点现金").setContent("");
    screen.editBox("编辑框_备用金").setContent("");
    fillHistory(app, state);
    state.current.reset();
    showPage(app, "日结 " + z, closed.close->figures, &*closed.close);
    app.message(screen, "日结成功：" + z + "！", ui::kInformationBox);
    if (app.backUpNow) app.backUpNow();
}

// A past close's page, shown again as it was stored.
void showChosenClose(app::App& app, ScreenState& state) {
    const int row = screenOf(app).listView("超级列表框_日结").selectedRow();
    if (row < 0 || row >= static_cast<int>(state.closes.size()))
        return warn(app, "请选择要查看的日结！");
    const DayClose& close = state.closes[static_cast<std::size_t>(row)];
    state.current.reset();
    showDifference(app, state);
    showPage(app, "日结 " + zNumber(close.number), close.figures, &close);
}

void exportPage(app::App& app) {
    ui::Window& screen = screenOf(app);
    const std::string heading = screen.label("标签_页面").caption();
    records::exportList(app, screen, "超级列表框_本次", "Veltrano_" + heading + "_",
                        [heading] { return "Veltrano_" + heading; });
}

} // namespace

void bindDayCloseScreen(app::App& app) {
    auto state = std::make_shared<ScreenState>();
    ui::WindowDef& def = screenOf(app).definition();
    def.on.created = [&app, state] { open(app, *state); };
    def.control("编辑框_实点现金").on.contentChanged = [&app, state] {
        showDifference(app, *state);
    };
    def.control("按钮_刷新").on.clicked = [&app, state] { showCurrentPage(app, *state); };
    def.control("按钮_确认日结").on.clicked = [&app, state] { confirm(app, *state); };
    def.control("按钮_查看").on.clicked = [&app, state] { showChosenClose(app, *state); };
    def.control("按钮_导出").on.clicked = [&app] { exportPage(app); };
}

} // namespace dayclose
