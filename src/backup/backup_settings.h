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

// backups/ beside the database.
std::filesystem::path defaultBackupFolder(const app::App& app);

// The settings as stored; each one missing or unreadable at its default.
BackupSettings readBackupSettings(app::App& app);
// All three or none; false when they could not be stored.
bool storeBackupSettings(app::App& app, const BackupSettings& settings);

} // namespace backup
