#include "records/table_file.h"

#include "support/gbk.h"
#include "support/utf8.h"

#include <fstream>

namespace records {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCharsetLine =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GBK\">";

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// GBK holds every text the program shows; a character it cannot hold becomes "?".
std::string toGbk(std::string_view utf8) {
    if (auto whole = support::utf8ToGbk(utf8)) return *whole;
    std::string out;
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto decoded = support::decodeUtf8(utf8, offset);
        const std::size_t length = decoded ? decoded->length : 1;
        out += support::utf8ToGbk(utf8.substr(offset, length)).value_or("?");
        offset += length;
    }
    return out;
}

} // namespace

bool writeTableFile(const std::filesystem::path& path, const ui::ListView& list, bool headerRow,
                    std::string_view title) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << kCharsetLine << kLineEnd;
    std::string piece;
    const auto line = [&](std::string_view content) { piece.append(content).append(kLineEnd); };
    const auto write = [&] {
        file << toGbk(piece);
        piece.clear();
    };

    const int columns = list.columnCount();
    if (!title.empty()) {
        line("<table border=\"0\">");
        line("  <tr>");
        line("<th  colspan='" + std::to_string(columns) +
             "' style='font-family:宋体;font-size:30px;'>" + escaped(title) + "</th>");
        line("  </tr>");
        line("</table>");
    }
    line("<table border=\"1\">");
    if (headerRow) {
        line("  <tr>");
        for (int column = 0; column < columns; ++column)
            line("    <th>" + escaped(list.columnTitle(column)) + "</th>");
        line("  </tr>");
    }
    write();
    for (int row = 0; row < list.rowCount(); ++row) {
        line("  <tr>");
        for (int column = 0; column < columns; ++column)
            line("    <td>" + escaped(list.cellText(row, column)) + "</td>");
        line("  </tr>");
        write();
    }
    line("</table>");
    write();
    file.close();
    return !file.fail();
}

} // namespace records
