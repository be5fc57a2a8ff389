#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace store {

// Which engine holds the data: cysj.db beside the program, or a PostgreSQL server that several
// counters share.
enum class Engine { Sqlite, Postgres };

struct DatabaseSetting {
    Engine engine = Engine::Sqlite;
    std::string host; // a name, an address, or the folder of a Unix socket
    int port = 5432;
    std::string database = "veltrano";
    std::string user;
    std::string password; // empty: the user's ~/.pgpass, or none

    // The libpq connection string, each value quoted as libpq reads it.
    std::string connectionString() const;
    // "PostgreSQL veltrano@192.168.1.10:5432", for messages: never the password.
    std::string describe() const;
};

struct ReadSetting {
    std::optional<DatabaseSetting> setting;
    std::string failure; // why the file could not be used: its line and what is wrong
};

// The setting of the configuration file, an INI file whose [database] section names the
// server:
//
//     [database]
//     engine = postgresql
//     host = 192.168.1.10
//     port = 5432
//     database = veltrano
//     user = veltrano
//     password = ...        ; or a line in ~/.pgpass
//
// Lines starting with ";" or "#" are comments. No file, or a file without engine = postgresql,
// is the embedded SQLite of today.
ReadSetting readDatabaseSetting(const std::filesystem::path& file);

class SqliteDB;

// Opens the data the setting names on `into`: its server, or the file (never creating it).
bool openData(SqliteDB& into, const DatabaseSetting& setting, const std::string& file);

// The configuration files looked at, the first one there counts: veltrano.conf beside the
// program, then /etc/veltrano/veltrano.conf of the installed package.
std::vector<std::filesystem::path> settingFiles(const std::filesystem::path& programFolder);

} // namespace store
