#pragma once

namespace store {

class SqliteDB;

// The version of the file this program writes: the tables it adds beside the six it shares with
// other programs, counted in the file's user_version.
inline constexpr int kSchemaVersion = 3;

enum class SchemaUpgrade {
    UpToDate, // nothing to do
    Upgraded, // the missing tables were added and the version written, in one transaction
    Newer,    // written by a newer program: left untouched
    Failed,   // could not be read or written: left as it was
};

// Brings the open file to this program's version. Never alters or drops a table, and writes
// nothing to a file already at the version.
SchemaUpgrade bringSchemaUpToDate(SqliteDB& database);

} // namespace store
