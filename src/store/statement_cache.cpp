#include "store/statement_cache.h"

#include <algorithm>
#include <sqlite3.h>

namespace store {
namespace {

// More than the statements of every screen together.
constexpr std::size_t kMostKept = 64;

} // namespace

StatementCache& StatementCache::operator=(StatementCache&& other) noexcept {
    if (this != &other) {
        finalizeAll();
        kept_ = std::exchange(other.kept_, {});
    }
    return *this;
}

sqlite3_stmt* StatementCache::take(std::string_view sql) {
    const auto found = std::find_if(kept_.rbegin(), kept_.rend(),
                                    [&](const auto& kept) { return kept.first == sql; });
    if (found == kept_.rend()) return nullptr;
    sqlite3_stmt* statement = found->second;
    kept_.erase(std::next(found).base());
    return statement;
}

void StatementCache::keep(std::string sql, sqlite3_stmt* statement) {
    if (!statement) return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (kept_.size() >= kMostKept) {
        sqlite3_finalize(kept_.front().second);
        kept_.erase(kept_.begin());
    }
    kept_.emplace_back(std::move(sql), statement);
}

void StatementCache::finalizeAll() {
    for (const auto& [sql, statement] : kept_)
        sqlite3_finalize(statement);
    kept_.clear();
}

} // namespace store
