// Times the backup of the database: backup::makeBackup on its own, each run into a fresh empty
// folder, then 立即备份 on the backup screen of the whole program on real widgets, while a timer
// on the screen thread notes the longest wait between two turns of its event loop. Runs over a
// copy of a generated database, offscreen unless QT_QPA_PLATFORM says otherwise:
//
//     bench_backup <database file> [--max-seconds-per-action N]

#include "action_timer.h"
#include "backup/backup_folder.h"
#include "harness_options.h"
#include "program_directory.h"
#include "program_on_screen.h"
#include "qt/platform/dialogs.h"
#include "qt/qt_desktop.h"
#include "report.h"
#include "sqlite_file.h"
#include "store/database_copy.h"
#include "store/schema.h"
#include "stored_orders.h"
#include "support/path_text.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using bench::Action;
using bench::require;

// ActionTimer stops after about 3 seconds, which on a decade is a single backup: each backup row
// is timed this many times instead, so that its median stands on several runs.
constexpr std::size_t kRuns = 5;
// A decade's backup takes seconds; a wait this long means the program hangs.
constexpr qint64 kMostMillisecondsToWait = 600'000;
// The moment the timed backups are named after: any moment does, the same one every run.
constexpr support::CalendarTime kMoment{2025, 12, 31, 23, 30, 0};

