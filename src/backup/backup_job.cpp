#include "backup/backup_job.h"

#include "support/path_text.h"

#include <memory>
#include <system_error>

namespace backup {

bool hasBackupOn(const std::filesystem::path& folder, const support::CalendarTime& day) {
    for (const BackupFile& file : listBackups(folder)) {
        const support::CalendarTime& made = file.moment;
        if (made.year == day.year && made.month == day.month && made.day == day.day) return true;
    }
    return false;
}

BackupPlan planBackup(const app::App& app, const BackupSettings& settings) {
    return {databaseFile(app), settings, settings.folder == defaultBackupFolder(app)};
}

BackupOutcome backUp(const BackupPlan& plan, const support::CalendarTime& moment,
                     const store::CopyProgress& progress) {
    const std::filesystem::path& folder = plan.settings.folder;
    if (plan.makeFolder) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
    }
    BackupOutcome outcome = makeBackup(plan.database, folder, moment, progress);
    if (outcome.file) pruneBackups(folder, plan.settings.daysKept, moment);
    return outcome;
}

store::CopyProgress percentReporter(ui::Desktop& desktop,
                                    std::function<void(int percent)> percent) {
    if (!percent) return {};
    return [&desktop, percent = std::move(percent), last = -1](int copied, int total) mutable {
        const int now = total > 0 ? static_cast<int>(100LL * copied / total) : 0;
        if (now == last) return;
        last = now;
        desktop.postToScreen([percent, now] { percent(now); });
    };
}

void startBackup(app::App& app, BackupActivity& activity, const BackupSettings& settings,
                 std::function<void(int percent)> percent,
                 std::function<void(const BackupOutcome&)> done) {
    activity.busy = true;
    const support::CalendarTime moment = app.desktop().clock().now();
    auto outcome = std::make_shared<BackupOutcome>();
    ui::Desktop& desktop = app.desktop();
    desktop.runInBackground(
        [plan = planBackup(app, settings), moment, outcome,
         report = percentReporter(desktop, std::move(percent))] {
            *outcome = backUp(plan, moment, report);
        },
        [&activity, outcome, done = std::move(done)] {
            activity.busy = false;
            if (done) done(*outcome);
            if (activity.backupEnded) activity.backupEnded();
        });
}

std::string backupFailureText(const std::filesystem::path& folder) {
    return "备份失败：备份目录不存在、无法写入或空间不足，请检查：" + support::pathText(folder);
}

} // namespace backup
