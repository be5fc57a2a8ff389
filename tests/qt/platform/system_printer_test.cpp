#include "qt/platform/printer_factory.h"
#include "qt/platform/system_printer.h"
#include "qt/platform/ticket_painter.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

printing::Ticket aReceipt(int columns) {
    printing::Ticket ticket;
    ticket.lines.push_back({"老陈家常菜", printing::Align::Center, true, true});
    ticket.lines.push_back({"结账单", printing::Align::Center, true, false});
    printing::addPair(ticket, "桌号：A01", "单号：20261231194236", columns);
    printing::addPair(ticket, "宫保鸡丁 2 x 28", "￥56", columns);
    printing::addPair(ticket, "Coca Cola 1 x 5", "￥5", columns);
    ticket.lines.push_back({"合计：￥61", printing::Align::Right, true, false});
    ticket.lines.push_back({"谢谢惠顾，欢迎再来", printing::Align::Center});
    return ticket;
}

// The words of each line that has any, the way a reader of the page sees them. The font draws
// some characters with the glyph of a radical of the same look ("老" and "⽼"), which a reader
// of the file may name by the radical: the compatibility form names both the same.
std::vector<QString> wordsOfLines(const QString& text) {
    std::vector<QString> lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString words = line.normalized(QString::NormalizationForm_KC).simplified();
        if (!words.isEmpty()) lines.push_back(words);
    }
    return lines;
}

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(SystemPrinter, APrintedTicketReadsBackLineForLineFromItsPdf) {
    QTemporaryDir folder;
    const auto pdf = std::filesystem::path(folder.path().toStdString()) / "receipt.pdf";
    const printing::Ticket ticket = aReceipt(48);
    auto printer = qtui::SystemPrinter::toPdfFile(pdf, 48, 80);
    ASSERT_EQ(printer.print(ticket), std::nullopt);

    const QString file = QString::fromStdString(pdf.string());
    std::vector<QString> expected;
    for (const printing::TicketLine& line : ticket.lines)
        expected.push_back(QString::fromStdString(line.text)
                               .normalized(QString::NormalizationForm_KC)
                               .simplified());
    EXPECT_EQ(wordsOfLines(runTool("pdftotext", {"-layout", file, "-"})), expected);

    // One page as wide as the roll, however long the ticket.
    const QString info = runTool("pdfinfo", {file});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    const auto size = QRegularExpression("Page size:\\s+([0-9.]+) x").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble() / 72 * 25.4, 80, 0.5);
}

TEST(SystemPrinter, APrinterTheSystemDoesNotKnowIsReportedByName) {
    printing::PrinterSetting setting;
    setting.name = "办公室";
    setting.link = printing::PrinterLink::System;
    setting.address = "no-such-printer-in-this-system";
    const auto printer = qtui::openPrinter(setting);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->print(aReceipt(setting.columns())), "找不到系统打印机");
}

TEST(TicketPainter, ALongTicketGoesOnOverAsManyPagesAsItTakes) {
    printing::Ticket ticket;
    for (int i = 0; i < 25; ++i)
        ticket.lines.push_back({"红烧肉 1 x 38"});
    ticket.lines.push_back({"合计", printing::Align::Right, true, true});
    const qtui::TicketPainter painter(32, 10);
    // 25 lines of 24 pixels and a large one of 48.
    EXPECT_DOUBLE_EQ(painter.height(ticket), 25 * 24 + 48);

    QImage page(320, 250, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter drawing(&page);
    int pages = 1;
    painter.paint(drawing, ticket, 0, 0, page.height(), [&] {
        ++pages;
        drawing.fillRect(page.rect(), Qt::white);
        return 0.0;
    });
    drawing.end();
    // Ten lines fit a page of 250 pixels: 10, 10, then 5 and the large one.
    EXPECT_EQ(pages, 3);
    // The last page's large line, right-aligned: ink at the right of its height, none at the left.
    const auto inkIn = [&](int left, int right) {
        for (int y = 5 * 24; y < 5 * 24 + 48; ++y)
            for (int x = left; x < right; ++x)
                if (qGray(page.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(240, 320));
    EXPECT_FALSE(inkIn(0, 200));
}

} // namespace
