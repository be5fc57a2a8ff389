#pragma once

#include "app/app.h"

namespace checkout {

// The checkout screen's handlers: the selected order's lines, the change as the amount is typed,
// and settling (the button and Enter in the amount box).
void bindCheckoutScreen(app::App& app);

} // namespace checkout
