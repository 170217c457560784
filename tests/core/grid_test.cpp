#include "core/grid.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

// Cells outside the grid read empty; rows are added and dropped at the end; marks default to
// white on black and cover ranges, cut where they reach past the grid; flood bars are clamped
// to a percentage; hidden columns keep their cells and are copied.
TEST(Grid, CellsMarksAndCopies) {
  Grid grid = Grid::withHeader("N°   |Valore|Nome");
  grid.addRow({"1", "12", "a"});
  grid.addRow({"2", "7.5", "b"});
  EXPECT_EQ(grid.text(99, 99), "");
  EXPECT_DOUBLE_EQ(grid.value(99, 1), 0);
  EXPECT_DOUBLE_EQ(grid.value(2, 1), 7.5);
  grid.setRows(4);
  EXPECT_EQ(grid.clipText(), "N°   \tValore\tNome\r1\t12\ta\r2\t7.5\tb\r\t\t");
  grid.setRows(3);
  EXPECT_EQ(grid.foreColor(1, 1), kBlack);
  EXPECT_FALSE(grid.hasBackColor(1, 1));
  grid.setBackColor({1, 1, 2, 1}, GialloMedio);
  grid.setBold({2, 0, 50, 50}, true);
  EXPECT_EQ(grid.backColor(2, 1), GialloMedio);
  EXPECT_EQ(grid.backColor(1, 2), kWhite);
  EXPECT_TRUE(grid.bold(2, 2));
  EXPECT_FALSE(grid.bold(1, 2));
  grid.setFlood(1, 1, Arancio, 140);
  EXPECT_DOUBLE_EQ(grid.flood(1, 1)->percent, 100);
  grid.setColumnHidden(1, true);
  EXPECT_EQ(grid.clipText({1, 0, 2, 2}), "1\t12\ta\r2\t7.5\tb");
  grid.setCols(2);
  EXPECT_EQ(grid.clipText({0, 0, 0, 1}), "N°   \tValore");
}

}  // namespace
}  // namespace quintello
