// Times what a person at the counter does, through the program's own screens and handlers on a
// fake desktop (no widgets), over a copy of a generated database:
//
//     bench_desk <database file> [--max-seconds-per-action N] [--first-query all|date]
//     bench_desk --server <configuration file> [--max-seconds-per-action N] [--first-query …]
//
// With --server, the orders are on the PostgreSQL server the file's [database] section names,
// in the database veltrano-db copied them into; the program works on a fresh copy of that
// database made on the server, as a counter whose veltrano.conf names it, and every check reads
// the server. The same actions run on both engines: none of them needs the file itself.
//
// The administrator logs in; then each action is timed as action_timer.h describes and reported
// as report.h shows, in the order of a working day: take an order, settle one, look back over the
// records, delete orders from the lists of the records screen, open the day close page and read
// back every past close, build a receipt, and at the end work out the business report of a month
// and of a year.
//
// With --first-query, the records screen is opened and only its first query is timed, once:
// 查询全部 as query_all_first, or 查询时间 for the month of the last orders as
// query_by_date_first. The first query of a process is slower than the ones after it, so each
// gets a fresh process.

#include "action_timer.h"
#include "common/fake_desktop.h"
#include "common/screen_driver.h"
#include "dayclose/day_figures.h"
#include "harness_options.h"
#include "printing/escpos.h"
#include "printing/receipt.h"
#include "printing/receipt_source.h"
#include "program/program.h"
#include "program_directory.h"
#include "report.h"
#include "reports/report_period.h"
#include "server_database.h"
#include "stored_orders.h"
#include "support/date_time.h"
#include "support/text_rules.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::Action;
using testing_support::ScreenDriver;

void require(bool holds, const std::string& failure) {
    if (!holds) throw std::runtime_error(failure);
}

// An order number, yyyyMMddHHmmss, back to its moment.
support::CalendarTime momentOf(const std::string& number) {
    require(number.size() == 14, "no order number in the database");
    const auto part = [&](std::size_t at, std::size_t length) {
        return std::stoi(number.substr(at, length));
    };
    return {part(0, 4), part(4, 2), part(6, 2), part(8, 2), part(10, 2), part(12, 2)};
}

support::CalendarTime secondsLater(const support::CalendarTime& moment, int seconds) {
    return *support::toCalendarTime(support::toDateTime(moment) + seconds / 86400.0);
}

class DeskBench {
public:
    explicit DeskBench(const bench::HarnessOptions& options)
        : server_(options.serverConfig.empty()
                      ? nullptr
                      : std::make_unique<bench::ServerDatabase>(options.serverConfig)),
          directory_(server_ ? bench::ProgramDirectory()
                             : bench::ProgramDirectory(options.database)),
          stored_(server_ ? bench::StoredOrders(server_->setting())
                          : bench::StoredOrders(directory_.database())),
          timer_(options.maxSecondsPerAction), firstQuery_(options.firstQuery),
          desktop_(directory_.path()), app_(desktop_) {
        if (server_) engine_ = server_->setting();
        // The program reads where its data is from veltrano.conf at start, beside it before
        // /etc/veltrano: a file of its own here keeps a setting of the machine out of the run.
        std::ofstream config(directory_.file("veltrano.conf"));
        config << bench::configurationText(engine_);
        require(static_cast<bool>(config.flush()), "cannot write veltrano.conf");
        app_.databaseSetting = engine_;
        if (server_)
            std::cerr << "bench_desk: on " << engine_.describe() << ", a copy of "
                      << server_->original() << " made on the server in "
                      << server_->secondsToCopy() << " s\n";
        program::bindScreens(app_);
        // Tables opened here come after every stored order, one second apart.
        now_ = secondsLater(momentOf(stored_.latestNumber()), 60);
    }

