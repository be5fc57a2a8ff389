#pragma once

#include "app/app.h"

namespace ordering {

// The checkout screen's list of open orders, filled afresh: its lists, labels and boxes are
// emptied first. False when the orders could not all be read; the caller tells the user.
bool fillOrderList(app::App& app);

} // namespace ordering
