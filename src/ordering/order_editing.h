#pragma once

#include "app/app.h"

namespace ordering {

// Adding dishes, raising and lowering quantities, deleting lines and switching between open
// orders on the order screen.
void bindOrderEditing(app::App& app);

} // namespace ordering
