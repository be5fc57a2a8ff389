#pragma once

#include "app/app.h"

#include <optional>
#include <string>

namespace records {

// Whether a settled order belongs to a day already closed: it was settled before the end of the
// last close, or, settled before payments were recorded, opened before it. Nothing when that
// could not be read.
std::optional<bool> belongsToClosedDay(app::App& app, const std::string& number);

// Whether the logged-in user is the administrator: the first user of the table.
bool isAdministrator(app::App& app);

// Writes the order and its lines, as they are before their deletion, to the deletion log with
// who deleted them and when. Meant for the deletion's own transaction.
bool logDeletion(app::App& app, const std::string& number, bool fromClosedDay);

} // namespace records
