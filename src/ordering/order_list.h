#pragma once

#include "app/app.h"

namespace ordering {

// The checkout screen's list of open orders, filled afresh: its lists, labels and boxes are
// emptied first.
void fillOrderList(app::App& app);

} // namespace ordering
