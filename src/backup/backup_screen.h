#pragma once

#include "app/app.h"

namespace backup {

// The backup and restore screen, reached from the settings menu, and the day's backup at start
// and at the end of the program.
void bindBackup(app::App& app);

} // namespace backup
