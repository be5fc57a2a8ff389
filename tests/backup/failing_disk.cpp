#include "backup/failing_disk.h"

#include <cstring>
#include <sqlite3.h>
#include <string>

namespace testing_support {
namespace {

struct Settings {
    std::string nameEnding;
    long long bytes = 0;
    sqlite3_vfs* real = nullptr;
};
Settings settings;
sqlite3_vfs failing{};

// A file of the failing disk: the real file, followed by what the writes may still take.
struct File {
    sqlite3_file base;
    long long room;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->real;
}

int write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    auto* own = reinterpret_cast<File*>(file);
    if (own->room >= 0) {
        if (amount > own->room) return SQLITE_FULL;
        own->room -= amount;
    }
    return own->real->pMethods->xWrite(own->real, data, amount, offset);
}

int close(sqlite3_file* file) {
    sqlite3_file* real = realOf(file);
    const int result = real->pMethods->xClose(real);
    sqlite3_free(real);
    return result;
}

// Every other method goes to the real file.
int read(sqlite3_file* f, void* d, int n, sqlite3_int64 o) {
    return realOf(f)->pMethods->xRead(realOf(f), d, n, o);
}
int truncate(sqlite3_file* f, sqlite3_int64 s) {
    return realOf(f)->pMethods->xTruncate(realOf(f), s);
}
int sync(sqlite3_file* f, int flags) {
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* s) {
    return realOf(f)->pMethods->xFileSize(realOf(f), s);
}
int lock(sqlite3_file* f, int l) {
    return realOf(f)->pMethods->xLock(realOf(f), l);
}
int unlock(sqlite3_file* f, int l) {
    return realOf(f)->pMethods->xUnlock(realOf(f), l);
}
int checkReservedLock(sqlite3_file* f, int* r) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), r);
}
int fileControl(sqlite3_file* f, int op, void* a) {
    return realOf(f)->pMethods->xFileControl(realOf(f), op, a);
}
int sectorSize(sqlite3_file* f) {
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int deviceCharacteristics(sqlite3_file* f) {
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

// Version 1: no shared memory (no write-ahead log) and no memory mapping.
const sqlite3_io_methods kMethods = {
    1,
    close,
    read,
    write,
    truncate,
    sync,
    fileSize,
    lock,
    unlock,
    checkReservedLock,
    fileControl,
    sectorSize,
    deviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* own = reinterpret_cast<File*>(file);
    own->base.pMethods = nullptr;
    own->real = static_cast<sqlite3_file*>(sqlite3_malloc(settings.real->szOsFile));
    if (!own->real) return SQLITE_NOMEM;
    std::memset(own->real, 0, static_cast<std::size_t>(settings.real->szOsFile));
    const int result = settings.real->xOpen(settings.real, name, own->real, flags, outFlags);
    if (result != SQLITE_OK) {
        sqlite3_free(own->real);
        return result;
    }
    const std::string path = name ? name : "";
    own->room = path.ends_with(settings.nameEnding) ? settings.bytes : -1;
    own->base.pMethods = &kMethods;
    return SQLITE_OK;
}

} // namespace

FailingDisk::FailingDisk(std::string nameEnding, long long bytes) {
    settings = {std::move(nameEnding), bytes, sqlite3_vfs_find(nullptr)};
    failing = *settings.real;
    failing.zName = "failing-disk";
    failing.szOsFile = sizeof(File);
    failing.xOpen = open;
    failing.pNext = nullptr;
    sqlite3_vfs_register(&failing, 1);
}

FailingDisk::~FailingDisk() {
    sqlite3_vfs_unregister(&failing);
    sqlite3_vfs_register(settings.real, 1);
}

} // namespace testing_support
