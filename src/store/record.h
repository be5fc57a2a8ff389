#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace store {

// A stored value as the cursor's reads give it: its text and its whole number, each converted by
// the engine exactly as a read of that single field converts it.
struct StoredValue {
    bool isNull = true;
    std::string bytes;
    std::int64_t number = 0;

    // The text a read gives: empty for NULL and for texts the code page of the data cannot hold.
    std::string text() const;
};

// One record as read at one moment.
struct Record {
    std::int64_t rowId = 0;
    std::vector<StoredValue> values; // in column order

    // Reads the row the statement is on: the row id in column 0 and the fields after it.
    static Record read(sqlite3_stmt* statement);
};

} // namespace store
