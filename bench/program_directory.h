#pragma once

#include "common/test_directory.h"

#include <filesystem>

namespace bench {

// A temporary program directory whose cysj.db is a copy of the given database, so that the
// actions may change it; removed with everything in it when the object goes.
class ProgramDirectory {
public:
    explicit ProgramDirectory(const std::filesystem::path& database);
    // Without cysj.db, for a program whose data is on a server: a step that went to the file
    // instead would fail rather than be timed on the wrong engine.
    ProgramDirectory() = default;

    const std::filesystem::path& path() const { return directory_.path(); }
    std::filesystem::path database() const { return directory_.file("cysj.db"); }
    std::filesystem::path file(const std::filesystem::path& name) const {
        return directory_.file(name);
    }

private:
    testing_support::TestDirectory directory_;
};

} // namespace bench
