#pragma once

#include "store/database_setting.h"
#include "store/pg_connection.h"

#include <filesystem>
#include <string>

namespace testing_support {

// The libpq connection string of a database on the cluster the tests start for themselves
// (tests/postgres/cluster.sh): a Unix socket in its folder, its superuser named veltrano.
std::string testServer(const std::string& database = "postgres",
                       const std::string& folder = VELTRANO_TEST_POSTGRES_FOLDER);

// A database of its own on the tests' server, dropped at the end, holding a copy of the
// delivered cysj.db (or of the given file) as veltrano-db copies it.
class ServerDatabase {
public:
    explicit ServerDatabase(const std::filesystem::path& file = {},
                            std::string folder = VELTRANO_TEST_POSTGRES_FOLDER);
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;
    ~ServerDatabase();

    const std::string& name() const { return name_; }
    // The setting a counter's configuration file would give for it.
    store::DatabaseSetting setting() const;
    // Runs SQL on the server as another program would; the first value of the first row ("" for
    // none or NULL).
    std::string sql(const std::string& statement);

private:
    std::string folder_;
    std::string name_;
};

} // namespace testing_support
