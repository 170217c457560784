#include "core/draw_views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "support/test_archive.h"

namespace quintello {
namespace {

DrawArchive threeDraws() {
  return test::makeArchive({
      {"28/11/2025", {{"BA", {1, 2, 3, 4, 5}}}},
      {"02/12/2025", {{"BA", {10, 20, 30, 40, 50}}, {"NZ", {90, 81, 72, 63, 54}}}},
      {"05/12/2025", {{"CA", {11, 22, 33, 44, 55}}, {"VE", {6, 7, 8, 9, 89}}}},
  });
}

using Cells = std::initializer_list<std::pair<int, int>>;

void expectOnlyGreen(const Grid& grid, Cells green) {
  for (int r = grid.fixedRows(); r < grid.rows(); ++r)
    for (int c = grid.fixedCols(); c < grid.cols(); ++c) {
      const bool isGreen = std::find(green.begin(), green.end(), std::pair(r, c)) != green.end();
      EXPECT_EQ(grid.backColor(r, c), isGreen ? kGreen : kWhite) << r << "," << c;
    }
}

TEST(MiniList, ShowsEveryWheelOfTheDrawWithZerosWhereAWheelWasNotDrawn) {
  const auto archive = threeDraws();
  Grid grid = miniListGrid();
  showDrawInMiniList(grid, archive, 2);
  EXPECT_EQ(grid.clipText({1, 0, 2, 5}), "BA\t10\t20\t30\t40\t50\rCA\t0\t0\t0\t0\t0");
  EXPECT_EQ(grid.clipText({11, 0, 11, 5}), "NZ\t90\t81\t72\t63\t54");
  EXPECT_TRUE(grid.bold(11, 0));  // the wheel codes, not the numbers
  EXPECT_FALSE(grid.bold(11, 1));
  // The next draw replaces every number.
  showDrawInMiniList(grid, archive, 3);
  EXPECT_EQ(grid.clipText({1, 1, 2, 5}), "0\t0\t0\t0\t0\r11\t22\t33\t44\t55");
  EXPECT_EQ(grid.clipText({10, 1, 11, 5}), "6\t7\t8\t9\t89\r0\t0\t0\t0\t0");
  EXPECT_EQ(ordinalsText(archive, 3), "PM=2   PA=3");
}

TEST(MiniList, ClickTogglesGreenAndWhiteOnNumberCellsOnly) {
  Grid grid = miniListGrid();
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  EXPECT_TRUE(toggleHighlight(grid, 11, 5));
  expectOnlyGreen(grid, {{3, 2}, {11, 5}});
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  grid.setBackColor(4, 4, kYellow);  // any colour other than green turns green
  EXPECT_TRUE(toggleHighlight(grid, 4, 4));
  expectOnlyGreen(grid, {{4, 4}, {11, 5}});
  // Header, wheel codes and cells outside the grid are not numbers.
  for (const auto& [row, col] : Cells{{0, 2}, {5, 0}, {12, 1}, {1, 6}})
    EXPECT_FALSE(toggleHighlight(grid, row, col)) << row << "," << col;
  EXPECT_FALSE(grid.hasBackColor(5, 0));
  // Clearing, or showing a draw, turns every number cell white.
  clearHighlights(grid);
  expectOnlyGreen(grid, {});
  toggleHighlight(grid, 1, 1);
  showDrawInMiniList(grid, threeDraws(), 2);
  expectOnlyGreen(grid, {});
}

TEST(MiniList, IndexAnswerNamesADrawOfTheArchiveOrNothing) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"1", 1}, {"120", 120}, {" 57 ", 57},  {"0", {}},   {"121", {}},           {"-3", {}},
      {"", {}}, {"abc", {}},  {"12abc", {}}, {"4.5", {}}, {"99999999999999", {}}};
  for (const auto& [answer, index] : cases)
    EXPECT_EQ(drawIndexFromAnswer(answer, 120), index) << '"' << answer << '"';
}

TEST(MiniList, DateSearchComparesTheExactText) {
  const auto archive = threeDraws();
  EXPECT_EQ(findDrawByDate(archive, "05/12/2025"), 3);
  EXPECT_EQ(findDrawByDate(archive, "28/11/2025"), 1);
  // Draw 0 has an empty date text, but an empty answer names no draw.
  for (const char* missing : {"5/12/2025", "05/12/25", "03/12/2025", ""})
    EXPECT_EQ(findDrawByDate(archive, missing), std::nullopt) << missing;
}

TEST(NumberBoard, HoldsOneToNinetyTenPerRow) {
  const Grid board = numberBoardGrid();
  EXPECT_EQ(board.rows(), 9);
  EXPECT_EQ(board.clipText({0, 0, 0, 9}), "1\t2\t3\t4\t5\t6\t7\t8\t9\t10");
  EXPECT_EQ(board.clipText({8, 0, 8, 9}), "81\t82\t83\t84\t85\t86\t87\t88\t89\t90");
  EXPECT_EQ(boardNumber(4, 4), 45);
  for (const auto& [row, col] : Cells{{9, 0}, {0, 10}, {-1, 0}})
    EXPECT_EQ(boardNumber(row, col), 0) << row << "," << col;
}

TEST(NumberBoard, MarksGreenAndPicksYellow) {
  Grid board = numberBoardGrid();
  const int numbers[] = {1, 45, 90, 0, 91};
  markBoardNumbers(board, numbers);
  expectOnlyGreen(board, {{0, 0}, {4, 4}, {8, 9}});
  markBoardNumbers(board, std::span<const int>(numbers, 1));  // marking again starts white
  expectOnlyGreen(board, {{0, 0}});
  // Picking yellows the clicked cell only; a click outside changes nothing.
  EXPECT_EQ(pickBoardNumber(board, 8, 9), 90);
  EXPECT_EQ(board.backColor(0, 0), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 2, 3), 24);
  EXPECT_EQ(board.backColor(8, 9), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 9, 0), 0);
  EXPECT_EQ(board.backColor(2, 3), kYellow);
}

}  // namespace
}  // namespace quintello
