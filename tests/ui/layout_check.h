#pragma once

#include "ui/window_def.h"

#include <span>

namespace testing_support {

// One row of a screen's layout table.
struct Expected {
    const char* name;
    ui::ControlKind kind;
    const char* container; // "": the window
    int left, top, width, height;
};

// The definition holds exactly the rows, in their order (the runtime builds controls in that
// order, so a container comes before what it holds), each shown and enabled at start except the
// kinds that are never drawn.
void expectLayout(const ui::WindowDef& def, std::span<const Expected> table);

// No two controls share a name, and every container is a group box defined earlier.
void expectUniqueNamesAndEarlierContainers(const ui::WindowDef& def);

} // namespace testing_support
