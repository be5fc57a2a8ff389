#pragma once

#include <filesystem>

namespace testing_support {

// A fresh, empty directory under the system's temporary directory, removed with its contents
// when the object goes.
class TestDirectory {
public:
    TestDirectory();
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;
    ~TestDirectory();

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace testing_support
