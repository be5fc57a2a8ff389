// Changes the lines of one order without end, as fast as a counter could click, until it is
// killed: a dish added, its quantity raised or lowered, a line deleted, chosen at random.
// Usage: order_burst <folder of cysj.db> <seed>. Prints "ready" once the table is open.
#include "app/app.h"
#include "common/fake_desktop.h"
#include "common/screen_driver.h"
#include "program/program.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using testing_support::ScreenDriver;

void changeLinesForever(app::App& app, unsigned seed) {
    ui::Window& screen = app.orderScreen;
    ScreenDriver counter(screen);
    counter.pick("组合框_餐台", 0);
    counter.retype("组合框_人数", "4");
    counter.click("按钮_开台");
    std::puts("ready");
    std::fflush(stdout);

    std::mt19937 random(seed);
    const ui::OutlookBar& menu = screen.outlookBar("卷帘式菜单_点菜");
    const ui::ListView& lines = screen.listView("超级列表框_点菜");
    for (;;) {
        const unsigned action = random() % 4;
        if (action == 0 || lines.rowCount() == 0) {
            const int group = static_cast<int>(random() % static_cast<unsigned>(menu.groupCount()));
            if (menu.itemCount(group) == 0) continue;
            const int item =
                static_cast<int>(random() % static_cast<unsigned>(menu.itemCount(group)));
            counter.chooseGroup("卷帘式菜单_点菜", menu.groupText(group));
            counter.chooseItem("卷帘式菜单_点菜", menu.itemText(item, group));
            continue;
        }
        counter.clickRow("超级列表框_点菜",
                         static_cast<int>(random() % static_cast<unsigned>(lines.rowCount())));
        counter.click(action == 1 ? "按钮_数量加" : action == 2 ? "按钮_数量减" : "按钮_删除");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    testing_support::FakeDesktop desktop(argv[1]);
    app::App app(desktop);
    program::bindScreens(app);
    // Every message is answered at once; lowering a quantity of 1 shows one, and that is fine.
    desktop.onModal = [&](ui::Window& window) {
        if (&window == &app.loginScreen) {
            ScreenDriver login(window);
            login.pick("组合框_用户", "管理员");
            login.type("编辑框_密码", "admin");
            login.click("按钮_登录");
        } else if (&window == &app.mainWindow) {
            ScreenDriver(window).clickToolButton("工具条1", 3);
            changeLinesForever(app, static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
        }
    };
    return app.run();
}