    // Logs in, runs every action from the main window (or the first query alone), then ends the
    // program. False, after saying why, when an action failed or the login did.
    bool run() {
        std::string failure = "the main window never opened";
        desktop_.onModal = [&](ui::Window& window) {
            if (&window == &app_.loginScreen) return logIn();
            if (&window != &app_.mainWindow) return;
            try {
                failure.clear();
                require(app_.databaseSetting.engine == engine_.engine &&
                            app_.databaseSetting.database == engine_.database,
                        "the program took its data from " + app_.databaseName() + ", not from " +
                            engine_.describe());
                if (firstQuery_.empty()) {
                    for (const Action& action : actions())
                        bench::reportTiming(timer_.time(action));
                } else {
                    timeFirstQuery();
                }
            } catch (const std::exception& error) {
                failure = error.what();
            }
            window.close();
        };
        app_.run();
        if (!failure.empty()) std::cerr << "bench_desk: " << failure << '\n';
        // What the day close rows worked on, for the log: their times depend on it.
        if (pageBills_ >= 0)
            std::cerr << "bench_desk: the day close page counted " << pageBills_
                      << " bills since the last close\n";
        if (closesListed_ >= 0)
            std::cerr << "bench_desk: " << closesListed_ << " day closes listed\n";
        return failure.empty();
    }

private:
    std::vector<Action> actions() {
        return {openOrderScreen(),
                openTable(),
                addDish(),
                raiseQuantity(),
                lowerQuantity(),
                deleteLine(),
                switchOrder(),
                openCheckoutScreen(),
                settle(),
                openRecordsScreen(),
                queryAll(),
                exportList(),
                queryByDate(),
                queryByNumber(),
                showOrderLines(),
                deleteOrder(),
                deleteOrderAfterQueryAll(),
                deleteOrderAfterQueryByDate(),
                openDayCloseScreen(),
                listDayCloses(),
                buildReceipt(),
                report("report_month", 30),
                report("report_year", 365)};
    }

    void timeFirstQuery() {
        const Action open = openRecordsScreen();
        open.act();
        open.check();
        Action query = firstQuery_ == "all" ? queryAll() : queryByDate();
        query.name += "_first";
        bench::reportTiming(timer_.timeOnce(query));
    }

    void logIn() {
        ScreenDriver login(app_.loginScreen);
        login.pick("组合框_用户", "管理员");
        login.type("编辑框_密码", "admin");
        login.click("按钮_登录");
        if (app_.loginScreen.isOpen()) login.click("按钮_取消");
    }

    // ----- The order screen -----

    Action openOrderScreen() {
        return {"open_order_screen", [this] { app_.orderScreen.close(); },
                [this] { ScreenDriver(app_.mainWindow).clickToolButton("工具条1", 3); },
                [this] {
                    require(app_.orderScreen.isOpen() &&
                                order().comboBox("组合框_切换").itemCount() == stored_.openCount(),
                            "the order screen did not list the open orders");
                }};
    }

    Action openTable() {
        auto table = std::make_shared<std::string>();
        return {"open_table",
                [this, table] {
                    *table = freeTable();
                    now_ = secondsLater(now_, 1);
                    desktop_.fakeClock.set(now_);
                    desktop_.messages.clear();
                },
                [this, table] {
                    ScreenDriver counter(order());
                    counter.pick("组合框_餐台", *table);
                    counter.retype("组合框_人数", "4");
                    counter.click("按钮_开台");
                },
                [this, table] {
                    expectMessage("开台成功！");
                    require(order().label("标签_当前操作").caption() == *table,
                            "the opened table " + *table + " is not the current one");
                }};
    }

    Action addDish() {
        auto rows = std::make_shared<int>();
        auto dish = std::make_shared<MenuItem>();
        return {"add_dish",
                [this, rows, dish] {
                    *dish = dishNotOnTheOrder();
                    *rows = orderLines().rowCount();
                },
                [this, dish] { chooseDish(*dish); },
                [this, rows] {
                    require(orderLines().rowCount() == *rows + 1, "the dish was not added");
                }};
    }

