#pragma once

#include <string>

namespace dbtool {

// data/postgres.sql as built into the program: the tables on a PostgreSQL server.
const std::string& postgresSchema();

} // namespace dbtool
