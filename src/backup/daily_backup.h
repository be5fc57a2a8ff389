#pragma once

#include "app/app.h"
#include "backup/backup_job.h"

namespace backup {

// The day's backup, at most one a day: at start when the folder holds none of today, made off the
// screen thread while the staff log in; a failure is told once and the next start tries again.
void backUpAtStart(app::App& app, BackupActivity& activity);
// At the end when today still has none (the start's failed, or the program ran past midnight).
// The windows are gone, so it is made on this thread before the program ends. A failure already
// told at start is not told again.
void backUpAtExit(app::App& app, BackupActivity& activity);

} // namespace backup
