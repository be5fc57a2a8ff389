#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// A prepared statement: bound, stepped and reset for the next values. Every failure throws
// std::runtime_error with SQLite's reason.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);

    void bind(int parameter, std::string_view text);
    void bind(int parameter, long long value);
    void bindNull(int parameter);
    // True while a row is there; false once the statement is done.
    bool step();
    // Steps to the end, then resets for the next values.
    void run();

    std::string text(int column) const;
    long long integer(int column) const;

private:
    void check(int result, std::string_view doing) const;

    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement_;
};

// A database file opened with SQLite itself, beside the program's own store: the generator
// writes with it, and the harnesses read with it what they check an action against.
class SqliteFile {
public:
    // The file must exist: it is never created here.
    explicit SqliteFile(const std::filesystem::path& file);

    void execute(std::string_view sql);
    Statement prepare(std::string_view sql);
    // The first column of the first row, 0 when there is none.
    long long integer(std::string_view sql);
    // The first column of the first row, "" when there is none.
    std::string text(std::string_view sql);

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
};

} // namespace bench
