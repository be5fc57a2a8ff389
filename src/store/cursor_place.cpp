#include "store/cursor_place.h"

#include <algorithm>

namespace store {

CursorPlace CursorPlace::at(int recordNumber, const RowIds& rowIds) {
    if (recordNumber <= 0) return {Kind::Before, 0, 0};
    const auto* ids = rowIds();
    const int count = ids ? static_cast<int>(ids->size()) : 0;
    if (recordNumber > count) return {Kind::After, 0, count + 1};
    return {Kind::On, (*ids)[static_cast<std::size_t>(recordNumber - 1)], recordNumber};
}

int CursorPlace::position(const RowIds& rowIds) {
    if (kind == Kind::Before) return 0;
    if (!number) {
        const auto* ids = rowIds();
        const int count = ids ? static_cast<int>(ids->size()) : 0;
        if (kind == Kind::After)
            number = count + 1;
        else
            number = ids ? static_cast<int>(std::lower_bound(ids->begin(), ids->end(), rowId) -
                                            ids->begin()) +
                               1
                         : 1;
    }
    return *number;
}

} // namespace store
