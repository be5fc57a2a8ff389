#include "store/fault_log.h"

#include <sqlite3.h>

namespace store {

void FaultLog::note(int engineResult) {
    const int primary = engineResult & 0xff;
    if (primary == SQLITE_OK || primary == SQLITE_ROW || primary == SQLITE_DONE) return;
    ++count_;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) damaged_ = true;
}

} // namespace store
