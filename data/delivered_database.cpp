#include "delivered_database.h"

#include <memory>
#include <sqlite3.h>
#include <system_error>

namespace data {
namespace {

bool fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool runScript(std::string_view sql, const std::filesystem::path& file, std::string* error) {
    sqlite3* handle = nullptr;
    const int opened =
        sqlite3_open_v2(reinterpret_cast<const char*>(file.u8string().c_str()), &handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(handle, sqlite3_close_v2);
    if (opened != SQLITE_OK)
        return fail(error, "cannot create " + file.string() + ": " + sqlite3_errmsg(handle));

    char* message = nullptr;
    const std::string script = "BEGIN;\n" + std::string(sql) + "\nCOMMIT;";
    if (sqlite3_exec(handle, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : "unknown error";
        sqlite3_free(message);
        return fail(error, "the SQL script failed: " + reason);
    }
    return true;
}

} // namespace

bool createDatabase(std::string_view sql, const std::filesystem::path& target, std::string* error) {
    std::filesystem::path partial = target;
    partial += ".part";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);

    if (!runScript(sql, partial, error)) {
        std::filesystem::remove(partial, ignored);
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(partial, target, renamed);
    if (renamed) {
        std::filesystem::remove(partial, ignored);
        return fail(error, "cannot move the new database into place: " + renamed.message());
    }
    return true;
}

} // namespace data
