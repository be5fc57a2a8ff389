#pragma once

#include "app/app.h"

#include <string_view>

namespace ordering {

// The order screen's handlers: opening a table, adding dishes, quantities, deleting lines and
// switching between open orders.
void bindOrderScreen(app::App& app);

// The fills other screens call while the order screen is open. Each gives false when it could
// not read all it shows; the caller tells the user.
bool fillDiningTables(app::App& app);
bool fillCategoryGroups(app::App& app);
bool fillDishes(app::App& app);
// Lists the tables with an open order; a name given selects that table and makes it current.
bool fillOpenTables(app::App& app, std::string_view tableToSelect = {});
// Another counter changed the orders: the open tables are listed as they are now, the chosen one
// kept. Quiet when they cannot be read: the next action tells.
void followOtherCounters(app::App& app);

} // namespace ordering
