#pragma once

#include "printing/ticket.h"

#include <optional>
#include <string>
#include <string_view>

namespace printing {

// The text encodings receipt printers take: those sold in China read GB18030 or GBK once their
// Chinese mode is on; some newer ones read UTF-8.
enum class TextEncoding { Gb18030, Gbk, Utf8 };

// The name a setting stores, and back; an unknown name gives nothing.
std::string_view encodingName(TextEncoding encoding);
std::optional<TextEncoding> encodingNamed(std::string_view name);

// The text in the encoding. A character the encoding cannot hold is printed as "?", so that a
// receipt is never lost for one odd character.
std::string encodeText(std::string_view utf8, TextEncoding encoding);

// The commands of an ESC/POS printer for the ticket: initialise, Chinese mode for the GB
// encodings, then each line with its alignment, weight and size, fed; the cut and the drawer
// pulse last.
std::string escPosBytes(const Ticket& ticket, TextEncoding encoding);

} // namespace printing
