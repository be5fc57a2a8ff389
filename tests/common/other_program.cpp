#include "common/other_program.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sqlite3.h>

namespace testing_support {

OtherProgram::OtherProgram(const std::filesystem::path& database, Hold hold) {
    EXPECT_EQ(sqlite3_open(database.string().c_str(), &db_), SQLITE_OK);
    const char* begin = hold == Hold::Everything ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
    EXPECT_EQ(sqlite3_exec(db_, begin, nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db_);
}

OtherProgram::~OtherProgram() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
}

void damageTable(const std::filesystem::path& database, const std::string& table) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.string().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT rootpage, (SELECT page_size FROM pragma_page_size) "
                                 "FROM sqlite_master WHERE type = 'table' AND name = ?",
                                 -1, &query, nullptr),
              SQLITE_OK);
    sqlite3_bind_text(query, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW) << "no table " << table;
    const long long page = sqlite3_column_int64(query, 0);
    const long long pageSize = sqlite3_column_int64(query, 1);
    sqlite3_finalize(query);
    sqlite3_close(db);

    std::fstream file(database, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp((page - 1) * pageSize);
    const std::string garbage(static_cast<std::size_t>(pageSize), '\xff');
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    ASSERT_TRUE(file.good());
}

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testing_support
