#include "printing/escpos_decoder.h"

#include <iconv.h>
#include <string>
#include <vector>

namespace testing_support {
namespace {

std::string toUtf8(const std::string& text, const std::string& encoding,
                   std::vector<std::string>& faults) {
    if (encoding == "UTF-8") return text;
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    std::string out(text.size() * 4 + 4, '\0');
    std::string in = text;
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) faults.push_back("bytes that are not " + encoding);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

Printout decodeEscPos(const std::string& bytes, const std::string& encoding) {
    Printout printout;
    PrintedLine state;
    std::string pending;
    const auto byteAt = [&](std::size_t at) {
        return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
    };
    for (std::size_t at = 0; at < bytes.size();) {
        const unsigned char c = byteAt(at);
        if (c == 0x1B && byteAt(at + 1) == '@') {
            printout.commands.push_back("init");
            at += 2;
        } else if (c == 0x1C && byteAt(at + 1) == '&') {
            printout.commands.push_back("chinese");
            at += 2;
        } else if (c == 0x1B && byteAt(at + 1) == 'a') {
            state.align = byteAt(at + 2);
            at += 3;
        } else if (c == 0x1B && byteAt(at + 1) == 'E') {
            state.bold = byteAt(at + 2) != 0;
            at += 3;
        } else if (c == 0x1D && byteAt(at + 1) == '!') {
            state.large = byteAt(at + 2) != 0;
            at += 3;
        } else if (c == 0x1B && byteAt(at + 1) == 'd') {
            printout.commands.push_back("feed");
            at += 3;
        } else if (c == 0x1D && byteAt(at + 1) == 'V') {
            printout.commands.push_back("cut");
            at += 3;
        } else if (c == 0x1B && byteAt(at + 1) == 'p') {
            printout.commands.push_back("drawer");
            at += 5;
        } else if (c == '\n') {
            PrintedLine line = state;
            line.text = toUtf8(pending, encoding, printout.faults);
            printout.lines.push_back(line);
            pending.clear();
            ++at;
        } else if (c < 0x20) {
            printout.faults.push_back("an unknown command byte " + std::to_string(c) + " at " +
                                      std::to_string(at));
            ++at;
        } else {
            pending += static_cast<char>(c);
            ++at;
        }
    }
    if (!pending.empty()) printout.faults.push_back("text after the last line feed");
    return printout;
}

} // namespace testing_support
