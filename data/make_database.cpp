// Puts the delivered database at the given place unless a database is already there: an existing
// file holds a restaurant's data and is never touched.

#include "delivered_database.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_database <script.sql> <cysj.db>\n";
        return 2;
    }
    const std::filesystem::path script = argv[1];
    const std::filesystem::path target = argv[2];
    if (std::filesystem::exists(target)) return 0;

    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::cerr << "make_database: cannot read " << script.string() << '\n';
        return 1;
    }
    std::ostringstream sql;
    sql << in.rdbuf();
    std::string error;
    if (!data::createDatabase(sql.str(), target, &error)) {
        std::cerr << "make_database: " << error << '\n';
        return 1;
    }
    std::cout << "make_database: created " << target.string() << '\n';
    return 0;
}
