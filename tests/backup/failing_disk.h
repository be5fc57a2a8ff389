#pragma once

#include <string>

namespace testing_support {

// A disk that fills up: while it lives, every file the engine opens whose name ends with
// `nameEnding` takes only `bytes` bytes of writes, and the next write fails as a full disk does.
// Other files are written as usual.
class FailingDisk {
public:
    FailingDisk(std::string nameEnding, long long bytes);
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;
    ~FailingDisk();
};

} // namespace testing_support
