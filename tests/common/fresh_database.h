#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// The SQL script the build turns into the delivered cysj.db.
const std::string& deliveredDatabaseSql();

// Creates cysj.db in `directory` from the delivered script and returns its path; the test fails
// when it cannot be created.
std::filesystem::path createDeliveredDatabase(const std::filesystem::path& directory);

} // namespace testing_support
