#include "ui/packed_row.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Cells of every length keep their texts when their neighbours change, in any order.
TEST(PackedRow, CellsKeepTheirTextsWhateverTheirNeighboursBecome) {
    ui::PackedRow row(4);
    EXPECT_EQ(row.size(), 4u);
    for (std::size_t cell = 0; cell < 5; ++cell) EXPECT_EQ(row.cell(cell), "");

    const std::string long1(200, 'a');       // two bytes of length
    const std::string long2(20000, 'b');     // three bytes of length
    const std::string withNul("x\0y", 3);
    row.set(2, long2);
    row.set(0, "序号");
    row.set(3, withNul);
    row.set(1, long1);
    EXPECT_EQ(row.cell(0), "序号");
    EXPECT_EQ(row.cell(1), long1);
    EXPECT_EQ(row.cell(2), long2);
    EXPECT_EQ(row.cell(3), withNul);

    row.set(2, "");
    row.set(1, "短");
    EXPECT_EQ(row.cell(1), "短");
    EXPECT_EQ(row.cell(2), "");
    EXPECT_EQ(row.cell(3), withNul);

    row.set(6, "末");
    EXPECT_EQ(row.size(), 7u);
    EXPECT_EQ(row.cell(5), "");
    EXPECT_EQ(row.cell(6), "末");
    EXPECT_EQ(row.cell(3), withNul);
}

} // namespace
