#include "store/statement.h"

#include "store/connection.h"

#include <sqlite3.h>

namespace store {

bool Statement::prepare(Connection& connection, const std::string& sql) {
    finalize();
    connection_ = &connection;
    owner_ = connection.weak_from_this();
    sql_ = sql;
    statement_ = connection.statements().take(sql);
    if (statement_) return true;
    const int result = sqlite3_prepare_v2(connection.handle(), sql.c_str(),
                                          static_cast<int>(sql.size()), &statement_, nullptr);
    if (result != SQLITE_OK) {
        connection.faults().note(result);
        finalize();
    }
    return prepared();
}

void Statement::finalize() {
    if (!statement_) return;
    if (const auto owner = owner_.lock())
        owner->statements().keep(std::move(sql_), statement_);
    else
        sqlite3_finalize(statement_);
    statement_ = nullptr;
}

void Statement::reset() {
    if (statement_) sqlite3_reset(statement_);
}

int Statement::step() {
    if (!statement_) return SQLITE_MISUSE;
    const int result = sqlite3_step(statement_);
    connection_->faults().note(result);
    return result;
}

} // namespace store