    Action raiseQuantity() {
        auto quantity = std::make_shared<std::int64_t>();
        return {"raise_quantity",
                [this, quantity] {
                    ScreenDriver(order()).clickRow("超级列表框_点菜", 0);
                    *quantity = firstLineQuantity();
                },
                [this] { ScreenDriver(order()).click("按钮_数量加"); },
                [this, quantity] {
                    require(firstLineQuantity() == *quantity + 1, "the quantity was not raised");
                }};
    }

    Action lowerQuantity() {
        auto quantity = std::make_shared<std::int64_t>();
        return {"lower_quantity",
                [this, quantity] {
                    ScreenDriver counter(order());
                    counter.clickRow("超级列表框_点菜", 0);
                    if (firstLineQuantity() < 2) counter.click("按钮_数量加");
                    *quantity = firstLineQuantity();
                },
                [this] { ScreenDriver(order()).click("按钮_数量减"); },
                [this, quantity] {
                    require(firstLineQuantity() == *quantity - 1, "the quantity was not lowered");
                }};
    }

    Action deleteLine() {
        auto rows = std::make_shared<int>();
        return {"delete_line",
                [this, rows] {
                    chooseDish(dishNotOnTheOrder());
                    *rows = orderLines().rowCount();
                    ScreenDriver(order()).clickRow("超级列表框_点菜", *rows - 1);
                },
                [this] { ScreenDriver(order()).click("按钮_删除"); },
                [this, rows] {
                    require(orderLines().rowCount() == *rows - 1, "the line was not deleted");
                }};
    }

    // Back and forth between two open tables of the stored history.
    Action switchOrder() {
        auto table = std::make_shared<std::string>();
        return {"switch_order",
                [this, table] {
                    const ui::ComboBox& open = order().comboBox("组合框_切换");
                    const std::string current = order().label("标签_当前操作").caption();
                    *table = open.itemText(open.itemText(0) == current ? 1 : 0);
                },
                [this, table] {
                    ScreenDriver counter(order());
                    counter.pick("组合框_切换", *table);
                    counter.click("按钮_切换");
                },
                [this, table] {
                    const std::string number = order().label("标签_单号").caption();
                    require(order().label("标签_当前操作").caption() == *table &&
                                orderLines().rowCount() == stored_.lineCount(number),
                            "the switch did not show the lines of " + *table);
                }};
    }

    // ----- The checkout screen -----

    Action openCheckoutScreen() {
        return {"open_checkout_screen", [this] { app_.checkoutScreen.close(); },
                [this] { ScreenDriver(app_.mainWindow).clickToolButton("工具条1", 4); },
                [this] {
                    require(app_.checkoutScreen.isOpen() &&
                                checkout().listView("超级列表框_流水").rowCount() ==
                                    stored_.openCount(),
                            "the checkout screen did not list the open orders");
                }};
    }

    // The cashier clicks the first open order and types the amount received; settling refills
    // the checkout list and the open order screen.
    Action settle() {
        auto number = std::make_shared<std::string>();
        return {"settle",
                [this, number] {
                    ScreenDriver cashier(checkout());
                    cashier.clickRow("超级列表框_流水", 0);
                    *number = checkout().listView("超级列表框_流水").cellText(0, 1);
                    cashier.retype("编辑框_金额", "1000");
                    desktop_.messages.clear();
                },
                [this] { ScreenDriver(checkout()).click("按钮_结账"); },
                [this, number] {
                    expectMessage("结账成功！");
                    require(stored_.settled(*number), "order " + *number + " was not settled");
                }};
    }

    // ----- The records screen -----

    Action openRecordsScreen() {
        return {
            "open_records_screen", [this] { app_.recordsScreen.close(); },
            [this] { ScreenDriver(app_.mainWindow).clickToolButton("工具条1", 6); },
            [this] { require(app_.recordsScreen.isOpen(), "the records screen did not open"); }};
    }

