#include "backup/backup_settings.h"

#include "app/program_settings.h"

#include <charconv>
#include <system_error>

namespace backup {
namespace {

constexpr char kFolder[] = "备份目录";
constexpr char kDaysKept[] = "备份保留天数";
constexpr char kDaily[] = "每日自动备份";

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

std::filesystem::path databaseFile(const app::App& app) {
    const std::filesystem::path named = pathOf(app.databasePath());
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
        settings.folder = pathOf(*folder);
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
    return app::storeSettings(app, {{kFolder, utf8Of(settings.folder)},
                                    {kDaysKept, std::to_string(settings.daysKept)},
                                    {kDaily, settings.daily ? "1" : "0"}});
}

} // namespace backup
