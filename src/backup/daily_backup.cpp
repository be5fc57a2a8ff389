#include "backup/daily_backup.h"

#include <utility>

namespace backup {
namespace {

// The settings when today's backup is still to be made; nothing otherwise.
std::optional<BackupSettings> dueBackup(app::App& app) {
    const BackupSettings settings = readBackupSettings(app);
    if (!settings.daily || hasBackupOn(settings.folder, app.desktop().clock().now()))
        return std::nullopt;
    return settings;
}

std::string dailyFailureText(const std::filesystem::path& folder) {
    return "今日自动" + backupFailureText(folder) + "\r\n下次启动程序时将再次备份。";
}

} // namespace

void backUpAtStart(app::App& app, BackupActivity& activity) {
    const auto settings = dueBackup(app);
    if (!settings || activity.busy) return;
    startBackup(app, activity, *settings, {},
                [&app, &activity, folder = settings->folder](const BackupOutcome& outcome) {
                    // A damaged file is told by the screens that meet it, with what to do.
                    if (outcome.file || outcome.damagedDatabase) return;
                    activity.failureTold = true;
                    app.message(app.mainWindow, dailyFailureText(folder), ui::kWarningBox);
                });
}

void backUpAtExit(app::App& app, BackupActivity& activity) {
    const auto settings = dueBackup(app);
    app.database.Close(); // reading the settings opened it again
    if (!settings) return;
    const BackupOutcome outcome = backUp(planBackup(app, *settings), app.desktop().clock().now());
    if (!outcome.file && !outcome.damagedDatabase && !std::exchange(activity.failureTold, true))
        app.desktop().messageBox(dailyFailureText(settings->folder), ui::kWarningBox);
}

} // namespace backup
