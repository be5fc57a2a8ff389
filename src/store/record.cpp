#include "store/record.h"

#include "support/gbk.h"

#include <sqlite3.h>

namespace store {

std::string StoredValue::text() const {
    return !isNull && support::isGbkText(bytes) ? bytes : std::string();
}

Record Record::read(sqlite3_stmt* statement) {
    Record record;
    record.rowId = sqlite3_column_int64(statement, 0);
    const int count = sqlite3_column_count(statement);
    record.values.resize(static_cast<std::size_t>(count > 0 ? count - 1 : 0));
    for (int column = 1; column < count; ++column) {
        StoredValue& value = record.values[static_cast<std::size_t>(column - 1)];
        // The number first: asking for the text of a number adds a text form the number keeps.
        value.number = sqlite3_column_int64(statement, column);
        const unsigned char* text = sqlite3_column_text(statement, column);
        value.isNull = text == nullptr;
        if (text)
            value.bytes.assign(reinterpret_cast<const char*>(text),
                               static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    }
    return record;
}

} // namespace store
