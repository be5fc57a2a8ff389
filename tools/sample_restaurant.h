#pragma once

#include "support/date_time.h"

#include <filesystem>
#include <string>

namespace pictures {

// The evening the pictures are taken: the last of the month of orders, with tables still open.
inline constexpr support::CalendarTime kPictureMoment{2026, 12, 31, 19, 42, 36};

// Builds at `file` the delivered database as a restaurant has it after a month of work: its staff
// with the permissions of their jobs, and the orders of December 2026 up to kPictureMoment on the
// delivered dining tables and menu, settled with their remarks but for a few tables still eating.
// Every run writes the same orders. `error` receives the reason of a failure.
bool createSampleRestaurant(const std::filesystem::path& file, std::string* error);

} // namespace pictures
