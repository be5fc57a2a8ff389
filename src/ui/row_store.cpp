#include "ui/row_store.h"

#include <algorithm>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace ui {
namespace {

// Blocks grow from a page to the size of a large page, so that a list of a few rows stays small.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargePage = 2 * 1024 * 1024;
// Rows rewritten leave their old bytes; beyond this much, and beyond the rows' own, they go.
constexpr std::size_t kMostDeadBytes = 1024 * 1024;

std::size_t lengthBytes(std::size_t length) {
    std::size_t bytes = 1;
    for (; length >= 0x80; length >>= 7)
        ++bytes;
    return bytes;
}

char* putLength(char* out, std::size_t length) {
    while (length >= 0x80) {
        *out++ = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    return out;
}

std::size_t takeLength(const char*& in) {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return length;
    }
}

} // namespace

char* allocateRowMemory(std::size_t bytes) {
    if (bytes < kLargePage) return new char[bytes];
    auto* memory = static_cast<char*>(::operator new (bytes, std::align_val_t{kLargePage}));
#ifdef __linux__
    // Faulted in as large pages where the system allows it: filling years of orders the first
    // time then costs a few page faults instead of tens of thousands.
    madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    return memory;
}

void freeRowMemory(char* bytes, std::size_t size) {
    if (size < kLargePage)
        delete[] bytes;
    else
        ::operator delete (bytes, std::align_val_t{kLargePage});
}

std::string_view RowStore::cell(std::size_t row, std::size_t column) const {
    if (row >= rows_.size()) return {};
    const char* in = rows_[row];
    const std::size_t cells = takeLength(in);
    if (column >= cells) return {};
    for (std::size_t skipped = 0; skipped < column; ++skipped)
        in += takeLength(in);
    const std::size_t length = takeLength(in);
    return {in, length};
}

void RowStore::insert(std::size_t position, std::size_t cells,
                      std::initializer_list<std::string_view> texts) {
    const char* packed = pack(texts, cells > texts.size() ? cells - texts.size() : 0);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(position, rows_.size())),
                 packed);
}

void RowStore::set(std::size_t row, std::size_t column, std::string_view text) {
    if (row >= rows_.size()) return;
    std::vector<std::string_view> cells = cellsOf(row);
    const std::size_t oldSize = packedSize(cells);
    if (column >= cells.size()) cells.resize(column + 1);
    cells[column] = text;
    // The texts still point into the old row, which stays where it is until the rows are packed
    // again.
    rows_[row] = pack(cells);
    liveBytes_ -= oldSize;
    deadBytes_ += oldSize;
    if (deadBytes_ > std::max(liveBytes_, kMostDeadBytes)) repack();
}

void RowStore::erase(std::size_t row) {
    if (row >= rows_.size()) return;
    const std::size_t size = packedSize(cellsOf(row));
    liveBytes_ -= size;
    deadBytes_ += size;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void RowStore::clear() {
    rows_.clear();
    for (Block& block : blocks_)
        block.used = 0;
    current_ = 0;
    liveBytes_ = 0;
    deadBytes_ = 0;
}

void RowStore::release() {
    decltype(rows_)().swap(rows_);
    for (const Block& block : blocks_)
        freeRowMemory(block.bytes, block.size);
    std::vector<Block>().swap(blocks_);
    current_ = 0;
    liveBytes_ = 0;
    deadBytes_ = 0;
}

char* RowStore::allot(std::size_t bytes) {
    for (; current_ < blocks_.size(); ++current_) {
        Block& block = blocks_[current_];
        if (block.size - block.used >= bytes) {
            char* room = block.bytes + block.used;
            block.used += bytes;
            return room;
        }
    }
    const std::size_t grown = blocks_.empty() ? kFirstBlock : blocks_.back().size * 2;
    const bool large = grown >= kLargePage || bytes > kLargePage;
    const std::size_t size =
        large ? (std::max(bytes, kLargePage) + kLargePage - 1) / kLargePage * kLargePage
              : std::max(grown, bytes);
    blocks_.push_back({allocateRowMemory(size), size, bytes});
    current_ = blocks_.size() - 1;
    return blocks_.back().bytes;
}

template <typename Texts>
std::size_t RowStore::packedSize(const Texts& texts, std::size_t emptyCells) {
    std::size_t size = lengthBytes(std::size(texts) + emptyCells) + emptyCells;
    for (const std::string_view text : texts)
        size += lengthBytes(text.size()) + text.size();
    return size;
}

template <typename Texts> const char* RowStore::pack(const Texts& texts, std::size_t emptyCells) {
    const std::size_t size = packedSize(texts, emptyCells);
    char* const start = allot(size);
    char* out = putLength(start, std::size(texts) + emptyCells);
    for (const std::string_view text : texts) {
        out = putLength(out, text.size());
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        out += text.size();
    }
    std::memset(out, 0, emptyCells); // each an empty text: its length, 0
    liveBytes_ += size;
    return start;
}

std::vector<std::string_view> RowStore::cellsOf(std::size_t row) const {
    const char* in = rows_[row];
    std::vector<std::string_view> cells(takeLength(in));
    for (std::string_view& text : cells) {
        const std::size_t length = takeLength(in);
        text = {in, length};
        in += length;
    }
    return cells;
}

void RowStore::repack() {
    RowStore packed;
    packed.rows_.reserve(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row)
        packed.rows_.push_back(packed.pack(cellsOf(row)));
    std::swap(rows_, packed.rows_);
    std::swap(blocks_, packed.blocks_);
    std::swap(current_, packed.current_);
    std::swap(liveBytes_, packed.liveBytes_);
    std::swap(deadBytes_, packed.deadBytes_);
}

} // namespace ui
