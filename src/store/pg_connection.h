#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace store {

// The rows one statement gave, read in place: texts as the server sent them.
class PgResult {
public:
    explicit PgResult(pg_result* result);
    int rows() const;
    int columns() const;
    bool isNull(int row, int column) const;
    // The empty text for NULL.
    std::string_view value(int row, int column) const;
    const char* columnName(int column) const;
    // The type's object id: 20 for BIGINT, 25 for TEXT.
    unsigned typeOf(int column) const;
    // "COMMIT", "INSERT 0 1", …: a COMMIT of a transaction that failed says "ROLLBACK".
    std::string_view commandStatus() const;

private:
    friend class PgConnection;
    std::unique_ptr<pg_result, void (*)(pg_result*)> result_;
};

// A connection to a PostgreSQL server through libpq, for a restaurant whose counters share one
// database server. Texts go both ways in UTF-8, the program's own text.
class PgConnection {
public:
    using Value = std::optional<std::string>; // nothing for NULL
    using Row = std::vector<Value>;

    // Connects with the libpq connection string ("host=/run/postgresql dbname=veltrano"); a
    // password comes from the string or the user's ~/.pgpass.
    explicit PgConnection(const std::string& connectionString);
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;
    ~PgConnection();

    bool connected() const;
    // Reads what the server sent meanwhile, without waiting: a server that restarted or went
    // away since the last statement shows as no longer connected.
    bool stillConnected();
    // What went wrong at the last step, in the server's or libpq's words; a password is never
    // part of it.
    const std::string& failure() const { return failure_; }

    // Runs one statement, the values bound to $1, $2, … as texts; the rows it gives, as texts.
    // Nothing when the server refused it or the connection is gone.
    std::optional<std::vector<Row>> run(const std::string& sql,
                                        const std::vector<Value>& values = {});
    // The same, the rows read in place.
    std::optional<PgResult> query(const std::string& sql, const std::vector<Value>& values = {});

    // Runs a script of statements separated by ";", in one transaction: all of them or none.
    bool runScript(const std::string& sql);

    // Sends rows to a "COPY … FROM STDIN" statement, the fastest way in for many rows:
    // `nextRow` fills the next row and says whether there was one.
    bool copyIn(const std::string& copySql, const std::function<bool(Row&)>& nextRow);

    // The names of the channels other connections notified since the last call, without waiting;
    // the connection's own notifications are left out.
    std::vector<std::string> notifications();

private:
    std::unique_ptr<pg_conn, void (*)(pg_conn*)> connection_;
    std::string failure_;
};

} // namespace store
