#include "store/query.h"

#include "store/connection.h"
#include "store/server_cursor.h"
#include "store/server_session.h"
#include "store/sqlite_db.h"
#include "support/gbk.h"

#include <sqlite3.h>

namespace store {

namespace {

// "?" becomes $1, $2, … outside quoted texts and names.
std::string numberedParameters(const std::string& sql) {
    std::string numbered;
    int next = 1;
    char quote = 0;
    for (const char c : sql) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?') {
            numbered += "$" + std::to_string(next++);
            continue;
        }
        numbered += c;
    }
    return numbered;
}

} // namespace

Query::Query(const SqliteDB& database, const std::string& sql) : connection_(database.connection_) {
    if (database.server_) {
        server_ = database.server_;
        serverSql_ = numberedParameters(sql);
    } else if (connection_)
        statement_.prepare(*connection_, sql);
    else
        database.faults_->noteFailure();
    failed_ = !statement_.prepared();
}

Query::~Query() {
    statement_.reset();
    statement_.finalize();
}

Query& Query::bind(std::string_view text) {
    if (server_) {
        values_.emplace_back(std::string(text));
        return *this;
    }
    if (!failed_)
        failed_ = sqlite3_bind_text(statement_.get(), nextParameter_, text.data(),
                                    static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK;
    ++nextParameter_;
    return *this;
}

Query& Query::bind(std::int64_t number) {
    if (server_) {
        values_.emplace_back(std::to_string(number));
        return *this;
    }
    if (!failed_)
        failed_ = sqlite3_bind_int64(statement_.get(), nextParameter_, number) != SQLITE_OK;
    ++nextParameter_;
    return *this;
}

bool Query::next() {
    if (done_) return false;
    if (server_) {
        if (!rows_) {
            rows_ = server_->run(serverSql_, values_);
            if (!rows_) {
                done_ = true;
                return false;
            }
        }
        done_ = ++row_ >= rows_->rows();
        return !done_;
    }
    if (failed_) {
        done_ = true;
        if (connection_) connection_->faults().noteFailure();
        return false;
    }
    if (statement_.step() == SQLITE_ROW) return true; // the step notes what the engine refused
    done_ = true;
    return false;
}

bool Query::isNull(int column) const {
    if (server_) return rows_->isNull(row_, column);
    return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

std::int64_t Query::integer(int column) const {
    if (server_) return serverInteger(rows_->value(row_, column));
    return sqlite3_column_int64(statement_.get(), column);
}

std::string Query::text(int column) const {
    if (server_) {
        std::string value(rows_->value(row_, column));
        return support::isGbkText(value) ? value : std::string();
    }
    const auto* bytes =
        reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    if (!bytes) return {};
    std::string value(bytes,
                      static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column)));
    return support::isGbkText(value) ? value : std::string();
}

} // namespace store
