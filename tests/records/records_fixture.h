#pragma once

#include "app/app_fixture.h"

#include <string>
#include <vector>

namespace testing_support {

// Four orders of October and November 2022, the first with three lines, on the records screen.
class RecordsTest : public AppTest {
protected:
    RecordsTest();

    ui::Window& screen() { return app.recordsScreen; }
    ScreenDriver clerk() { return person(app.recordsScreen); }
    void openRecordsScreen() { person(app.mainWindow).clickToolButton("工具条1", 6); }
    void pickDates(const support::CalendarTime& first, const support::CalendarTime& last);

    const ui::ListView& orderList() { return screen().listView("超级列表框_流水"); }
    const ui::ListView& lineList() { return screen().listView("超级列表框_明细"); }
    std::string caption(const char* label) { return screen().label(label).caption(); }
    // Column 1 of every row of the order list.
    std::vector<std::string> listedNumbers();
    // The four totals under the list: guests, amount, settled, unsettled.
    std::vector<std::string> totals();
};

} // namespace testing_support
