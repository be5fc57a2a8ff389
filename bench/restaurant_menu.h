#pragma once

#include "sqlite_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// A dish as the order screen takes it from the menu: the name before "/", the price in yuan.
struct MenuDish {
    std::string name;
    std::int64_t price = 0;
    std::string category;
};

// The restaurant of the generated databases: the delivered starter menu grown, as a restaurant
// would on the settings screens, to 40 dining tables, 8 categories and 120 dishes.
inline constexpr int kDiningTableCount = 40;
inline constexpr int kCategoryCount = 8;
inline constexpr int kDishCount = 120;

// Adds the dining tables, categories and dishes that the delivered database lacks.
void growMenu(SqliteFile& db);

// Every dining table and dish stored, in table order.
std::vector<std::string> storedDiningTables(SqliteFile& db);
std::vector<MenuDish> storedDishes(SqliteFile& db);

} // namespace bench
