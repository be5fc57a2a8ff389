#include "ui/packed_row.h"

#include <algorithm>

namespace ui {
namespace {

void appendLength(std::string& bytes, std::size_t length) {
    while (length >= 0x80) {
        bytes += static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    bytes += static_cast<char>(length);
}

std::size_t lengthBytes(std::size_t length) {
    std::size_t bytes = 1;
    for (; length >= 0x80; length >>= 7)
        ++bytes;
    return bytes;
}

// Reads a length at `offset` and moves past it.
std::size_t readLength(const std::string& bytes, std::size_t& offset) {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[offset++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return length;
    }
}

} // namespace

PackedRow::PackedRow(std::size_t cells) : bytes_(cells, '\0'), cells_(cells) {}

PackedRow::PackedRow(std::size_t cells, std::initializer_list<std::string_view> texts)
    : cells_(std::max(cells, texts.size())) {
    std::size_t size = cells_;
    for (const std::string_view text : texts)
        size += lengthBytes(text.size()) + text.size() - 1;
    bytes_.reserve(size);
    for (const std::string_view text : texts) {
        appendLength(bytes_, text.size());
        bytes_ += text;
    }
    bytes_.append(cells_ - texts.size(), '\0');
}

std::string_view PackedRow::cell(std::size_t index) const {
    if (index >= cells_) return {};
    auto [start, end] = span(index);
    readLength(bytes_, start);
    return std::string_view(bytes_).substr(start, end - start);
}

void PackedRow::set(std::size_t index, std::string_view text) {
    while (index >= cells_) {
        bytes_ += '\0';
        ++cells_;
    }
    const auto [start, end] = span(index);
    std::string length;
    appendLength(length, text.size()); // short enough to need no allocation
    bytes_.replace(start, end - start, length);
    bytes_.insert(start + length.size(), text);
}

std::pair<std::size_t, std::size_t> PackedRow::span(std::size_t index) const {
    std::size_t offset = 0;
    for (std::size_t cell = 0; cell < index; ++cell) {
        const std::size_t length = readLength(bytes_, offset);
        offset += length;
    }
    std::size_t end = offset;
    const std::size_t length = readLength(bytes_, end);
    return {offset, end + length};
}

} // namespace ui
