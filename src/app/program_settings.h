#pragma once

#include "app/app.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

// A setting's stored text; nothing when none is stored or the settings cannot be read, so that
// the caller falls back on its default.
std::optional<std::string> readSetting(App& app, const std::string& name);

using SettingValues = std::vector<std::pair<std::string, std::string>>;
// Stores every value, each under its name, in one transaction: all of them or none.
bool storeSettings(App& app, const SettingValues& values);

} // namespace app
