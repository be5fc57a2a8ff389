#pragma once

#include <string>
#include <vector>

namespace testing_support {

// A line as an ESC/POS printer would print it, back in UTF-8, with the state it was printed in.
struct PrintedLine {
    std::string text;
    int align = 0; // 0 left, 1 centre, 2 right
    bool bold = false;
    bool large = false;
};

// What a printer made of the bytes: the lines, and every command in order by name ("init",
// "chinese", "cut", "drawer", "feed"). `faults` names what a printer would not have understood:
// a command it does not know, text not in the encoding, text never fed out.
struct Printout {
    std::vector<PrintedLine> lines;
    std::vector<std::string> commands;
    std::vector<std::string> faults;
};

// Reads the bytes as a printer would, its text in the encoding given by its iconv name.
Printout decodeEscPos(const std::string& bytes, const std::string& encoding);

} // namespace testing_support
