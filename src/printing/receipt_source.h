#pragma once

#include "app/app.h"
#include "printing/receipt.h"

#include <optional>
#include <string>

namespace printing {

// The restaurant's name, address, phone and footer as set on the printer settings.
Restaurant readRestaurant(app::App& app);
// Stores the four texts in one transaction.
bool storeRestaurant(app::App& app, const Restaurant& restaurant);

// The order with its lines and, once settled, how it was paid, as the database holds them;
// nothing when the order is not there or could not be read.
std::optional<Receipt> readReceipt(app::App& app, const std::string& number);

} // namespace printing
