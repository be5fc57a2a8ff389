#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ui {

// The texts of one list row in a single string: each cell is its length, seven bits a byte, then
// its bytes. A list of years of orders keeps one allocation a row instead of one a cell.
class PackedRow {
public:
    explicit PackedRow(std::size_t cells);
    // A row of these cells, then empty ones up to `cells`, made in one allocation.
    PackedRow(std::size_t cells, std::initializer_list<std::string_view> texts);

    std::size_t size() const { return cells_; }
    // Empty beyond the cells.
    std::string_view cell(std::size_t index) const;
    // A cell beyond the last adds empty cells up to it.
    void set(std::size_t index, std::string_view text);

private:
    // Where the cell starts (at its length) and where it ends.
    std::pair<std::size_t, std::size_t> span(std::size_t index) const;

    std::string bytes_;
    std::size_t cells_ = 0;
};

} // namespace ui
