#include "postgres/test_server.h"

#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "dbtool/postgres_schema.h"
#include "dbtool/server_copy.h"

#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

namespace testing_support {

std::string testServer(const std::string& database, const std::string& folder) {
    return "host=" + folder + " user=veltrano dbname=" + database + " connect_timeout=5";
}

ServerDatabase::ServerDatabase(const std::filesystem::path& file, std::string folder)
    : folder_(std::move(folder)) {
    static std::atomic<int> made{0};
    name_ = "counter_" + std::to_string(::getpid()) + "_" + std::to_string(made++);
    store::PgConnection admin(testServer("postgres", folder_));
    EXPECT_TRUE(admin.run("DROP DATABASE IF EXISTS " + name_)) << admin.failure();
    EXPECT_TRUE(admin.run("CREATE DATABASE " + name_)) << admin.failure();
    store::PgConnection server(testServer(name_, folder_));
    TestDirectory directory;
    const std::filesystem::path source =
        file.empty() ? createDeliveredDatabase(directory.path()) : file;
    const dbtool::ServerOutcome copied =
        dbtool::copyToServer(source, server, dbtool::postgresSchema());
    EXPECT_TRUE(copied.done) << copied.failure;
}

ServerDatabase::~ServerDatabase() {
    store::PgConnection admin(testServer("postgres", folder_));
    admin.run("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
}

store::DatabaseSetting ServerDatabase::setting() const {
    store::DatabaseSetting setting;
    setting.engine = store::Engine::Postgres;
    setting.host = folder_;
    setting.user = "veltrano";
    setting.database = name_;
    return setting;
}

std::string ServerDatabase::sql(const std::string& statement) {
    store::PgConnection server(testServer(name_, folder_));
    const auto rows = server.run(statement);
    EXPECT_TRUE(rows) << server.failure() << "\n" << statement;
    if (!rows || rows->empty() || rows->front().empty() || !rows->front().front()) return "";
    return *rows->front().front();
}

} // namespace testing_support
