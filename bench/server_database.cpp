#include "server_database.h"

#include "store/pg_connection.h"

#include <chrono>
#include <stdexcept>
#include <unistd.h>

namespace bench {
namespace {

std::string quotedName(const std::string& name) {
    std::string text = "\"";
    for (const char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

} // namespace

ServerDatabase::ServerDatabase(const std::filesystem::path& configFile) {
    const store::ReadSetting read = store::readDatabaseSetting(configFile);
    if (!read.setting)
        throw std::runtime_error("cannot use " + configFile.string() + ": " + read.failure);
    if (read.setting->engine != store::Engine::Postgres)
        throw std::runtime_error(configFile.string() + " names no PostgreSQL server");
    copy_ = *read.setting;
    original_ = copy_.database;
    copy_.database = original_ + "_bench_" + std::to_string(::getpid());

    store::PgConnection server(maintenanceConnection());
    if (!server.connected())
        throw std::runtime_error("cannot reach " + copy_.describe() + ": " + server.failure());
    const auto version = server.run("SHOW server_version_num");
    if (!version || version->empty() || !version->front().front())
        throw std::runtime_error("cannot read the server's version: " + server.failure());
    // From PostgreSQL 15 on, a copy is written through the WAL unless asked otherwise: block by
    // block, many times slower than copying the files for a decade of orders.
    const bool fileCopy = std::stol(*version->front().front()) >= 150000;
    // A run stopped midway leaves its copy; a later process of the same number takes its place.
    const auto left = server.run("SELECT 1 FROM pg_database WHERE datname = $1", {copy_.database});
    if (left && !left->empty())
        server.run("DROP DATABASE " + quotedName(copy_.database) + " WITH (FORCE)");
    const auto started = std::chrono::steady_clock::now();
    if (!server.run("CREATE DATABASE " + quotedName(copy_.database) + " TEMPLATE " +
                    quotedName(original_) + (fileCopy ? " STRATEGY FILE_COPY" : "")))
        throw std::runtime_error("cannot copy " + original_ +
                                 " on the server: " + server.failure());
    secondsToCopy_ =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

ServerDatabase::~ServerDatabase() {
    store::PgConnection server(maintenanceConnection());
    server.run("DROP DATABASE IF EXISTS " + quotedName(copy_.database) + " WITH (FORCE)");
}

std::string ServerDatabase::maintenanceConnection() const {
    store::DatabaseSetting maintenance = copy_;
    maintenance.database = "postgres";
    return maintenance.connectionString();
}

std::string configurationText(const store::DatabaseSetting& setting) {
    if (setting.engine == store::Engine::Sqlite) return "[database]\nengine = sqlite\n";
    std::string text = "[database]\nengine = postgresql\nhost = " + setting.host +
                       "\nport = " + std::to_string(setting.port) +
                       "\ndatabase = " + setting.database + "\n";
    if (!setting.user.empty()) text += "user = " + setting.user + "\n";
    if (!setting.password.empty()) text += "password = " + setting.password + "\n";
    return text;
}

} // namespace bench
