#include "store/row_id_snapshot.h"

#include "store/statement.h"

#include <algorithm>
#include <iterator>
#include <sqlite3.h>

namespace store {

void RowIdSnapshot::take(std::string table) {
    clear();
    table_ = std::move(table);
}

void RowIdSnapshot::clear() {
    table_.clear();
    ids_.reset();
    changes_.clear();
    heldAtMoment_.clear();
    tooManyChanges_ = false;
}

const std::vector<std::int64_t>* RowIdSnapshot::ids(Connection& connection) {
    if (ids_) return &*ids_;
    Statement rows(connection, "SELECT _ROWID_ FROM " + table_ + " ORDER BY _ROWID_");
    if (!rows.prepared()) return nullptr;
    std::vector<std::int64_t> live;
    int result = SQLITE_ROW;
    while ((result = rows.step()) == SQLITE_ROW) live.push_back(sqlite3_column_int64(rows.get(), 0));
    if (result != SQLITE_DONE) return nullptr;
    if (!heldAtMoment_.empty() && !tooManyChanges_) {
        std::vector<std::int64_t> then;
        then.reserve(live.size());
        std::copy_if(live.begin(), live.end(), std::back_inserter(then), [&](std::int64_t id) {
            const auto noted = heldAtMoment_.find(id);
            return noted == heldAtMoment_.end() || noted->second;
        });
        for (const auto& [id, held] : heldAtMoment_)
            if (held && !std::binary_search(live.begin(), live.end(), id))
                then.insert(std::upper_bound(then.begin(), then.end(), id), id);
        live = std::move(then);
    }
    ids_ = std::move(live);
    return &*ids_;
}

bool RowIdSnapshot::held(std::int64_t liveRowId) const {
    if (ids_) return std::binary_search(ids_->begin(), ids_->end(), liveRowId);
    const auto noted = heldAtMoment_.find(liveRowId);
    return noted == heldAtMoment_.end() || noted->second || tooManyChanges_;
}

void RowIdSnapshot::renew() {
    if (ids_ && tooManyChanges_) {
        ids_.reset(); // loaded afresh when next asked
    } else if (ids_) {
        for (const auto& [inserted, id] : changes_) {
            const auto place = std::lower_bound(ids_->begin(), ids_->end(), id);
            const bool there = place != ids_->end() && *place == id;
            if (inserted && !there)
                ids_->insert(place, id);
            else if (!inserted && there)
                ids_->erase(place);
        }
    }
    changes_.clear();
    heldAtMoment_.clear();
    tooManyChanges_ = false;
}

void RowIdSnapshot::noteChange(bool inserted, std::int64_t rowId) {
    if (tooManyChanges_) return;
    if (changes_.size() >= kMostNotedChanges) {
        // A cursor left open over a busy table: its records become those of the next load.
        tooManyChanges_ = true;
        changes_.clear();
        heldAtMoment_.clear();
        return;
    }
    changes_.emplace_back(inserted, rowId);
    heldAtMoment_.try_emplace(rowId, !inserted);
}

} // namespace store
