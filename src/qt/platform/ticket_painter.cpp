#include "qt/platform/ticket_painter.h"

#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <string>

namespace qtui {
namespace {

// A line takes this many times the height of a column's width: the proportions of the 12 by 24
// dot characters of a receipt printer, with a little space between the lines.
constexpr double kLineHeightPerColumn = 2.4;

// The font whose letters are one column and whose Chinese characters two, as on the printer;
// the program's package brings it. Any monospace font stands in without it.
QFont ticketFont(double columnWidth, bool bold, QPaintDevice* device) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setBold(bold);
    font.setPixelSize(std::max(1, static_cast<int>(columnWidth * 2)));
    const double advance = QFontMetricsF(font, device).horizontalAdvance(QLatin1Char('0'));
    if (advance > 0)
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * columnWidth / advance)));
    return font;
}

} // namespace

TicketPainter::TicketPainter(int columns, double columnWidth)
    : columns_(std::max(columns, 1)), columnWidth_(columnWidth) {}

double TicketPainter::lineHeight(const printing::TicketLine& line) const {
    return columnWidth_ * kLineHeightPerColumn * (line.large ? 2 : 1);
}

double TicketPainter::height(const printing::Ticket& ticket) const {
    double total = 0;
    for (const printing::TicketLine& line : ticket.lines)
        total += lineHeight(line);
    return total;
}

void TicketPainter::paint(QPainter& painter, const printing::Ticket& ticket, double left,
                          double top, double bottom, const std::function<double()>& newPage) const {
    double y = top;
    for (const printing::TicketLine& line : ticket.lines) {
        if (y + lineHeight(line) > bottom && y > top) {
            y = newPage();
            top = y;
        }
        paintLine(painter, line, left, y);
        y += lineHeight(line);
    }
}

void TicketPainter::paintLine(QPainter& painter, const printing::TicketLine& line, double left,
                              double top) const {
    // A large line is twice as wide and twice as high: it holds half the columns.
    const double scale = line.large ? 2 : 1;
    const double column = columnWidth_ * scale;
    const int room = static_cast<int>(columns_ / scale);
    const int used = printing::displayWidth(line.text);
    int start = 0;
    if (line.align == printing::Align::Center) start = std::max(0, (room - used) / 2);
    if (line.align == printing::Align::Right) start = std::max(0, room - used);

    painter.setFont(ticketFont(column, line.bold, painter.device()));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double baseline = top + (lineHeight(line) + metrics.ascent() - metrics.descent()) / 2;
    const std::string& text = line.text;
    std::size_t at = 0;
    int columnAt = start;
    while (at < text.size()) {
        const std::size_t wordEnd = std::min(text.find(' ', at), text.size());
        if (wordEnd > at) {
            const std::string word = text.substr(at, wordEnd - at);
            painter.drawText(QPointF(left + columnAt * column, baseline),
                             QString::fromStdString(word));
            columnAt += printing::displayWidth(word);
        }
        if (wordEnd < text.size()) ++columnAt;
        at = wordEnd + 1;
    }
}

} // namespace qtui
