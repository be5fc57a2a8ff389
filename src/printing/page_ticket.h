#pragma once

#include "printing/ticket.h"
#include "ui/controls.h"

#include <string>

namespace printing {

// A list as a ticket: the heading large, then each row's item at the left and its values (the
// other columns, two spaces apart) at the right, wrapped when they do not fit one line.
Ticket pageTicket(const std::string& heading, const ui::ListView& page, int columns);

} // namespace printing
