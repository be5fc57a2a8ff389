#include "backup/backup_folder.h"

#include "support/path_text.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace backup {
namespace {

constexpr std::string_view kPrefix = "cysj-";
constexpr std::string_view kSuffix = ".db";
// cysj-20261210-083000.db
constexpr std::size_t kNameLength = kPrefix.size() + 8 + 1 + 6 + kSuffix.size();

std::optional<int> digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Days from a fixed day, to compare calendar days.
long long dayNumber(const support::CalendarTime& moment) {
    return static_cast<long long>(support::toDateTime({moment.year, moment.month, moment.day}));
}

} // namespace

std::filesystem::path withSuffix(std::filesystem::path file, std::string_view suffix) {
    file += suffix;
    return file;
}

std::string backupFileName(const support::CalendarTime& moment) {
    char name[64];
    std::snprintf(name, sizeof name, "cysj-%04d%02d%02d-%02d%02d%02d.db", moment.year, moment.month,
                  moment.day, moment.hour, moment.minute, moment.second);
    return name;
}

std::optional<support::CalendarTime> backupMoment(std::string_view fileName) {
    if (fileName.size() != kNameLength || !fileName.starts_with(kPrefix) ||
        !fileName.ends_with(kSuffix) || fileName[kPrefix.size() + 8] != '-')
        return std::nullopt;
    const std::string_view date = fileName.substr(kPrefix.size(), 8);
    const std::string_view time = fileName.substr(kPrefix.size() + 9, 6);
    const auto part = [](std::string_view text, std::size_t at, std::size_t length) {
        return digits(text.substr(at, length));
    };
    const auto year = part(date, 0, 4), month = part(date, 4, 2), day = part(date, 6, 2);
    const auto hour = part(time, 0, 2), minute = part(time, 2, 2), second = part(time, 4, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    const support::CalendarTime moment{*year, *month, *day, *hour, *minute, *second};
    // Only a moment that exists, written the way this program writes it.
    const auto back = support::toCalendarTime(support::toDateTime(moment));
    if (!back || *back != moment) return std::nullopt;
    return moment;
}

std::vector<BackupFile> listBackups(const std::filesystem::path& folder) {
    std::vector<BackupFile> backups;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const auto moment = backupMoment(support::pathText(entry.path().filename()));
        if (!moment || !entry.is_regular_file(error)) continue;
        backups.push_back({entry.path(), *moment, entry.file_size(error)});
    }
    std::sort(backups.begin(), backups.end(), [](const BackupFile& a, const BackupFile& b) {
        return a.path.filename() > b.path.filename(); // the name sorts as the moment does
    });
    return backups;
}

std::vector<std::filesystem::path> pruneBackups(const std::filesystem::path& folder, int daysKept,
                                                const support::CalendarTime& today) {
    std::vector<std::filesystem::path> removed;
    const std::vector<BackupFile> backups = listBackups(folder);
    const long long firstKeptDay = dayNumber(today) - std::max(daysKept, 1) + 1;
    for (std::size_t i = 1; i < backups.size(); ++i) { // the newest stays
        if (dayNumber(backups[i].moment) >= firstKeptDay) continue;
        std::error_code error;
        if (std::filesystem::remove(backups[i].path, error)) removed.push_back(backups[i].path);
    }
    return removed;
}

BackupOutcome makeBackup(const std::filesystem::path& database, const std::filesystem::path& folder,
                         const support::CalendarTime& moment, const store::CopyProgress& progress) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return {std::nullopt, "no such folder"};
    const std::filesystem::path file = folder / backupFileName(moment);
    const std::filesystem::path partial = folder / (backupFileName(moment) + ".part");
    const auto fail = [&](std::string failure) {
        std::filesystem::remove(partial, error);
        std::filesystem::remove(withSuffix(partial, "-journal"), error);
        return BackupOutcome{std::nullopt, std::move(failure), !store::isWholeDatabase(database)};
    };
    std::filesystem::remove(partial, error); // what a failed run may have left
    if (const auto failure = store::copyDatabase(database, partial, progress))
        return fail(*failure);
    if (!store::isWholeDatabase(partial)) return fail("the copy is not whole");
    std::filesystem::rename(partial, file, error);
    if (error) return fail("the copy cannot be named: " + error.message());
    return {file, {}};
}

} // namespace backup
