#include "sqlite_file.h"

#include <sqlite3.h>
#include <stdexcept>

namespace bench {
namespace {

sqlite3* openExisting(const std::filesystem::path& file) {
    sqlite3* handle = nullptr;
    const auto name = file.u8string();
    if (sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &handle, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        const std::string reason = handle ? sqlite3_errmsg(handle) : "out of memory";
        sqlite3_close_v2(handle);
        throw std::runtime_error("cannot open " + file.string() + ": " + reason);
    }
    return handle;
}

sqlite3_stmt* prepared(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
        SQLITE_OK)
        throw std::runtime_error("cannot prepare \"" + std::string(sql) +
                                 "\": " + sqlite3_errmsg(db));
    return statement;
}

} // namespace

Statement::Statement(sqlite3* db, std::string_view sql)
    : db_(db), statement_(prepared(db, sql), sqlite3_finalize) {}

void Statement::bind(int parameter, std::string_view text) {
    check(sqlite3_bind_text(statement_.get(), parameter, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT),
          "bind a text");
}

void Statement::bind(int parameter, long long value) {
    check(sqlite3_bind_int64(statement_.get(), parameter, value), "bind a number");
}

void Statement::bindNull(int parameter) {
    check(sqlite3_bind_null(statement_.get(), parameter), "bind NULL");
}

bool Statement::step() {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW) return true;
    check(result == SQLITE_DONE ? SQLITE_OK : result, "step");
    return false;
}

void Statement::run() {
    while (step()) {
    }
    check(sqlite3_reset(statement_.get()), "reset");
}

std::string Statement::text(int column) const {
    const unsigned char* value = sqlite3_column_text(statement_.get(), column);
    return value ? std::string(
                       reinterpret_cast<const char*>(value),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column)))
                 : std::string();
}

long long Statement::integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

void Statement::check(int result, std::string_view doing) const {
    if (result != SQLITE_OK)
        throw std::runtime_error("cannot " + std::string(doing) + " in \"" +
                                 sqlite3_sql(statement_.get()) + "\": " + sqlite3_errmsg(db_));
}

SqliteFile::SqliteFile(const std::filesystem::path& file)
    : db_(openExisting(file), sqlite3_close_v2) {}

void SqliteFile::execute(std::string_view sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), std::string(sql).c_str(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const std::string reason = message ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw std::runtime_error("cannot run \"" + std::string(sql) + "\": " + reason);
    }
}

Statement SqliteFile::prepare(std::string_view sql) {
    return Statement(db_.get(), sql);
}

long long SqliteFile::integer(std::string_view sql) {
    Statement query = prepare(sql);
    return query.step() ? query.integer(0) : 0;
}

std::string SqliteFile::text(std::string_view sql) {
    Statement query = prepare(sql);
    return query.step() ? query.text(0) : std::string();
}

} // namespace bench
