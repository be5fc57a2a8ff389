#include "qt/platform/device_printer.h"

#include <chrono>
#include <string>
#include <utility>

#ifdef _WIN32
#include <fstream>
#else
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace qtui {

DevicePrinter::DevicePrinter(std::filesystem::path device, printing::TextEncoding encoding,
                             int sendMilliseconds)
    : device_(std::move(device)), encoding_(encoding), sendMilliseconds_(sendMilliseconds) {}

#ifdef _WIN32

// Windows reaches its printers through the print queue; a device path there is a port such as
// "LPT1" or a shared printer, written at once.
std::optional<std::string> DevicePrinter::print(const printing::Ticket& ticket) {
    std::ofstream device(device_, std::ios::binary | std::ios::app);
    if (!device) return "无法打开设备";
    device << printing::escPosBytes(ticket, encoding_);
    device.flush();
    if (!device) return "写入失败";
    return std::nullopt;
}

#else

namespace {

// Closes the device whatever way the job ends.
class OpenDevice {
public:
    explicit OpenDevice(int descriptor) : descriptor_(descriptor) {}
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    ~OpenDevice() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    int descriptor() const { return descriptor_; }

private:
    int descriptor_;
};

} // namespace

std::optional<std::string> DevicePrinter::print(const printing::Ticket& ticket) {
    // Without waiting: a device with nobody behind it (a pipe nobody reads) refuses at once.
    const OpenDevice device(
        ::open(device_.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (device.descriptor() < 0) return "无法打开设备";

    const std::string bytes = printing::escPosBytes(ticket, encoding_);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(sendMilliseconds_);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step =
            ::write(device.descriptor(), bytes.data() + written, bytes.size() - written);
        if (step > 0) {
            written += static_cast<std::size_t>(step);
            continue;
        }
        if (step < 0 && errno == EINTR) continue;
        if (step < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return "写入失败";
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return "发送超时";
        pollfd ready{device.descriptor(), POLLOUT, 0};
        if (::poll(&ready, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return "写入失败";
    }
    return std::nullopt;
}

#endif

} // namespace qtui
