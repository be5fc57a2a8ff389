#pragma once

#include "app/app.h"

namespace checkout {

// The checkout screen's handlers: the selected order's lines, the change as the amount is typed,
// and settling (the button and Enter in the amount box).
void bindCheckoutScreen(app::App& app);
// Another counter changed the orders: the open orders are listed as they are now, the order the
// cashier chose and what was typed for it kept while it is still open.
void followOtherCounters(app::App& app);

} // namespace checkout
