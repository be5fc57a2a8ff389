#include "common/fresh_database.h"

#include "delivered_database.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace testing_support {

const std::string& deliveredDatabaseSql() {
    static const std::string sql = [] {
        std::ifstream in(VELTRANO_DATABASE_SQL, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }();
    return sql;
}

std::filesystem::path createDeliveredDatabase(const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / "cysj.db";
    std::string error;
    EXPECT_FALSE(deliveredDatabaseSql().empty()) << "cannot read " << VELTRANO_DATABASE_SQL;
    EXPECT_TRUE(data::createDatabase(deliveredDatabaseSql(), file, &error)) << error;
    return file;
}

} // namespace testing_support