bench::Timing timeRuns(const bench::ActionTimer& timer, const Action& action) {
    bench::Timing timing;
    timing.action = action.name;
    std::vector<double> milliseconds;
    while (milliseconds.size() < kRuns && !timing.overBudget) {
        const bench::Timing run = timer.timeOnce(action);
        milliseconds.push_back(run.medianMilliseconds);
        timing.overBudget = run.overBudget;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const std::size_t middle = milliseconds.size() / 2;
    timing.medianMilliseconds = milliseconds.size() % 2 == 1
                                    ? milliseconds[middle]
                                    : (milliseconds[middle - 1] + milliseconds[middle]) / 2;
    timing.runs = static_cast<int>(milliseconds.size());
    return timing;
}

class BackupBench {
public:
    explicit BackupBench(const bench::HarnessOptions& options)
        : program_(options.database), directory_(program_.directory()),
          dialogs_(program_.dialogs()), app_(program_.app()),
          orders_(bench::StoredOrders(directory_.database()).count()),
          timer_(options.maxSecondsPerAction) {}

    // The backup on its own, then the program: the administrator logs in, opens the backup screen
    // from the toolbar's settings menu, backs up with the button, closes the screen, and the
    // program ends. False, after saying why, when anything failed.
    bool run() {
        try {
            const std::filesystem::path folder = directory_.file("timed");
            bench::reportTiming(timeRuns(timer_, makeBackup(folder)));
            std::filesystem::remove_all(folder);
            prepareScreenBackups();
        } catch (const std::exception& error) {
            std::cerr << "bench_backup: " << error.what() << '\n';
            return false;
        }
        return runProgram();
    }

private:
    // From the call to the backup checked and named; the progress is noted as the program notes
    // it, a call per step.
    Action makeBackup(const std::filesystem::path& folder) {
        return {"backup_make",
                [this, folder] {
                    std::filesystem::remove_all(folder);
                    std::filesystem::create_directory(folder);
                    outcome_ = {};
                    copied_ = total_ = 0;
                },
                [this, folder] {
                    outcome_ = backup::makeBackup(directory_.database(), folder, kMoment,
                                                  [this](int copied, int total) {
                                                      copied_ = copied;
                                                      total_ = total;
                                                  });
                },
                [this, folder] {
                    require(outcome_.file.has_value(), "the backup failed: " + outcome_.failure);
                    require(total_ > 0 && copied_ == total_, "the progress ended at " +
                                                                 std::to_string(copied_) + " of " +
                                                                 std::to_string(total_) + " pages");
                    requireTheOnlyBackup(folder, *outcome_.file);
                }};
    }

    // The backup is alone in its folder (nothing left beside it under a temporary name), and holds
    // every order of the database.
    void requireTheOnlyBackup(const std::filesystem::path& folder,
                              const std::filesystem::path& file) {
        const auto entries = std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator());
        const std::vector<backup::BackupFile> listed = backup::listBackups(folder);
        require(entries == 1 && listed.size() == 1 && listed.front().path == file,
                "the folder does not hold the backup alone: " + support::pathText(folder));
        const auto rows = store::countRows(file, store::schema::orders::kTable);
        require(rows && *rows == orders_, "the backup holds " +
                                              (rows ? std::to_string(*rows) : "no readable") +
                                              " orders, not " + std::to_string(orders_));
    }

    // The screen's backups go to a folder of their own, and the day's automatic backup is off:
    // left on, the program would back up at start while the administrator logs in, and the
    // button would meet a folder holding today's backup, or a backup still running. The settings
    // table is made here when the generated file predates it; the program would add the same.
    void prepareScreenBackups() {
        std::filesystem::create_directory(screenFolder());
        bench::SqliteFile file(directory_.database());
        namespace settings = store::schema::programSettings;
        file.execute(std::string("CREATE TABLE IF NOT EXISTS ") + settings::kTable + " (" +
                     settings::kName + " TEXT PRIMARY KEY, " + settings::kValue + " TEXT)");
        bench::Statement store =
            file.prepare(std::string("INSERT OR REPLACE INTO ") + settings::kTable + " (" +
                         settings::kName + ", " + settings::kValue + ") VALUES (?, ?)");
        const std::pair<const char*, std::string> values[] = {
            {"备份目录", support::pathText(screenFolder())},
            {"备份保留天数", "30"},
            {"每日自动备份", "0"}};
        for (const auto& [name, value] : values) {
            store.bind(1, name);
            store.bind(2, value);
            store.run();
        }
    }

    std::filesystem::path screenFolder() const { return directory_.file("screen-backups"); }

    bool runProgram() {
        const std::string failure = program_.runLoggedIn([this] {
            const std::string screenFailure = backUpFromTheScreen();
            if (!screenFailure.empty()) throw std::runtime_error(screenFailure);
        });
        if (!failure.empty()) std::cerr << "bench_backup: " << failure << '\n';
        return failure.empty();
    }

    // 系统设置 on the toolbar pops up the settings menu and waits in it, then in the modal
    // backup screen chosen from it, until the screen closes: the work on the screen is done by
    // another timer from inside those loops. Gives what failed, "" when nothing did.
    std::string backUpFromTheScreen() {
        std::string failure = "the backup screen never opened";
        bool opened = false;
        QElapsedTimer waiting;
        waiting.start();
        QTimer person;
        person.setInterval(20);
        // Nothing may be thrown back into Qt's event loop: a failure closes the screen instead.
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                const QList<QAction*> actions = menu->actions();
                const auto item = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
                    return action->text() == QString::fromUtf8("备份与恢复");
                });
                if (item == actions.end()) {
                    person.stop();
                    failure = "the settings menu has no 备份与恢复";
                    menu->close();
                    return;
                }
                menu->setActiveAction(*item);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
            QWidget* screen = program_.desktop().view(app_.backupScreen);
            if (screen && screen->isVisible()) {
                person.stop();
                opened = true;
                try {
                    timeTheScreen();
                    failure.clear();
                    QTest::mouseClick(child<QPushButton>(app_.backupScreen, "按钮_关闭"),
                                      Qt::LeftButton);
                } catch (const std::exception& error) {
                    failure = error.what();
                    app_.backupScreen.close();
                }
            } else if (waiting.elapsed() > 60'000) {
                person.stop();
            }
        });
        person.start();
        program_.chooseToolbarEntry("系统设置");
        person.stop();
        if (opened && app_.backupScreen.isOpen()) return "the backup screen did not close";
        return failure;
    }

    void timeTheScreen() {
        // The listing the screen starts as it opens reads an empty folder: let it end first.
        runEventsFor(300);
        bench::reportTiming(timeRuns(timer_, backUpNow()));
        bench::reportTiming({"backup_screen_longest_gap", longestGap_, gapRuns_, false});
    }

    // From the click on 立即备份 to the message that the backup succeeded, the copy made on a
    // worker thread meanwhile. The watch runs from just before the click until the screen lists
    // the new backup, so that the progress shown, the message and the list filled again are all
    // within it.
    Action backUpNow() {
        return {"backup_screen_backup",
                [this] {
                    app_.backupScreen.listView("超级列表框_备份").deleteAllRows();
                    for (const backup::BackupFile& file : backup::listBackups(screenFolder()))
                        std::filesystem::remove(file.path);
                    runEventsFor(50); // the emptied list drawn
                    require(std::filesystem::is_empty(screenFolder()),
                            "the backup folder is not empty");
                    require(listedBackups(
                                *child<QTableView>(app_.backupScreen, "超级列表框_备份")) == 0,
                            "the list of backups is not empty");
                    messagesBefore_ = dialogs_.messages.size();
                    percentsSeen_.clear();
                },
                [this] {
                    auto* button = child<QPushButton>(app_.backupScreen, "按钮_立即备份");
                    require(button->isEnabled(), "立即备份 is disabled");
                    const QPointer<QProgressBar> bar =
                        child<QProgressBar>(app_.backupScreen, "进度条_备份");
                    watch_.start([this, bar] {
                        if (bar) notePercent(bar->value());
                    });
                    QTest::mouseClick(button, Qt::LeftButton);
                    waitUntil([this] { return dialogs_.messages.size() > messagesBefore_; },
                              "the backup's message");
                },
                [this] { checkScreenBackup(); }};
    }

    void checkScreenBackup() {
        const QString told = dialogs_.messages.at(messagesBefore_);
        const QString success = QString::fromUtf8("备份成功：");
        require(told.startsWith(success), "the backup was not made: " + told.toStdString());
        const QByteArray path = told.mid(success.size()).toUtf8();
        const std::filesystem::path file(std::u8string(path.begin(), path.end()));
        const auto moment = backup::backupMoment(support::pathText(file.filename()));
        require(moment.has_value(), "the backup has no backup's name: " + support::pathText(file));
        const std::string orders = std::to_string(orders_);
        const QPointer<QTableView> list = child<QTableView>(app_.backupScreen, "超级列表框_备份");
        waitUntil(
            [&] {
                return list && listedBackups(*list) == 1 &&
                       listedText(*list, 0, 1) == support::sortableMoment(*moment) &&
                       listedText(*list, 0, 3) == orders;
            },
            "the backup listed with " + orders + " orders");
        watch_.stop();
        longestGap_ = std::max(longestGap_, watch_.longestMilliseconds());
        ++gapRuns_;
        std::cerr << "bench_backup: screen backup " << gapRuns_ << ": longest wait of the loop "
                  << watch_.longestMilliseconds() << " ms over " << watch_.ticks()
                  << " ticks; progress seen at " << percentsSeen_.size() << " values\n";

        require(child<QProgressBar>(app_.backupScreen, "进度条_备份")->value() == 100,
                "the progress bar did not end at 100");
        require(dialogs_.messages.size() == messagesBefore_ + 1,
                "more than one message: " + dialogs_.messages.back().toStdString());
        requireTheOnlyBackup(screenFolder(), file);
    }

    void notePercent(int percent) {
        if (std::find(percentsSeen_.begin(), percentsSeen_.end(), percent) == percentsSeen_.end())
            percentsSeen_.push_back(percent);
    }

    static int listedBackups(const QTableView& list) { return list.model()->rowCount(); }
    static std::string listedText(const QTableView& list, int row, int column) {
        const QAbstractItemModel* model = list.model();
        return model->data(model->index(row, column)).toString().toStdString();
    }

    void waitUntil(const std::function<bool()>& done, const std::string& what) {
        program_.waitUntil(done, what, kMostMillisecondsToWait);
    }
    static void runEventsFor(int milliseconds) {
        bench::ProgramOnScreen::runEventsFor(milliseconds);
    }
    template <typename W> W* child(const ui::Window& window, const char* name) {
        return program_.child<W>(window, name);
    }

    bench::ProgramOnScreen program_;
    bench::ProgramDirectory& directory_;
    bench::NotingDialogs& dialogs_;
    app::App& app_;
    long long orders_;
    bench::ActionTimer timer_;
    bench::LoopWatch watch_;
    backup::BackupOutcome outcome_;
    int copied_ = 0;
    int total_ = 0;
    std::size_t messagesBefore_ = 0;
    std::vector<int> percentsSeen_;
    double longestGap_ = 0;
    int gapRuns_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto options = bench::parseHarnessOptions("bench_backup", argc, argv);
    if (!options) return 2;
    try {
        BackupBench bench(*options);
        if (!bench.run()) return 1;
    } catch (const std::exception& error) {
        std::cerr << "bench_backup: " << error.what() << '\n';
        return 1;
    }
    bench::reportPeakMemory();
    return 0;
}
