// Settles bills with the receipt printer away: the printer on the network takes the connection
// and never reads nor answers, as one switched to standby or jammed does. On the checkout screen
// of the whole program on real widgets, the cashier settles an open order; the harness times the
// click on 结账 until "结账成功！", and notes the longest wait between two turns of the screen
// thread's event loop from the click until the receipt's failure warning, which comes after the
// printer's full 10 s of waiting for an answer. The order must be settled in the file whatever
// the printer did. Runs over a copy of a generated database, offscreen unless QT_QPA_PLATFORM
// says otherwise:
//
//     bench_printing <database file> [--max-seconds-per-action N]

#include "fake_network_printer.h"
#include "harness_options.h"
#include "printing/printer_settings.h"
#include "program_on_screen.h"
#include "qt/platform/printer_factory.h"
#include "report.h"
#include "sqlite_file.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using bench::require;

// Each run waits out the printer's 10 s: a few runs show the worst wait without taking minutes.
constexpr int kRuns = 3;
// The printer's 3 s to connect and 10 s to answer, and time to spare.
constexpr qint64 kMostMillisecondsForTheWarning = 30'000;
constexpr qint64 kMostMillisecondsToSettle = 60'000;

class PrintingBench {
public:
    explicit PrintingBench(const bench::HarnessOptions& options)
        : program_(options.database, qtui::openPrinter), app_(program_.app()),
          printer_(testing_support::FakeNetworkPrinter::Behaviour::NeverReads) {}

    bool run() {
        const std::string failure = program_.runLoggedIn([this] { settleBills(); });
        if (!failure.empty()) std::cerr << "bench_printing: " << failure << '\n';
        return failure.empty();
    }

private:
    void settleBills() {
        printing::PrinterSetting receipts;
        receipts.name = "前台";
        receipts.address = "127.0.0.1";
        receipts.port = printer_.port();
        receipts.receipts = true;
        require(printing::storePrinter(app_, receipts), "the receipt printer was not stored");

        program_.chooseToolbarEntry("买单结账");
        require(app_.checkoutScreen.isOpen(), "the checkout screen did not open");
        bench::ProgramOnScreen::runEventsFor(100); // the list of open orders drawn

        std::vector<double> settles;
        double longest = 0;
        for (int run = 0; run < kRuns; ++run) {
            settles.push_back(settleOne());
            longest = std::max(longest, watch_.longestMilliseconds());
            std::cerr << "bench_printing: bill " << run + 1 << ": longest wait of the loop "
                      << watch_.longestMilliseconds() << " ms over " << watch_.ticks()
                      << " ticks\n";
        }
        std::sort(settles.begin(), settles.end());
        bench::reportTiming({"settle_printer_away", settles[settles.size() / 2], kRuns, false});
        bench::reportTiming({"settle_printer_away_longest_frame", longest, kRuns, false});
        app_.checkoutScreen.close();
    }

    // One open order settled with exactly its amount; the milliseconds from the click to the
    // message of success.
    double settleOne() {
        auto* orders = program_.child<QTableView>(app_.checkoutScreen, "超级列表框_流水");
        require(orders->model()->rowCount() > 0, "no open order is left to settle");
        const QModelIndex cell = orders->model()->index(0, 1);
        const std::string number = cell.data().toString().toStdString();
        QTest::mouseClick(orders->viewport(), Qt::LeftButton, {},
                          orders->visualRect(cell).center());
        const QString amount =
            program_.child<QLabel>(app_.checkoutScreen, "标签_金额")->text().trimmed();
        require(amount.toLongLong() > 0, "the order " + number + " shows no amount");
        auto* received = program_.child<QLineEdit>(app_.checkoutScreen, "编辑框_金额");
        received->clear();
        QTest::keyClicks(received, amount);

        auto& messages = program_.dialogs().messages;
        const std::size_t before = messages.size();
        QElapsedTimer clock;
        watch_.start();
        clock.start();
        QTest::mouseClick(program_.child<QPushButton>(app_.checkoutScreen, "按钮_结账"),
                          Qt::LeftButton);
        program_.waitUntil([&] { return messages.size() > before; }, "the settle's message",
                           kMostMillisecondsToSettle);
        const double settled = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        require(messages[before] == QString::fromUtf8("结账成功！"),
                "the bill was not settled: " + messages[before].toStdString());
        program_.waitUntil([&] { return messages.size() > before + 1; }, "the receipt's warning",
                           kMostMillisecondsForTheWarning);
        watch_.stop();
        require(messages[before + 1].startsWith(QString::fromUtf8("结账单打印失败：打印机“前台”")),
                "not the receipt's warning: " + messages[before + 1].toStdString());
        requireSettledInTheFile(number);
        return settled;
    }

    void requireSettledInTheFile(const std::string& number) {
        bench::SqliteFile file(program_.directory().database());
        bench::Statement order = file.prepare("SELECT 状态 FROM 流水 WHERE 单号 = ?");
        order.bind(1, number);
        require(order.step() && order.integer(0) == 1, "the order " + number + " is not settled");
    }

    bench::ProgramOnScreen program_;
    app::App& app_;
    testing_support::FakeNetworkPrinter printer_;
    bench::LoopWatch watch_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto options = bench::parseHarnessOptions("bench_printing", argc, argv);
    if (!options) return 2;
    try {
        PrintingBench bench(*options);
        if (!bench.run()) return 1;
    } catch (const std::exception& error) {
        std::cerr << "bench_printing: " << error.what() << '\n';
        return 1;
    }
    bench::reportPeakMemory();
    return 0;
}
