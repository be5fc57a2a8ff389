#pragma once

#include "store/database_copy.h"
#include "support/date_time.h"

#include <filesystem>
#include <string>

namespace backup {

enum class RestoreResult {
    Restored,
    BackupUnusable, // damaged, not a database of this program, or of a newer one
    CurrentNotKept, // the current file could not be kept aside: nothing was replaced
    NotReplaced,    // the engine refused the replacement: the current file is as it was
};

struct RestoreOutcome {
    RestoreResult result = RestoreResult::NotReplaced;
    // Where the file that was current is kept, when it was.
    std::filesystem::path keptAs;
};

// cysj-before-restore-YYYYMMDD-hhmmss.db beside the database.
std::filesystem::path keptFileFor(const std::filesystem::path& database,
                                  const support::CalendarTime& moment);

// Puts the backup's data in the place of the database's: the backup is checked first, the current
// file is kept aside, and the engine then copies the backup over it in one transaction, so that a
// failure part way leaves the current data as it was. Connections of this program must hold no
// transaction meanwhile.
RestoreOutcome restoreBackup(const std::filesystem::path& database,
                             const std::filesystem::path& backupFile,
                             const support::CalendarTime& moment,
                             const store::CopyProgress& progress = {});

} // namespace backup
