#include "core/grid.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

Grid sample() {
  Grid grid = Grid::withHeader("N°   |Valore|Nome");
  grid.addRow({"1", "12", "a"});
  grid.addRow({"2", "7.5", "b"});
  grid.addRow({"3", "", "c"});
  grid.addRow({"4", "12", "d"});
  grid.addRow({"5", "x9", "e"});
  return grid;
}

TEST(Grid, ValuesReadTheLeadingNumber) {
  const Grid grid = sample();
  EXPECT_DOUBLE_EQ(grid.value(2, 1), 7.5);
  EXPECT_DOUBLE_EQ(grid.value(3, 1), 0);   // empty
  EXPECT_DOUBLE_EQ(grid.value(5, 1), 0);   // not numeric
  EXPECT_DOUBLE_EQ(grid.value(99, 1), 0);  // outside the grid
  EXPECT_EQ(grid.text(99, 99), "");
}

TEST(Grid, RowCountAddsAndDropsAtTheEnd) {
  Grid grid = sample();
  grid.setRows(3);
  EXPECT_EQ(grid.clipText(), "N°   \tValore\tNome\r1\t12\ta\r2\t7.5\tb");
  grid.setRows(5);
  EXPECT_EQ(grid.text(4, 0), "");
  grid.clearData();
  EXPECT_EQ(grid.clipText(), "N°   \tValore\tNome");
}

TEST(Grid, SortIsNumericDescendingAndStable) {
  Grid grid = sample();
  grid.setBackColor(4, 2, kRed);
  grid.sortDescending(1);
  std::string order;
  for (int r = 1; r < grid.rows(); ++r) order += grid.text(r, 2);
  EXPECT_EQ(order, "adbce");  // 12, 12 (in their order), 7.5, then the two zeros in order
  EXPECT_EQ(grid.backColor(2, 2), kRed);  // marks travel with their row
  EXPECT_EQ(grid.text(0, 0), "N°   ");    // the header stays
}

TEST(Grid, MarksDefaultToWhiteOnBlackAndCoverRanges) {
  Grid grid = sample();
  EXPECT_EQ(grid.backColor(1, 1), kWhite);
  EXPECT_EQ(grid.foreColor(1, 1), kBlack);
  EXPECT_FALSE(grid.hasBackColor(1, 1));
  grid.setBackColor({1, 1, 3, 2}, GialloMedio);
  grid.setBold({1, 0, 5, 0}, true);
  grid.setForeColor(2, 2, kBlue);
  EXPECT_EQ(grid.backColor(3, 2), GialloMedio);
  EXPECT_EQ(grid.backColor(4, 1), kWhite);
  EXPECT_TRUE(grid.bold(5, 0));
  EXPECT_FALSE(grid.bold(5, 1));
  EXPECT_EQ(grid.foreColor(2, 2), kBlue);
  // Ranges reaching past the grid are cut, not fatal.
  grid.setBackColor({4, 0, 50, 50}, kCyan);
  EXPECT_EQ(grid.backColor(5, 2), kCyan);
}

TEST(Grid, RemoveRowMovesLaterRowsUp) {
  Grid grid = sample();
  grid.setBold(3, 2, true);
  grid.removeRow(2);
  EXPECT_EQ(grid.text(2, 2), "c");
  EXPECT_TRUE(grid.bold(2, 2));
  grid.removeRow(42);  // ignored
  EXPECT_EQ(grid.rows(), 5);
}

TEST(Grid, FloodBarsAreClampedToAPercentage) {
  Grid grid = sample();
  grid.setFlood(1, 1, Arancio, 140);
  ASSERT_TRUE(grid.flood(1, 1));
  EXPECT_DOUBLE_EQ(grid.flood(1, 1)->percent, 100);
  EXPECT_EQ(grid.flood(1, 1)->color, Arancio);
  grid.clearFlood(1, 1);
  EXPECT_FALSE(grid.flood(1, 1));
}

TEST(Grid, HiddenColumnsKeepTheirCellsAndAreCopied) {
  Grid grid = sample();
  grid.setColumnHidden(1, true);
  EXPECT_EQ(grid.clipText({1, 0, 2, 2}), "1\t12\ta\r2\t7.5\tb");
  grid.setCols(2);
  EXPECT_EQ(grid.text(1, 2), "");
  EXPECT_EQ(grid.clipText({0, 0, 0, 1}), "N°   \tValore");
}

}  // namespace
}  // namespace quintello