    Action queryAll() {
        return {"query_all",
                {},
                [this] { ScreenDriver(records()).click("按钮_查询全部"); },
                [this] {
                    require(listedOrders().rowCount() == stored_.count(),
                            "not every order was listed");
                }};
    }

    // The list of every order, as the query before left it, to a new file each run.
    Action exportList() {
        auto file = std::make_shared<std::filesystem::path>();
        auto run = std::make_shared<int>();
        return {"export_list",
                [this, file, run] {
                    require(listedOrders().rowCount() == stored_.count(),
                            "the list to export is not the list of every order");
                    *file = directory_.file("list" + std::to_string(++*run) + ".xls");
                    desktop_.saveAnswers.push_back(*file);
                    desktop_.messages.clear();
                },
                [this] { ScreenDriver(records()).click("按钮_流水导出"); },
                [this, file] {
                    expectMessage("保存成功！");
                    require(std::filesystem::file_size(*file) > 0, "the export is empty");
                    std::filesystem::remove(*file);
                }};
    }

    // The month of the last stored orders.
    Action queryByDate() {
        return {"query_by_date", [this] { chooseLastMonth(); },
                [this] { ScreenDriver(records()).click("按钮_查询时间"); },
                [this] {
                    require(listedOrders().rowCount() ==
                                stored_.countInMonth(now_.year, now_.month),
                            "the month's orders were not listed");
                }};
    }

    // An order from the middle of the history.
    Action queryByNumber() {
        auto number = std::make_shared<std::string>();
        return {"query_by_number",
                [this, number] {
                    *number = stored_.numberAt(stored_.count() / 2);
                    ScreenDriver(records()).retype("编辑框_单号", *number);
                },
                [this] { ScreenDriver(records()).click("按钮_查询单号"); },
                [this, number] {
                    require(listedOrders().rowCount() == 1 &&
                                listedOrders().cellText(0, 1) == *number,
                            "order " + *number + " was not found");
                }};
    }

    // A click on the order the number query found.
    Action showOrderLines() {
        return {"show_order_lines",
                [this] { require(listedOrders().rowCount() == 1, "no order to click"); },
                [this] { ScreenDriver(records()).clickRow("超级列表框_流水", 0); },
                [this] {
                    const std::string number = listedOrders().cellText(0, 1);
                    require(records().listView("超级列表框_明细").rowCount() ==
                                stored_.lineCount(number),
                            "the lines of order " + number + " were not shown");
                }};
    }

    // A middle order, found by its number and selected with the keyboard; the deletion is
    // confirmed, and the screen repeats the number query, which no longer finds it.
    Action deleteOrder() {
        auto number = std::make_shared<std::string>();
        return {"delete_order",
                [this, number] {
                    *number = stored_.numberAt(stored_.count() / 2);
                    ScreenDriver clerk(records());
                    clerk.retype("编辑框_单号", *number);
                    clerk.click("按钮_查询单号");
                    require(listedOrders().rowCount() == 1, "order " + *number + " not found");
                    records().listView("超级列表框_流水").userSelect({0});
                    desktop_.messageAnswers.push_back(ui::kOk);
                },
                [this] { ScreenDriver(records()).click("按钮_删除"); },
                [this, number] {
                    require(!stored_.exists(*number) && stored_.lineCount(*number) == 0,
                            "order " + *number + " was not deleted with its lines");
                }};
    }

    // The middle order of the list of every order, selected with the keyboard, deleted; the
    // screen repeats its query, which lists every order but that one.
    Action deleteOrderAfterQueryAll() {
        auto number = std::make_shared<std::string>();
        auto ordersBefore = std::make_shared<long long>();
        return {"delete_order_after_query_all",
                [this, number, ordersBefore] {
                    ScreenDriver(records()).click("按钮_查询全部");
                    *ordersBefore = stored_.count();
                    require(listedOrders().rowCount() == *ordersBefore,
                            "not every order was listed");
                    *number = selectMiddleOrder();
                },
                [this] { ScreenDriver(records()).click("按钮_删除"); },
                [this, number, ordersBefore] {
                    expectDeleted(*number);
                    require(stored_.count() == *ordersBefore - 1 &&
                                listedOrders().rowCount() == stored_.count(),
                            "the list does not hold every order left");
                }};
    }

