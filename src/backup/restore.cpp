#include "backup/restore.h"

#include "backup/backup_folder.h"
#include "store/schema.h"
#include "store/schema_upgrade.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace backup {
namespace {

// A whole file this program can open: it holds the orders table and was not written by a newer
// program.
bool usable(const std::filesystem::path& backupFile) {
    const auto version = store::schemaVersionOf(backupFile);
    return version && *version <= store::kSchemaVersion &&
           store::countRows(backupFile, store::schema::orders::kTable) &&
           store::isWholeDatabase(backupFile);
}

// Keeps the current file aside. The engine's copy is consistent even while another program
// writes; a file the engine cannot read (a damaged one) is kept byte for byte instead.
bool keep(const std::filesystem::path& database, const std::filesystem::path& kept) {
    std::error_code error;
    if (!store::copyDatabase(database, kept)) return true;
    std::filesystem::remove(kept, error);
    return std::filesystem::copy_file(database, kept, error) && !error;
}

// Whether the file has lost the header that makes it a database: the engine will never open it
// again, so nothing in it, nor in a journal beside it, can be saved by the engine.
bool headerIsGone(const std::filesystem::path& database) {
    constexpr char kMagic[] = "SQLite format 3"; // and its terminating zero: 16 bytes
    char header[sizeof kMagic] = {};
    std::ifstream file(database, std::ios::binary);
    file.read(header, sizeof header);
    return !file || !std::equal(std::begin(kMagic), std::end(kMagic), std::begin(header));
}

// For a current file the engine cannot write into (its header is gone): a checked copy of the
// backup takes its name. The old file's journals go first, so that none is played over the copy.
bool replaceFile(const std::filesystem::path& database, const std::filesystem::path& backupFile) {
    std::error_code error;
    const std::filesystem::path incoming = withSuffix(database, ".restoring");
    if (store::copyDatabase(backupFile, incoming) || !store::isWholeDatabase(incoming)) {
        std::filesystem::remove(incoming, error);
        return false;
    }
    for (const char* journal : {"-journal", "-wal", "-shm"})
        std::filesystem::remove(withSuffix(database, journal), error);
    std::filesystem::rename(incoming, database, error);
    if (!error) return true;
    std::filesystem::remove(incoming, error);
    return false;
}

} // namespace

std::filesystem::path keptFileFor(const std::filesystem::path& database,
                                  const support::CalendarTime& moment) {
    // cysj-20261210-083000.db becomes cysj-before-restore-20261210-083000.db
    return database.parent_path() / ("cysj-before-restore-" + backupFileName(moment).substr(5));
}

RestoreOutcome restoreBackup(const std::filesystem::path& database,
                             const std::filesystem::path& backupFile,
                             const support::CalendarTime& moment,
                             const store::CopyProgress& progress) {
    if (!usable(backupFile)) return {RestoreResult::BackupUnusable, {}};
    const std::filesystem::path kept = keptFileFor(database, moment);
    if (!keep(database, kept)) return {RestoreResult::CurrentNotKept, {}};
    if (!store::copyDatabase(backupFile, database, progress))
        return {RestoreResult::Restored, kept};
    // Any other failure is the engine's to undo: its journal brings the current data back.
    if (headerIsGone(database) && replaceFile(database, backupFile))
        return {RestoreResult::Restored, kept};
    return {RestoreResult::NotReplaced, kept};
}

} // namespace backup
