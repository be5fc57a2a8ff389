#include "backup/backup_settings.h"

#include "app/program_settings.h"
#include "support/path_text.h"

#include <charconv>
#include <system_error>

namespace backup {
namespace {

constexpr char kFolder[] = "备份目录";
constexpr char kDaysKept[] = "备份保留天数";
constexpr char kDaily[] = "每日自动备份";

} // namespace

std::filesystem::path databaseFile(const app::App& app) {
    const std::filesystem::path named = support::pathFromText(app.databasePath());
    std::error_code error;
    const std::filesystem::path followed = std::filesystem::canonical(named, error);
    return error ? named : followed;
}

std::filesystem::path defaultBackupFolder(const app::App& app) {
    return databaseFile(app).parent_path() / "backups";
}

BackupSettings readBackupSettings(app::App& app) {
    BackupSettings settings;
    settings.folder = defaultBackupFolder(app);
    if (const auto folder = app::readSetting(app, kFolder); folder && !folder->empty())
        settings.folder = support::pathFromText(*folder);
    if (const auto days = app::readSetting(app, kDaysKept)) {
        int value = 0;
        const auto [end, error] = std::from_chars(days->data(), days->data() + days->size(), value);
        if (error == std::errc() && end == days->data() + days->size() && value >= 1 &&
            value <= kMostDaysKept)
            settings.daysKept = value;
    }
    if (const auto daily = app::readSetting(app, kDaily)) settings.daily = *daily != "0";
    return settings;
}

bool storeBackupSettings(app::App& app, const BackupSettings& settings) {
    return app::storeSettings(app, {{kFolder, support::pathText(settings.folder)},
                                    {kDaysKept, std::to_string(settings.daysKept)},
                                    {kDaily, settings.daily ? "1" : "0"}});
}

} // namespace backup