    // The same from the list of the month of the last orders.
    Action deleteOrderAfterQueryByDate() {
        auto number = std::make_shared<std::string>();
        auto monthBefore = std::make_shared<long long>();
        return {"delete_order_after_query_by_date",
                [this, number, monthBefore] {
                    chooseLastMonth();
                    ScreenDriver(records()).click("按钮_查询时间");
                    *monthBefore = stored_.countInMonth(now_.year, now_.month);
                    require(listedOrders().rowCount() == *monthBefore,
                            "the month's orders were not listed");
                    *number = selectMiddleOrder();
                },
                [this] { ScreenDriver(records()).click("按钮_删除"); },
                [this, number, monthBefore] {
                    expectDeleted(*number);
                    const long long month = stored_.countInMonth(now_.year, now_.month);
                    require(month == *monthBefore - 1 && listedOrders().rowCount() == month,
                            "the list does not hold the month's orders left");
                }};
    }

    // ----- The day close screen -----

    // 日结 on the toolbar: the page of everything since the last close, up to the clock (the last
    // day's bills, with those settled and deleted above), and the list of every close.
    Action openDayCloseScreen() {
        auto until = std::make_shared<std::string>();
        return {"open_day_close_screen",
                [this, until] {
                    app_.dayCloseScreen.close();
                    now_ = secondsLater(now_, 1);
                    desktop_.fakeClock.set(now_);
                    *until = support::sortableMoment(now_);
                },
                [this] { ScreenDriver(app_.mainWindow).clickToolButton("工具条1", 9); },
                [this, until] {
                    require(app_.dayCloseScreen.isOpen(), "the day close screen did not open");
                    const std::string from = stored_.lastCloseEnd();
                    require(pageValue("开始") == (from.empty() ? "首次日结" : from) &&
                                pageValue("结束") == *until,
                            "the page is not the period since the last close");
                    const auto since = stored_.settledBetween(from, *until);
                    require(pageValue("结账单数") == support::numberText(since.bills) &&
                                pageValue("应收合计") == support::numberText(since.due) + " 元",
                            "the page shows " + pageValue("结账单数") + " bills, not the " +
                                std::to_string(since.bills) + " settled since the last close");
                    const long long closes = stored_.closeCount();
                    require(pastCloses().rowCount() == closes &&
                                (closes == 0 ||
                                 pastCloses().cellText(0, 0) ==
                                     "Z" + support::numberText(stored_.lastCloseNumber())),
                            "the screen does not list every close, the newest first");
                    pageBills_ = since.bills;
                }};
    }

    // Every close read back, the newest first, as the screen lists them when it opens.
    Action listDayCloses() {
        using Closes = std::optional<std::vector<dayclose::DayClose>>;
        auto closes = std::make_shared<Closes>();
        return {"list_day_closes", [closes] { closes->reset(); },
                [this, closes] { *closes = dayclose::listCloses(app_); },
                [this, closes] {
                    require(closes->has_value(), "the closes could not be read");
                    const std::vector<dayclose::DayClose>& list = **closes;
                    const long long count = stored_.closeCount();
                    long long bills = 0;
                    bool newestFirst = true;
                    for (std::size_t place = 0; place < list.size(); ++place) {
                        newestFirst = newestFirst &&
                                      list[place].number == count - static_cast<long long>(place);
                        bills += list[place].figures.bills;
                    }
                    require(static_cast<long long>(list.size()) == count && newestFirst &&
                                bills == stored_.billsOnCloses(),
                            "the list is not every close, Z" + std::to_string(count) +
                                " down to Z1, with its bills");
                    closesListed_ = static_cast<long long>(list.size());
                }};
    }

