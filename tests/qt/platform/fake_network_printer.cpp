#include "fake_network_printer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {
namespace {

const std::string kStatusRequest("\x10\x04\x01", 3);

// A socket bound to 127.0.0.1 at a port the system chose, and that port.
std::pair<int, int> boundSocket() {
    const int handle = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length);
    return {handle, ntohs(address.sin_port)};
}

bool readable(int handle, int milliseconds) {
    pollfd watched{handle, POLLIN, 0};
    return poll(&watched, 1, milliseconds) > 0;
}

} // namespace

FakeNetworkPrinter::FakeNetworkPrinter(Behaviour behaviour) : behaviour_(behaviour) {
    std::tie(listener_, port_) = boundSocket();
    listen(listener_, 4);
    thread_ = std::thread([this] { serve(); });
}

FakeNetworkPrinter::~FakeNetworkPrinter() {
    stopping_ = true;
    thread_.join();
    close(listener_);
}

std::string FakeNetworkPrinter::received() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

void FakeNetworkPrinter::serve() {
    while (!stopping_) {
        if (!readable(listener_, 20)) continue;
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        serveOne(connection);
        close(connection);
    }
}

void FakeNetworkPrinter::serveOne(int connection) {
    std::string bytes;
    while (!stopping_) {
        if (behaviour_ == Behaviour::NeverReads) {
            usleep(20'000);
            continue;
        }
        if (!readable(connection, 20)) continue;
        char buffer[4096];
        const ssize_t read = recv(connection, buffer, sizeof buffer, 0);
        if (read <= 0) return;
        bytes.append(buffer, static_cast<std::size_t>(read));
        if (behaviour_ == Behaviour::ClosesHalfWay) return; // after the first bytes it took
        if (bytes.ends_with(kStatusRequest)) {
            {
                const std::lock_guard lock(mutex_);
                received_ = bytes.substr(0, bytes.size() - kStatusRequest.size());
            }
            const char ready = 0x12; // online, drawer closed: the fixed bits only
            send(connection, &ready, 1, MSG_NOSIGNAL);
            bytes.clear();
        }
    }
}

int refusingPort() {
    const auto [handle, port] = boundSocket();
    close(handle); // bound but never listening, then gone: the port refuses
    return port;
}

} // namespace testing_support
