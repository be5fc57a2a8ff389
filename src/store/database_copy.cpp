#include "store/database_copy.h"

#include "support/path_text.h"

#include <memory>
#include <sqlite3.h>

namespace store {
namespace {

// Pages a step copies: 4 MiB of the usual 4 KiB pages, a few milliseconds of work.
constexpr int kPagesPerStep = 1024;
// Starts over after another connection's commit before the rest goes in one step.
constexpr int kMostRestarts = 3;
// How long a step waits for another connection's lock.
constexpr int kBusyMilliseconds = 5000;

using Handle = std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)>;

Handle open(const std::filesystem::path& file, int flags) {
    sqlite3* handle = nullptr;
    // The engine takes names in UTF-8 on every system.
    const int result = sqlite3_open_v2(support::pathText(file).c_str(), &handle, flags, nullptr);
    Handle owned(handle, &sqlite3_close_v2);
    if (result != SQLITE_OK) return Handle(nullptr, &sqlite3_close_v2);
    sqlite3_busy_timeout(handle, kBusyMilliseconds);
    return owned;
}

// The first column of the statement's first row, read from a file opened read-only.
std::optional<std::int64_t> firstNumber(const std::filesystem::path& file, const std::string& sql) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    const Handle handle = open(file, SQLITE_OPEN_READONLY);
    if (!handle) return std::nullopt;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle.get(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    std::optional<std::int64_t> number;
    if (sqlite3_step(statement) == SQLITE_ROW) number = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return number;
}

std::string failureOf(sqlite3* handle, const char* what) {
    return std::string(what) + ": " + (handle ? sqlite3_errmsg(handle) : "out of memory");
}

} // namespace

std::optional<std::string> copyDatabase(const std::filesystem::path& source,
                                        const std::filesystem::path& destination,
                                        const CopyProgress& progress) {
    const Handle from = open(source, SQLITE_OPEN_READONLY);
    if (!from) return "the database cannot be opened";
    const Handle to = open(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!to) return "the copy cannot be created";
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) return failureOf(to.get(), "the copy cannot begin");

    int restarts = 0;
    int result = SQLITE_OK;
    int remainingBefore = -1;
    while (result == SQLITE_OK || result == SQLITE_BUSY || result == SQLITE_LOCKED) {
        const int pages = restarts < kMostRestarts ? kPagesPerStep : -1;
        result = sqlite3_backup_step(backup, pages);
        const int remaining = sqlite3_backup_remaining(backup);
        const int total = sqlite3_backup_pagecount(backup);
        // More left than before the step: another connection's commit started the copy again.
        if (remainingBefore >= 0 && remaining > remainingBefore - kPagesPerStep &&
            result == SQLITE_OK)
            ++restarts;
        remainingBefore = remaining;
        if (progress) progress(total - remaining, total);
        if (result == SQLITE_BUSY || result == SQLITE_LOCKED) sqlite3_sleep(10);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (result != SQLITE_DONE || finished != SQLITE_OK)
        return failureOf(to.get(), "the copy failed");
    return std::nullopt;
}

bool isWholeDatabase(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    const Handle handle = open(file, SQLITE_OPEN_READONLY);
    if (!handle) return false;
    sqlite3_stmt* check = nullptr;
    if (sqlite3_prepare_v2(handle.get(), "PRAGMA integrity_check", -1, &check, nullptr) !=
        SQLITE_OK)
        return false;
    bool whole = false;
    if (sqlite3_step(check) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        whole = text && std::string(text) == "ok";
    }
    // One row, "ok", and nothing after it.
    whole = whole && sqlite3_step(check) == SQLITE_DONE;
    sqlite3_finalize(check);
    return whole;
}

std::optional<std::int64_t> countRows(const std::filesystem::path& file, std::string_view table) {
    std::string quoted = "\"";
    for (const char c : table)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return firstNumber(file, "SELECT COUNT(*) FROM " + quoted + "\"");
}

std::optional<int> schemaVersionOf(const std::filesystem::path& file) {
    const auto version = firstNumber(file, "PRAGMA user_version");
    if (!version) return std::nullopt;
    return static_cast<int>(*version);
}

} // namespace store
