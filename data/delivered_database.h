#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace data {

// Builds a database file at `target` from the SQL script. The file appears complete or not at
// all: it is built under a temporary name and renamed. `error` receives the reason of a failure.
bool createDatabase(std::string_view sql, const std::filesystem::path& target,
                    std::string* error = nullptr);

} // namespace data
