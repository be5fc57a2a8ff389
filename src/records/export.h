#pragma once

#include "app/app.h"

namespace records {

// The records screen's two exports to a spreadsheet file: the whole order list, and the lines of
// the order last clicked under a title block.
void exportOrderList(app::App& app);
void exportSelectedOrder(app::App& app);

} // namespace records
