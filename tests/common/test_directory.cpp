#include "common/test_directory.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

namespace testing_support {

TestDirectory::TestDirectory() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("veltrano-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(path_)) return;
    }
}

TestDirectory::~TestDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testing_support
