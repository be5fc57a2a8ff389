#include "store/statement.h"

#include <sqlite3.h>

namespace store {

bool Statement::prepare(sqlite3* db, const std::string& sql) {
    finalize();
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr) !=
        SQLITE_OK)
        finalize();
    return prepared();
}

void Statement::finalize() {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
}

void Statement::reset() {
    if (statement_) sqlite3_reset(statement_);
}

int Statement::step() {
    return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE;
}

} // namespace store
