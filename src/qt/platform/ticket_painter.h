#pragma once

#include "printing/ticket.h"

#include <QPainter>
#include <functional>

namespace qtui {

// Draws a ticket as a receipt printer prints it, on any paint device: lines of `columns`
// columns, an ASCII character one column wide and any other two. Each word starts at its own
// column, so amounts line up in their columns whatever the widths of the font's letters.
class TicketPainter {
public:
    // `columnWidth` in the units of the painter the ticket is drawn with.
    TicketPainter(int columns, double columnWidth);

    double width() const { return columns_ * columnWidth_; }
    double height(const printing::Ticket& ticket) const;

    // Draws the ticket from `top` down. A line that would pass `bottom` starts a new page
    // through `newPage`, which gives the top of the new page.
    void paint(QPainter& painter, const printing::Ticket& ticket, double left, double top,
               double bottom, const std::function<double()>& newPage) const;

private:
    double lineHeight(const printing::TicketLine& line) const;
    void paintLine(QPainter& painter, const printing::TicketLine& line, double left,
                   double top) const;

    int columns_;
    double columnWidth_;
};

} // namespace qtui
