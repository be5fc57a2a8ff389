#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace store {

class Connection;

// The row ids of a table at one moment, in order: the records of a cursor. They are loaded only
// when someone asks for a position or a count; until then the rows inserted and deleted through
// the connection since that moment are noted, so that the load gives the rows of that moment.
class RowIdSnapshot {
public:
    // The snapshot of `table` is now; nothing is loaded yet.
    void take(std::string table);
    void clear();

    // The row ids of the moment, loaded on first use; none when the table cannot be read.
    const std::vector<std::int64_t>* ids(Connection& connection);
    bool loaded() const { return ids_.has_value(); }

    // Whether a row that the table holds now was there at the moment.
    bool held(std::int64_t liveRowId) const;

    // The moment becomes now after a change of the cursor's own: what was noted is carried into
    // the loaded ids, as a reload would give them.
    void renew();

    void noteChange(bool inserted, std::int64_t rowId);

private:
    static constexpr std::size_t kMostNotedChanges = 100000;

    std::string table_;
    std::optional<std::vector<std::int64_t>> ids_;
    std::vector<std::pair<bool, std::int64_t>> changes_; // inserted?, row id; oldest first
    // Per row id noted: whether it was there at the moment (its first noted change is a deletion).
    std::unordered_map<std::int64_t, bool> heldAtMoment_;
    bool tooManyChanges_ = false;
};

} // namespace store
