#pragma once

#include "app/app.h"

#include <string_view>

namespace ordering {

// The order screen's handlers: opening a table, adding dishes, quantities, deleting lines and
// switching between open orders.
void bindOrderScreen(app::App& app);

// The fills other screens call while the order screen is open.
void fillDiningTables(app::App& app);
void fillCategoryGroups(app::App& app);
void fillDishes(app::App& app);
// Lists the tables with an open order; a name given selects that table and makes it current.
void fillOpenTables(app::App& app, std::string_view tableToSelect = {});

} // namespace ordering
