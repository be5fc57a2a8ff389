#pragma once

#include "app/app.h"
#include "backup/backup_folder.h"
#include "backup/backup_settings.h"

#include <functional>

namespace backup {

// The backup work of one run: one backup or restore at a time, and who to tell when one ends.
struct BackupActivity {
    bool busy = false;
    // The day's backup failed and the staff were told: once a run is enough.
    bool failureTold = false;
    // Called on the screen thread after every backup, made by hand or by the day's schedule.
    std::function<void()> backupEnded;
};

// Whether the folder holds a backup made on the moment's day.
bool hasBackupOn(const std::filesystem::path& folder, const support::CalendarTime& day);

// What a backup needs, worked out on the screen thread so that a worker touches nothing shared.
struct BackupPlan {
    std::filesystem::path database;
    BackupSettings settings;
    // Only the default folder is made when missing: a chosen one that is missing (a stick not
    // plugged in) is a failure to report, not a folder to make on the counter's disk.
    bool makeFolder = false;
};
BackupPlan planBackup(const app::App& app, const BackupSettings& settings);

// A backup into the plan's folder with the moment's name, then the old ones pruned.
BackupOutcome backUp(const BackupPlan& plan, const support::CalendarTime& moment,
                     const store::CopyProgress& progress = {});

// A copy's progress for a worker to report: each change of the whole percent runs `percent` on
// the screen thread. A decade is thousands of steps; the screen hears of a hundred.
store::CopyProgress percentReporter(ui::Desktop& desktop, std::function<void(int percent)> percent);

// The same off the screen thread: `percent` follows the copy and `done` tells the outcome, both
// on the screen thread.
void startBackup(app::App& app, BackupActivity& activity, const BackupSettings& settings,
                 std::function<void(int percent)> percent,
                 std::function<void(const BackupOutcome&)> done);

// The warning of a failed backup, naming the folder.
std::string backupFailureText(const std::filesystem::path& folder);

} // namespace backup
