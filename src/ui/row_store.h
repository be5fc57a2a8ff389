#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace ui {

// Memory for the row store: what reaches the size of a large page is asked for as large pages
// where the system allows it, anything smaller as usual.
char* allocateRowMemory(std::size_t bytes);
void freeRowMemory(char* bytes, std::size_t size);

template <typename T> struct RowMemoryAllocator {
    using value_type = T;
    RowMemoryAllocator() = default;
    template <typename U> RowMemoryAllocator(const RowMemoryAllocator<U>&) {}
    T* allocate(std::size_t count) {
        return reinterpret_cast<T*>(allocateRowMemory(count * sizeof(T)));
    }
    void deallocate(T* items, std::size_t count) {
        freeRowMemory(reinterpret_cast<char*>(items), count * sizeof(T));
    }
    template <typename U> bool operator==(const RowMemoryAllocator<U>&) const { return true; }
};

// The rows of a list. Each row is its cells packed one after the other (the number of cells, then
// each cell's length, seven bits a byte, and its bytes), and the rows lie one after the other in
// large blocks: a list of ten years of orders is a few dozen allocations instead of one a row,
// and the memory it touches the first time is a few large pages instead of many small ones.
//
// A row written again is packed anew at the end and its old bytes are left; once they outweigh
// the rows, the rows are packed again into fresh blocks.
class RowStore {
public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;
    ~RowStore() { release(); }

    std::size_t size() const { return rows_.size(); }
    // Empty beyond the row's cells.
    std::string_view cell(std::size_t row, std::size_t column) const;
    // A row of these texts, then empty cells up to `cells`, at `position` (at most size()).
    void insert(std::size_t position, std::size_t cells,
                std::initializer_list<std::string_view> texts);
    // A cell beyond the row's last adds empty cells up to it.
    void set(std::size_t row, std::size_t column, std::string_view text);
    void erase(std::size_t row);
    // Every row gone; the blocks stay for the next rows.
    void clear();
    // Every row gone and every block given back.
    void release();

private:
    struct Block {
        char* bytes = nullptr;
        std::size_t size = 0;
        std::size_t used = 0;
    };

    // Room for a row of this many bytes.
    char* allot(std::size_t bytes);
    // Packs the texts, then as many empty cells, into new room and gives where the row starts.
    template <typename Texts> const char* pack(const Texts& texts, std::size_t emptyCells = 0);
    template <typename Texts>
    static std::size_t packedSize(const Texts& texts, std::size_t emptyCells = 0);
    std::vector<std::string_view> cellsOf(std::size_t row) const;
    void repack();

    std::vector<const char*, RowMemoryAllocator<const char*>> rows_;
    std::vector<Block> blocks_;
    std::size_t current_ = 0;
    std::size_t liveBytes_ = 0;
    std::size_t deadBytes_ = 0;
};

} // namespace ui
