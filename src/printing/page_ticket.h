#pragma once

#include "printing/ticket.h"
#include "ui/controls.h"

#include <string>

namespace printing {

// A two-column list as a ticket: the heading large, then each row's item at the left and its
// value at the right, wrapped when the two do not fit one line.
Ticket pageTicket(const std::string& heading, const ui::ListView& page, int columns);

} // namespace printing
