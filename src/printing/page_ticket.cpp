#include "printing/page_ticket.h"

namespace printing {

Ticket pageTicket(const std::string& heading, const ui::ListView& page, int columns) {
    Ticket ticket;
    for (const std::string& piece : wrapToWidth(heading, columns / 2))
        ticket.lines.push_back({piece, Align::Center, true, true});
    ticket.lines.push_back({std::string(static_cast<std::size_t>(columns), '-')});
    for (int row = 0; row < page.rowCount(); ++row) {
        std::string values;
        for (int column = 1; column < page.columnCount(); ++column) {
            const std::string cell = page.cellText(row, column);
            if (cell.empty()) continue;
            values += (values.empty() ? "" : "  ") + cell;
        }
        addPair(ticket, page.cellText(row, 0), values, columns);
    }
    return ticket;
}

} // namespace printing
