#pragma once

#include "app/app.h"

#include <filesystem>

namespace backup {

inline constexpr int kDefaultDaysKept = 30;
// Ten years of daily copies; beyond that a number is a typing slip.
inline constexpr int kMostDaysKept = 3650;

struct BackupSettings {
    std::filesystem::path folder;
    int daysKept = kDefaultDaysKept;
    bool daily = true;
};

// cysj.db with its links followed: an installed program's cysj.db is a link to the data folder,
// and what belongs beside the data goes there, not beside the program.
std::filesystem::path databaseFile(const app::App& app);
// backups/ beside the database.
std::filesystem::path defaultBackupFolder(const app::App& app);

// The settings as stored; each one missing or unreadable at its default.
BackupSettings readBackupSettings(app::App& app);
// All three or none; false when they could not be stored.
bool storeBackupSettings(app::App& app, const BackupSettings& settings);

} // namespace backup