    // A settled order's receipt for 80 mm paper: read from the database, laid out, and turned
    // into the printer's bytes, as the print after a settle and 补打 do before sending.
    Action buildReceipt() {
        auto number = std::make_shared<std::string>();
        auto bytes = std::make_shared<std::string>();
        auto lines = std::make_shared<std::size_t>(0);
        return {"build_receipt",
                [this, number, bytes] {
                    *number = stored_.numberAt(stored_.count() / 3);
                    bytes->clear();
                },
                [this, number, bytes, lines] {
                    const auto receipt = printing::readReceipt(app_, *number);
                    if (!receipt) return;
                    *lines = receipt->lines.size();
                    *bytes = printing::escPosBytes(
                        printing::receiptTicket(printing::readRestaurant(app_), *receipt,
                                                printing::ReceiptKind::Receipt,
                                                printing::kWideColumns),
                        printing::TextEncoding::Gb18030);
                },
                [this, number, bytes, lines] {
                    require(!bytes->empty() &&
                                static_cast<long long>(*lines) == stored_.lineCount(*number),
                            "the receipt of " + *number + " is not its order with its lines");
                }};
    }

    // 营业报表 for the `days` business days before the one of the last orders, asked for as two
    // dates and worked out from the click on 查询 to the summary and the breakdown shown (the
    // fake desktop does the work off the screen thread at once).
    Action report(const char* name, int days) {
        auto expected = std::make_shared<bench::StoredOrders::Settled>();
        return {name,
                [this, days, expected] {
                    if (!app_.reportsScreen.isOpen())
                        ScreenDriver(app_.mainWindow).clickToolButton("工具条1", 10);
                    const int last = reports::businessDay(now_, 5) - 1;
                    ScreenDriver(app_.reportsScreen).pick("组合框_期间", "自定义");
                    app_.reportsScreen.datePicker("日期框1").userChoose(last - days + 1);
                    app_.reportsScreen.datePicker("日期框2").userChoose(last);
                    app_.reportsScreen.listView("超级列表框_概况").deleteAllRows();
                    *expected =
                        stored_.settledInNumbers(reports::firstNumberOf(last - days + 1, 5),
                                                 reports::numberPast({last - days + 1, last}, 5));
                },
                [this] { ScreenDriver(app_.reportsScreen).click("按钮_查询"); },
                [this, expected] {
                    const ui::ListView& summary = app_.reportsScreen.listView("超级列表框_概况");
                    require(summary.rowCount() == 5 &&
                                summary.cellText(0, 1) == support::numberText(expected->bills) &&
                                summary.cellText(2, 1) == support::numberText(expected->due) &&
                                app_.reportsScreen.chart("图表_分析").points().size() > 0,
                            "the report does not show the " + std::to_string(expected->bills) +
                                " orders and " + std::to_string(expected->due) +
                                " yuan of its period");
                }};
    }

    // ----- Helpers -----

    struct MenuItem {
        std::string group;
        std::string text;
    };

    ui::Window& order() { return app_.orderScreen; }
    ui::Window& checkout() { return app_.checkoutScreen; }
    ui::Window& records() { return app_.recordsScreen; }
    ui::ListView& orderLines() { return order().listView("超级列表框_点菜"); }
    ui::ListView& listedOrders() { return records().listView("超级列表框_流水"); }
    ui::ListView& pastCloses() { return app_.dayCloseScreen.listView("超级列表框_日结"); }

    // The value beside the item on the day close page, "" when the page has no such row.
    std::string pageValue(std::string_view item) {
        const ui::ListView& page = app_.dayCloseScreen.listView("超级列表框_本次");
        for (int row = 0; row < page.rowCount(); ++row)
            if (page.cellText(row, 0) == item) return page.cellText(row, 1);
        return {};
    }

