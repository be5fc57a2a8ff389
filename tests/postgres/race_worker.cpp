// One counter of a race: the whole program on a fake desktop, its data on the tests' server,
// doing one kind of work as fast as it can while other processes do the same. It prints what it
// did, for the test to add up against what the server holds.
//
//     race_worker open <socket folder> <database> <count>
//         opens the tables T000, T001, … one after the other; prints "opened N refused M".
//     race_worker lines <socket folder> <database> <count> <seed>
//         makes that many changes on the orders of 大厅01..大厅03; prints one line
//         "<table> <dish> <net quantity>" for each line it changed.

#include "app/app_fixture.h"
#include "program/program.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

using testing_support::ScreenDriver;

const char* const kDishes[][2] = {{"热菜", "鱼香肉丝/28元"},
                                  {"主食", "米饭/2元"},
                                  {"凉菜", "拍黄瓜/12元"},
                                  {"酒水", "青岛啤酒/8元"}};

std::string nameOf(const std::string& menuItem) {
    return menuItem.substr(0, menuItem.find('/'));
}

struct Worker {
    Worker(const std::string& folder, const std::string& database) : app(desktop) {
        app.databaseSetting.engine = store::Engine::Postgres;
        app.databaseSetting.host = folder;
        app.databaseSetting.user = "veltrano";
        app.databaseSetting.database = database;
        program::bindScreens(app);
    }

    std::size_t messages() const { return desktop.messages.size(); }
    ScreenDriver order() { return ScreenDriver(app.orderScreen); }

    testing_support::FakeDesktop desktop;
    app::App app;
    std::deque<testing_support::Login> logins{{"管理员", "admin"}};
};

void openTables(Worker& worker, int count) {
    int opened = 0;
    int refused = 0;
    for (int i = 0; i < count; ++i) {
        char table[16];
        std::snprintf(table, sizeof table, "T%03d", i);
        // Both counters' clocks show the same second for the same table: only its winner numbers
        // an order in it.
        worker.desktop.fakeClock.set({2023, 1, 1, 10, i / 60, i % 60});
        const std::size_t before = worker.messages();
        worker.order().pick("组合框_餐台", std::string(table));
        worker.order().retype("组合框_人数", "2");
        worker.order().click("按钮_开台");
        const std::string said = worker.desktop.messages.at(before).text;
        if (said == "开台成功！")
            ++opened;
        else if (said == "您要开的台号已开或未结账，请更换台号！")
            ++refused;
        else
            std::fprintf(stderr, "unexpected: %s\n", said.c_str());
    }
    std::printf("opened %d refused %d\n", opened, refused);
}

void changeLines(Worker& worker, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::map<std::pair<std::string, std::string>, int> net;
    ui::ListView& list = worker.app.orderScreen.listView("超级列表框_点菜");
    for (int i = 0; i < count; ++i) {
        const std::string table = "大厅0" + std::to_string(1 + random() % 3);
        worker.order().pick("组合框_切换", table);
        worker.order().click("按钮_切换");
        const auto& dish = kDishes[random() % 4];
        const std::string name = nameOf(dish[1]);
        int row = -1;
        for (int r = 0; r < list.rowCount(); ++r)
            if (list.cellText(r, 2) == name) row = r;
        const std::size_t before = worker.messages();
        int change = 0;
        if (row < 0) {
            worker.order().chooseGroup("卷帘式菜单_点菜", dish[0]);
            worker.order().chooseItem("卷帘式菜单_点菜", dish[1]);
            change = 1;
        } else {
            change = random() % 3 == 0 ? -1 : 1;
            worker.order().clickRow("超级列表框_点菜", row);
            worker.order().click(change > 0 ? "按钮_数量加" : "按钮_数量减");
        }
        if (worker.messages() == before) net[{table, name}] += change;
    }
    for (const auto& [line, quantity] : net)
        std::printf("%s %s %d\n", line.first.c_str(), line.second.c_str(), quantity);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) return 2;
    const std::string mode = argv[1];
    Worker worker(argv[2], argv[3]);
    const int count = std::stoi(argv[4]);
    const unsigned seed = argc > 5 ? static_cast<unsigned>(std::stoul(argv[5])) : 1;
    testing_support::runProgram(worker.app, worker.desktop, worker.logins, [&] {
        ScreenDriver(worker.app.mainWindow).clickToolButton("工具条1", 3);
        if (mode == "open")
            openTables(worker, count);
        else
            changeLines(worker, count, seed);
    });
    return 0;
}
