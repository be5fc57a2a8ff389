#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace store {

// Where a cursor stands: before the first record, on one, or after the last. A position number
// is worked out from the row ids only when asked for.
struct CursorPlace {
    enum class Kind { Before, On, After } kind = Kind::Before;
    std::int64_t rowId = 0;
    std::optional<int> number;

    // The row ids of the cursor's records in order, loaded when first needed; nothing when they
    // cannot be read.
    using RowIds = std::function<const std::vector<std::int64_t>*()>;

    // Record `recordNumber`, or before the first or after the last when there is no such record.
    static CursorPlace at(int recordNumber, const RowIds& rowIds);
    int position(const RowIds& rowIds);
};

} // namespace store
