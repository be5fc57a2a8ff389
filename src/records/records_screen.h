#pragma once

#include "app/app.h"

namespace records {

// The records screen's handlers: the three queries, the selected order's lines, the totals,
// deleting an order, and the two exports.
void bindRecordsScreen(app::App& app);

} // namespace records
