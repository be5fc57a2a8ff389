#include "ui/row_store.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> rowOf(const ui::RowStore& rows, std::size_t row, std::size_t cells) {
    std::vector<std::string> texts;
    for (std::size_t cell = 0; cell < cells; ++cell)
        texts.emplace_back(rows.cell(row, cell));
    return texts;
}

// Cells of every length keep their texts when their neighbours change, in any order.
TEST(RowStore, CellsKeepTheirTextsWhateverTheirNeighboursBecome) {
    ui::RowStore rows;
    rows.insert(0, 4, {});
    EXPECT_EQ(rows.size(), 1u);
    for (std::size_t cell = 0; cell < 5; ++cell)
        EXPECT_EQ(rows.cell(0, cell), "");

    const std::string long1(200, 'a');   // two bytes of length
    const std::string long2(20000, 'b'); // three bytes of length, beyond the first block
    const std::string withNul("x\0y", 3);
    rows.set(0, 2, long2);
    rows.set(0, 0, "序号");
    rows.set(0, 3, withNul);
    rows.set(0, 1, long1);
    EXPECT_EQ(rowOf(rows, 0, 4), (std::vector<std::string>{"序号", long1, long2, withNul}));

    rows.set(0, 2, "");
    rows.set(0, 1, "短");
    EXPECT_EQ(rowOf(rows, 0, 4), (std::vector<std::string>{"序号", "短", "", withNul}));

    rows.set(0, 6, "末");
    EXPECT_EQ(rowOf(rows, 0, 8),
              (std::vector<std::string>{"序号", "短", "", withNul, "", "", "末", ""}));
    EXPECT_EQ(rows.cell(1, 0), "") << "no such row";
}

// Rows go in at any place, come out of any place, and keep their texts through many blocks, many
// rewrites and the packing again that the rewrites bring.
TEST(RowStore, RowsKeepTheirTextsThroughInsertsErasesAndRewrites) {
    ui::RowStore rows;
    const auto text = [](int row, int cell) {
        return std::to_string(row) + "·" + std::string(static_cast<std::size_t>(row % 50), 'x') +
               std::to_string(cell);
    };
    for (int row = 0; row < 100000; ++row) {
        const std::string first = text(row, 0);
        const std::string second = text(row, 1);
        rows.insert(rows.size(), 3, {first, second});
    }
    rows.insert(0, 3, {"头"});
    rows.erase(50001);
    EXPECT_EQ(rows.size(), 100000u);
    EXPECT_EQ(rows.cell(0, 0), "头");
    EXPECT_EQ(rows.cell(1, 1), text(0, 1));
    EXPECT_EQ(rows.cell(50000, 0), text(49999, 0));
    EXPECT_EQ(rows.cell(50001, 0), text(50001, 0));
    EXPECT_EQ(rows.cell(99999, 1), text(99999, 1));
    EXPECT_EQ(rows.cell(99999, 2), "");

    // Every row rewritten many times over: the old bytes are packed away, the texts stay.
    for (int round = 0; round < 12; ++round)
        for (std::size_t row = 1; row < rows.size(); row += 7)
            rows.set(row, 2, "第" + std::to_string(round) + "遍");
    EXPECT_EQ(rows.cell(1, 2), "第11遍");
    EXPECT_EQ(rows.cell(1, 0), text(0, 0));
    EXPECT_EQ(rows.cell(99996, 2), "第11遍");
    EXPECT_EQ(rows.cell(99996, 1), text(99996, 1));
    EXPECT_EQ(rows.cell(99997, 2), "");

    rows.clear();
    EXPECT_EQ(rows.size(), 0u);
    rows.insert(5, 1, {"再来"}); // a place beyond the end is the end
    EXPECT_EQ(rows.cell(0, 0), "再来");
    rows.release();
    EXPECT_EQ(rows.size(), 0u);
    rows.insert(0, 1, {"又来"});
    EXPECT_EQ(rows.cell(0, 0), "又来");
}

} // namespace
