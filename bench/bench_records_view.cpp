// Times the records list on real widgets: 按钮_查询全部 until the list view holds every order,
// scrolling the full list to its end, and the screen closed with its full list, opened again from
// the toolbar and filled again, so that the process's peak covers two lists of every order with
// a close between them. Runs the whole program on the Qt desktop, offscreen unless
// QT_QPA_PLATFORM says otherwise, over a copy of a generated database:
//
//     bench_records_view <database file> [--max-seconds-per-action N]

#include "action_timer.h"
#include "harness_options.h"
#include "program_on_screen.h"
#include "report.h"
#include "stored_orders.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using bench::Action;
using bench::require;

// The list view learns of new rows once the handler is done, from the event loop.
constexpr int kMillisecondsToShowRows = 10'000;

class RecordsViewBench {
public:
    explicit RecordsViewBench(const bench::HarnessOptions& options)
        : program_(options.database), app_(program_.app()),
          stored_(program_.directory().database()), timer_(options.maxSecondsPerAction) {}

    // Logs in as a person would, times the list from the main window, then ends the program.
    // False, after saying why, when anything failed.
    bool run() {
        const std::string failure = program_.runLoggedIn([this] { timeTheList(); });
        if (!failure.empty()) std::cerr << "bench_records_view: " << failure << '\n';
        return failure.empty();
    }

private:
    void timeTheList() {
        openRecordsScreen();
        bench::reportTiming(timer_.time(queryAll()));
        bench::reportTiming(timer_.time(scrollToEnd()));
        bench::reportTiming(timer_.time(reopenQueryAll()));
    }

    void openRecordsScreen() {
        program_.chooseToolbarEntry("明细查询");
        QApplication::processEvents();
        require(app_.recordsScreen.isOpen(), "the records screen did not open");
    }

    // From the click to the list view holding every order. Each run starts from an empty list,
    // so that the rows counted are those of this click.
    Action queryAll() {
        return {"records_view_query_all",
                [this] {
                    app_.recordsScreen.listView("超级列表框_流水").deleteAllRows();
                    while (listedRows() != 0)
                        QApplication::processEvents();
                    expected_ = stored_.count();
                },
                [this] { showEveryOrder(); }, [this] { requireEveryOrder(); }};
    }

    Action scrollToEnd() {
        return {"records_view_scroll_to_end",
                [this] {
                    list()->scrollToTop();
                    QApplication::processEvents();
                },
                [this] {
                    list()->scrollToBottom();
                    QApplication::processEvents();
                },
                [this] {
                    const QScrollBar* bar = list()->verticalScrollBar();
                    require(bar->maximum() > 0 && bar->value() == bar->maximum(),
                            "the list did not scroll to its end");
                }};
    }

    // The screen, its list full, closed and its widgets deleted; then, timed, opened again from
    // the toolbar and 查询全部 clicked until the new list view holds every order. The screen has
    // no close button and its frameless window refuses a close from the system, so it is closed
    // through its window, as the main window closes it when the program ends.
    Action reopenQueryAll() {
        return {"records_view_reopen_query_all",
                [this] {
                    expected_ = stored_.count();
                    requireEveryOrder();
                    const QPointer<QTableView> closedList = list();
                    app_.recordsScreen.close();
                    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                    require(!app_.recordsScreen.isOpen() && closedList.isNull(),
                            "the records screen did not close with its list");
                },
                [this] {
                    openRecordsScreen();
                    showEveryOrder();
                },
                [this] { requireEveryOrder(); }};
    }

    // A mouse click on 查询全部, then the events until the list view holds the expected orders
    // (or a while has passed), and one more round of them to draw it.
    void showEveryOrder() {
        QTest::mouseClick(child<QPushButton>(app_.recordsScreen, "按钮_查询全部"), Qt::LeftButton);
        QElapsedTimer sinceClick;
        sinceClick.start();
        while (listedRows() != expected_ && sinceClick.elapsed() < kMillisecondsToShowRows)
            QApplication::processEvents();
        QApplication::processEvents(); // and drawn
    }

    void requireEveryOrder() {
        require(listedRows() == expected_, "the list view shows " + std::to_string(listedRows()) +
                                               " orders, not " + std::to_string(expected_));
    }

    QTableView* list() { return child<QTableView>(app_.recordsScreen, "超级列表框_流水"); }
    long long listedRows() { return list()->model()->rowCount(); }

    template <typename W> W* child(const ui::Window& window, const char* name) {
        return program_.child<W>(window, name);
    }

    bench::ProgramOnScreen program_;
    app::App& app_;
    bench::StoredOrders stored_;
    bench::ActionTimer timer_;
    long long expected_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto options = bench::parseHarnessOptions("bench_records_view", argc, argv);
    if (!options) return 2;
    try {
        RecordsViewBench bench(*options);
        if (!bench.run()) return 1;
    } catch (const std::exception& error) {
        std::cerr << "bench_records_view: " << error.what() << '\n';
        return 1;
    }
    bench::reportPeakMemory();
    return 0;
}