    // The month of the last stored orders, from its first day to its last, in the date pickers.
    void chooseLastMonth() {
        const support::DateTime first = support::toDateTime({now_.year, now_.month, 1});
        const bool december = now_.month == 12;
        const support::DateTime last = support::toDateTime({december ? now_.year + 1 : now_.year,
                                                            december ? 1 : now_.month + 1, 1}) -
                                       1;
        records().datePicker("日期框1").userChoose(first);
        records().datePicker("日期框2").userChoose(last);
    }

    // Selects the middle row of the order list with the keyboard and readies OK as the answer to
    // the question before deleting; gives the order's number.
    std::string selectMiddleOrder() {
        const int middle = listedOrders().rowCount() / 2;
        listedOrders().userSelect({middle});
        desktop_.messageAnswers.push_back(ui::kOk);
        return listedOrders().cellText(middle, 1);
    }

    void expectDeleted(const std::string& number) {
        require(!stored_.exists(number) && stored_.lineCount(number) == 0,
                "order " + number + " was not deleted with its lines");
    }

    std::int64_t firstLineQuantity() { return support::textToInt(orderLines().cellText(0, 4)); }

    // The first dining table without an open order.
    std::string freeTable() {
        const ui::ComboBox& tables = order().comboBox("组合框_餐台");
        const ui::ComboBox& open = order().comboBox("组合框_切换");
        for (int table = 0; table < tables.itemCount(); ++table) {
            bool isOpen = false;
            for (int item = 0; item < open.itemCount(); ++item)
                isOpen = isOpen || open.itemText(item) == tables.itemText(table);
            if (!isOpen) return tables.itemText(table);
        }
        throw std::runtime_error("every dining table is open");
    }

    // The next dish of the menu, in menu order, that the current order does not hold yet.
    MenuItem dishNotOnTheOrder() {
        const ui::OutlookBar& menu = order().outlookBar("卷帘式菜单_点菜");
        for (int group = 0; group < menu.groupCount(); ++group) {
            for (int item = 0; item < menu.itemCount(group); ++item) {
                const std::string text = menu.itemText(item, group);
                const std::string name = text.substr(0, text.find('/'));
                bool ordered = false;
                for (int row = 0; row < orderLines().rowCount(); ++row)
                    ordered = ordered || orderLines().cellText(row, 2) == name;
                if (!ordered) return {menu.groupText(group), text};
            }
        }
        throw std::runtime_error("the order already holds every dish");
    }

    void chooseDish(const MenuItem& dish) {
        ScreenDriver counter(order());
        counter.chooseGroup("卷帘式菜单_点菜", dish.group);
        counter.chooseItem("卷帘式菜单_点菜", dish.text);
    }

    void expectMessage(const std::string& text) {
        const std::string shown = desktop_.messages.empty() ? "none" : desktop_.messages[0].text;
        require(desktop_.messages.size() == 1 && shown == text,
                "expected the message " + text + ", saw " + shown);
    }

    // Before everything that uses it, so that the copy on the server goes last.
    std::unique_ptr<bench::ServerDatabase> server_;
    bench::ProgramDirectory directory_;
    bench::StoredOrders stored_;
    store::DatabaseSetting engine_;
    bench::ActionTimer timer_;
    std::string firstQuery_;
    testing_support::FakeDesktop desktop_;
    app::App app_;
    support::CalendarTime now_;
    long long pageBills_ = -1;
    long long closesListed_ = -1;
};

} // namespace

int main(int argc, char** argv) {
    const auto options =
        bench::parseHarnessOptions("bench_desk", argc, argv, {"all", "date"}, true);
    if (!options) return 2;
    try {
        DeskBench bench(*options);
        if (!bench.run()) return 1;
    } catch (const std::exception& error) {
        std::cerr << "bench_desk: " << error.what() << '\n';
        return 1;
    }
    bench::reportPeakMemory();
    return 0;
}
