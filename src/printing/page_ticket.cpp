#include "printing/page_ticket.h"

namespace printing {

Ticket pageTicket(const std::string& heading, const ui::ListView& page, int columns) {
    Ticket ticket;
    for (const std::string& piece : wrapToWidth(heading, columns / 2))
        ticket.lines.push_back({piece, Align::Center, true, true});
    ticket.lines.push_back({std::string(static_cast<std::size_t>(columns), '-')});
    for (int row = 0; row < page.rowCount(); ++row) {
        const std::string item = page.cellText(row, 0);
        const std::string value = page.cellText(row, 1);
        const int gap = columns - displayWidth(item) - displayWidth(value);
        if (gap >= 1) {
            ticket.lines.push_back(
                {item + std::string(static_cast<std::size_t>(gap), ' ') + value});
            continue;
        }
        for (const std::string& piece : wrapToWidth(item, columns))
            ticket.lines.push_back({piece});
        for (const std::string& piece : wrapToWidth(value, columns))
            ticket.lines.push_back({piece, Align::Right});
    }
    return ticket;
}

} // namespace printing
