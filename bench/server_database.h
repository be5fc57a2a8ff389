#pragma once

#include "store/database_setting.h"

#include <filesystem>
#include <string>

namespace bench {

// What ProgramDirectory is to a database file, on a server: a fresh database made from the one
// the configuration file names (a copy veltrano-db made, left as it is), so that the actions
// may change it; dropped when the object goes. Throws std::runtime_error when the file names no
// server or the server refuses the copy.
class ServerDatabase {
public:
    explicit ServerDatabase(const std::filesystem::path& configFile);
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;
    ~ServerDatabase();

    // The copy's setting: the server of the file, the copy's name.
    const store::DatabaseSetting& setting() const { return copy_; }
    // The database the copy was made from.
    const std::string& original() const { return original_; }
    double secondsToCopy() const { return secondsToCopy_; }

private:
    // The server's own maintenance database: a database that is a template of another may have
    // no session open while the copy is made.
    std::string maintenanceConnection() const;

    store::DatabaseSetting copy_;
    std::string original_;
    double secondsToCopy_ = 0;
};

// The [database] section a counter's veltrano.conf holds for the setting.
std::string configurationText(const store::DatabaseSetting& setting);

} // namespace bench
