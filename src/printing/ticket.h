#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace printing {

enum class Align { Left, Center, Right };

// One printed line: the text in the program's UTF-8, and how it looks.
struct TicketLine {
    std::string text;
    Align align = Align::Left;
    bool bold = false;
    // Twice as wide and twice as high: the line then holds half the columns.
    bool large = false;
};

// What a printer is to print, before it is turned into its commands: lines of at most the
// paper's columns, then a cut and a pulse to the cash drawer when asked for.
struct Ticket {
    std::vector<TicketLine> lines;
    bool cut = true;
    bool openDrawer = false;
};

// How many columns of a receipt printer the text takes: one for an ASCII character, two for any
// other (a Chinese character, "￥").
int displayWidth(std::string_view utf8);

// "label" at the left and "value" at the right of one line of the paper; when the two do not fit
// one line, the label's lines come first and the value's follow at the right.
void addPair(Ticket& ticket, const std::string& label, const std::string& value, int columns);

// The text cut into pieces of at most `columns` columns, never inside a character.
std::vector<std::string> wrapToWidth(std::string_view utf8, int columns);

} // namespace printing
