#pragma once

#include "store/pg_connection.h"
#include "store/statement.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class Connection;
class ServerSession;
class SqliteDB;

// A read by an SQL statement, for what the cursors' lookups do not ask: ranges of moments, joins.
// Standard SQL with "?" for the values bound in order. Texts read as the cursors read them: one
// GBK cannot hold reads as the empty text. A step the engine refuses is noted on the database's
// faults, so a FaultWatch tells an empty answer from a failed one.
class Query {
public:
    Query(const SqliteDB& database, const std::string& sql);
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    ~Query();

    Query& bind(std::string_view text);
    Query& bind(std::int64_t number);
    // Steps to the next row: false at the end, and on a failure.
    bool next();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    std::string text(int column) const;

private:
    std::shared_ptr<Connection> connection_;
    Statement statement_;
    // On a server: the statement with $1, $2, … for its values, run at the first step.
    std::shared_ptr<ServerSession> server_;
    std::string serverSql_;
    std::vector<PgConnection::Value> values_;
    std::optional<PgResult> rows_;
    int row_ = -1;
    int nextParameter_ = 1;
    bool failed_ = false; // preparing or binding failed
    bool done_ = false;
};

} // namespace store
