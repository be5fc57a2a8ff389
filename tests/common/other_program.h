#pragma once

#include <filesystem>
#include <string>

struct sqlite3;

namespace testing_support {

// Another program at work on a database file: while a hold lives, the file cannot be read at all
// (Hold::Everything, as during a backup that rewrites it) or only cannot be written
// (Hold::Writes, as while another program writes).
class OtherProgram {
public:
    enum class Hold { Everything, Writes };

    OtherProgram(const std::filesystem::path& database, Hold hold);
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    // Lets go, leaving the file as it was.
    ~OtherProgram();

private:
    sqlite3* db_ = nullptr;
};

// Overwrites the first page of the table's storage with bytes no database page holds, as a disk
// fault might. The table's root page is the one every read of it goes through.
void damageTable(const std::filesystem::path& database, const std::string& table);

// The bytes of a file, to tell whether anything wrote to it.
std::string fileBytes(const std::filesystem::path& file);

} // namespace testing_support
