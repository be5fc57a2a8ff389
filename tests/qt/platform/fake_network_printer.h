#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

// A receipt printer on 127.0.0.1 at a free port, for one connection at a time. It captures what
// it is sent and behaves as told: it prints and answers the status request, never reads at all,
// or closes the connection after the first few bytes.
class FakeNetworkPrinter {
public:
    enum class Behaviour { Prints, NeverReads, ClosesHalfWay };

    explicit FakeNetworkPrinter(Behaviour behaviour);
    FakeNetworkPrinter(const FakeNetworkPrinter&) = delete;
    FakeNetworkPrinter& operator=(const FakeNetworkPrinter&) = delete;
    ~FakeNetworkPrinter();

    int port() const { return port_; }
    // The bytes of the job, without the status request that ends it.
    std::string received() const;

private:
    void serve();
    void serveOne(int connection);

    Behaviour behaviour_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on: a connection to it is refused at once.
int refusingPort();

} // namespace testing_support
