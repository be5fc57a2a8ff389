#pragma once

#include "store/pg_connection.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dbtool {

struct TableCount {
    std::string table;
    std::int64_t rows = 0;
};

struct ServerOutcome {
    bool done = false;
    std::string failure;            // why nothing was changed
    std::vector<TableCount> copied; // each table's rows, as counted on both sides
};

// Creates the program's tables on an empty server database from the schema script, in one
// transaction. Refused when the tables are there already.
ServerOutcome initServer(store::PgConnection& server, const std::string& schemaSql);

// Copies every table of cysj.db to the server in one transaction, creating the tables first when
// the server has none. Before it commits, each table's row count and every order's total are
// read back from the server and compared with the file; any difference undoes the whole copy.
// Refused, changing nothing, when the server already holds any row, or when the file is of
// another version than the server's tables.
ServerOutcome copyToServer(const std::filesystem::path& file, store::PgConnection& server,
                           const std::string& schemaSql);

} // namespace dbtool
