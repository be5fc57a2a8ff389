#include "fake_network_printer.h"
#include "printing/escpos_decoder.h"
#include "qt/platform/network_printer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using testing_support::FakeNetworkPrinter;

// Short waits, so that the printer that never answers takes half a second of the suite.
const qtui::PrinterTimeouts kQuick{300, 500};

printing::Ticket aReceipt() {
    printing::Ticket ticket;
    ticket.lines = {{"老陈家常菜", printing::Align::Center, true, true}, {"合计：    ￥1276"}};
    return ticket;
}

std::optional<std::string> printOn(int port) {
    qtui::NetworkPrinter printer("127.0.0.1", port, printing::TextEncoding::Gbk, kQuick);
    return printer.print(aReceipt());
}

TEST(NetworkPrinter, APrinterThatAnswersGetsTheWholeJob) {
    FakeNetworkPrinter printer(FakeNetworkPrinter::Behaviour::Prints);
    EXPECT_EQ(printOn(printer.port()), std::nullopt);
    const auto printed = testing_support::decodeEscPos(printer.received(), "GBK");
    EXPECT_EQ(printed.faults, std::vector<std::string>{});
    ASSERT_EQ(printed.lines.size(), 2u);
    EXPECT_EQ(printed.lines[0].text, "老陈家常菜");
    EXPECT_EQ(printed.lines[1].text, "合计：    ￥1276");
    EXPECT_EQ(printed.commands.back(), "cut");
}

TEST(NetworkPrinter, EveryWayOfFailingIsReportedWithinItsTimeout) {
    EXPECT_EQ(printOn(testing_support::refusingPort()), "无法连接");
    {
        FakeNetworkPrinter silent(FakeNetworkPrinter::Behaviour::NeverReads);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(printOn(silent.port()), "打印机没有应答");
        EXPECT_LT(clock.elapsed(), kQuick.sendMilliseconds + 1000);
    }
    FakeNetworkPrinter cut(FakeNetworkPrinter::Behaviour::ClosesHalfWay);
    EXPECT_EQ(printOn(cut.port()), "连接中断");
}

} // namespace
