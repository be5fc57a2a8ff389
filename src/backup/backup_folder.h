#pragma once

#include "store/database_copy.h"
#include "support/date_time.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace backup {

// The file's name with the suffix added: cysj.db and "-journal" make cysj.db-journal.
std::filesystem::path withSuffix(std::filesystem::path file, std::string_view suffix);

// cysj-YYYYMMDD-hhmmss.db, for the moment the backup was made.
std::string backupFileName(const support::CalendarTime& moment);
// The moment a backup's file name tells; nothing for any other name.
std::optional<support::CalendarTime> backupMoment(std::string_view fileName);

struct BackupFile {
    std::filesystem::path path;
    support::CalendarTime moment;
    std::uintmax_t bytes = 0;
};

// The backups in the folder, the newest first; none when the folder cannot be read.
std::vector<BackupFile> listBackups(const std::filesystem::path& folder);

// Removes the backups made before the last `daysKept` days up to `today` (today counts as one),
// never the newest backup, whatever its age. Gives the files removed.
std::vector<std::filesystem::path> pruneBackups(const std::filesystem::path& folder, int daysKept,
                                                const support::CalendarTime& today);

struct BackupOutcome {
    // The backup made, whole and checked; nothing when it failed.
    std::optional<std::filesystem::path> file;
    // What failed, for the log; the staff are told the folder.
    std::string failure;
    // The database itself failed the engine's check: no copy of it is worth keeping, and the
    // folder is not to blame.
    bool damagedDatabase = false;
};

// Makes a backup of the database into the folder: a consistent copy written under a temporary
// name, checked by the engine, and only then given its name. A failure leaves nothing behind.
BackupOutcome makeBackup(const std::filesystem::path& database, const std::filesystem::path& folder,
                         const support::CalendarTime& moment,
                         const store::CopyProgress& progress = {});

} // namespace backup
