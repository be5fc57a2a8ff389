// Times the records list on real widgets: 按钮_查询全部 until the list view holds every order,
// scrolling the full list to its end, and the screen closed with its full list, opened again from
// the toolbar and filled again, so that the process's peak covers two lists of every order with
// a close between them. Runs the whole program on the Qt desktop, offscreen unless
// QT_QPA_PLATFORM says otherwise, over a copy of a generated database:
//
//     bench_records_view <database file> [--max-seconds-per-action N]

#include "../tests/qt/scripted_dialogs.h"
#include "action_timer.h"
#include "harness_options.h"
#include "program/program.h"
#include "program_directory.h"
#include "qt/qt_desktop.h"
#include "report.h"
#include "stored_orders.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUuid>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using bench::Action;

void require(bool holds, const std::string& failure) {
    if (!holds) throw std::runtime_error(failure);
}

// The list view learns of new rows once the handler is done, from the event loop.
constexpr int kMillisecondsToShowRows = 10'000;

class RecordsViewBench {
public:
    explicit RecordsViewBench(const bench::HarnessOptions& options)
        : directory_(options.database), stored_(directory_.database()),
          timer_(options.maxSecondsPerAction),
          desktop_(dialogs_, directory_.path(),
                   QStringLiteral("VeltranoBench-") + QUuid::createUuid().toString()),
          app_(desktop_) {
        program::bindScreens(app_);
    }

    // Logs in as a person would, times the list from the main window, then ends the program.
    // False, after saying why, when anything failed.
    bool run() {
        std::string failure = "the main window never showed";
        bool typed = false;
        QElapsedTimer waiting;
        waiting.start();
        QTimer person;
        person.setInterval(20);
        const auto finish = [&](const std::string& outcome) {
            person.stop();
            failure = outcome;
            app_.mainWindow.close();
        };
        // Nothing may be thrown back into Qt's event loop: a failure ends the program instead.
        QObject::connect(&person, &QTimer::timeout, [&] {
            try {
                QWidget* login = desktop_.view(app_.loginScreen);
                QWidget* main = desktop_.view(app_.mainWindow);
                if (!typed && login && login->isVisible()) {
                    auto* password = child<QLineEdit>(app_.loginScreen, "编辑框_密码");
                    QTest::keyClicks(password, QStringLiteral("admin"));
                    QTest::keyClick(password, Qt::Key_Return);
                    typed = true;
                } else if (typed && main && main->isVisible()) {
                    person.stop();
                    timeTheList();
                    finish({});
                } else if (waiting.elapsed() > 60'000) {
                    finish("the login did not lead to the main window");
                }
            } catch (const std::exception& error) {
                finish(error.what());
            }
        });
        person.start();
        app_.run();
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
        auto* toolbar = child<QToolBar>(app_.mainWindow, "工具条1");
        for (QAction* action : toolbar->actions())
            if (action->text() == QString::fromUtf8("明细查询")) action->trigger();
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

    // The named widget of an open window.
    template <typename W> W* child(const ui::Window& window, const char* name) {
        QWidget* view = desktop_.view(window);
        W* widget = view ? view->findChild<W*>(QString::fromUtf8(name)) : nullptr;
        require(widget != nullptr, std::string("no widget ") + name + " on " + window.name());
        return widget;
    }

    bench::ProgramDirectory directory_;
    bench::StoredOrders stored_;
    bench::ActionTimer timer_;
    testing_support::ScriptedDialogs dialogs_;
    qtui::QtDesktop desktop_;
    app::App app_;
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
