#include "printing/ticket.h"

#include "support/utf8.h"

namespace printing {
namespace {

// The character at the offset and its columns; an invalid byte counts as one of one.
std::pair<std::size_t, int> characterAt(std::string_view text, std::size_t offset) {
    const auto decoded = support::decodeUtf8(text, offset);
    if (!decoded) return {1, 1};
    return {decoded->length, decoded->code < 0x80 ? 1 : 2};
}

} // namespace

int displayWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto [length, columns] = characterAt(utf8, offset);
        width += columns;
        offset += length;
    }
    return width;
}

void addPair(Ticket& ticket, const std::string& label, const std::string& value, int columns) {
    const int gap = columns - displayWidth(label) - displayWidth(value);
    if (gap >= 1) {
        ticket.lines.push_back({label + std::string(static_cast<std::size_t>(gap), ' ') + value});
        return;
    }
    for (const std::string& piece : wrapToWidth(label, columns))
        ticket.lines.push_back({piece});
    for (const std::string& piece : wrapToWidth(value, columns))
        ticket.lines.push_back({piece, Align::Right});
}

std::vector<std::string> wrapToWidth(std::string_view utf8, int columns) {
    std::vector<std::string> pieces(1);
    int width = 0;
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto [length, taken] = characterAt(utf8, offset);
        if (width + taken > columns && width > 0) {
            pieces.emplace_back();
            width = 0;
        }
        pieces.back().append(utf8.substr(offset, length));
        width += taken;
        offset += length;
    }
    return pieces;
}

} // namespace printing
