#include "printing/escpos_decoder.h"
#include "qt/platform/device_printer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kQuickMilliseconds = 400;

printing::Ticket aTicket(int lines) {
    printing::Ticket ticket;
    for (int i = 0; i < lines; ++i)
        ticket.lines.push_back({"宫保鸡丁  x2  ￥56"});
    return ticket;
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DevicePrinterTest : public ::testing::Test {
protected:
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }
    std::optional<std::string> printTo(const std::filesystem::path& device, int lines = 2) {
        qtui::DevicePrinter printer(device, printing::TextEncoding::Gb18030, kQuickMilliseconds);
        return printer.print(aTicket(lines));
    }

    QTemporaryDir folder_;
};

TEST_F(DevicePrinterTest, JobsReachTheDeviceOneAfterTheOther) {
    const auto device = file("lp0");
    { std::ofstream(device).put('\0'); }
    ASSERT_EQ(printTo(device), std::nullopt);
    ASSERT_EQ(printTo(device, 1), std::nullopt);
    const std::string bytes = contentOf(device);
    ASSERT_EQ(bytes.front(), '\0') << "the device is written after what it held, never over it";
    const auto printed = testing_support::decodeEscPos(bytes.substr(1), "GB18030");
    EXPECT_EQ(printed.faults, std::vector<std::string>{});
    ASSERT_EQ(printed.lines.size(), 3u);
    EXPECT_EQ(printed.lines[2].text, "宫保鸡丁  x2  ￥56");
    EXPECT_EQ(std::count(printed.commands.begin(), printed.commands.end(), "cut"), 2);
}

TEST_F(DevicePrinterTest, ADeviceThatIsAwayOrStuckFailsInsteadOfWaiting) {
    EXPECT_EQ(printTo(file("no-such-folder") / "lp0"), "无法打开设备");

    // A pipe stands in for the printer: with nobody at its other end it is a printer switched
    // off, and with a reader that never reads it is one out of paper, taking no more bytes once
    // the pipe's buffer is full.
    const auto pipe = file("printer");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(printTo(pipe), "无法打开设备");

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QElapsedTimer clock;
    clock.start();
    // About 150 KB, more than the pipe holds; its encoding takes a while under the sanitizers.
    EXPECT_EQ(printTo(pipe, 5000), "发送超时");
    EXPECT_GE(clock.elapsed(), kQuickMilliseconds - 50);
    EXPECT_LT(clock.elapsed(), kQuickMilliseconds + 5000);
    ::close(reader);
}

} // namespace
