#include "core/draw_views.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_archive.h"

namespace quintello {
namespace {

using test::makeArchive;

DrawArchive threeDraws() {
  return makeArchive({
      {"28/11/2025", {{"BA", {1, 2, 3, 4, 5}}}},
      {"02/12/2025", {{"BA", {10, 20, 30, 40, 50}}, {"NZ", {90, 81, 72, 63, 54}}}},
      {"05/12/2025", {{"CA", {11, 22, 33, 44, 55}}, {"VE", {6, 7, 8, 9, 89}}}},
  });
}

TEST(MiniList, GridHasTheWheelCodesInBoldAndEveryColumnCentred) {
  const Grid grid = miniListGrid();
  EXPECT_EQ(grid.rows(), 12);
  EXPECT_EQ(grid.cols(), 6);
  EXPECT_EQ(grid.clipText({0, 0, 0, 5}), "Ruota\t N1 \t N2 \t N3 \t N4 \t N5 ");
  EXPECT_EQ(grid.text(1, 0), "BA");
  EXPECT_EQ(grid.text(10, 0), "VE");
  EXPECT_EQ(grid.text(11, 0), "NZ");
  for (int r = 1; r <= 11; ++r) {
    EXPECT_TRUE(grid.bold(r, 0)) << r;
    EXPECT_FALSE(grid.bold(r, 1)) << r;
  }
  for (int c = 0; c < 6; ++c) EXPECT_EQ(grid.alignment(c), Alignment::Center) << c;
}

TEST(MiniList, ShowsEveryWheelOfTheDrawWithZerosWhereAWheelWasNotDrawn) {
  const auto archive = threeDraws();
  Grid grid = miniListGrid();
  showDrawInMiniList(grid, archive, 2);
  EXPECT_EQ(grid.clipText({1, 0, 1, 5}), "BA\t10\t20\t30\t40\t50");
  EXPECT_EQ(grid.clipText({2, 0, 2, 5}), "CA\t0\t0\t0\t0\t0");
  EXPECT_EQ(grid.clipText({11, 0, 11, 5}), "NZ\t90\t81\t72\t63\t54");
  // The next draw replaces every number.
  showDrawInMiniList(grid, archive, 3);
  EXPECT_EQ(grid.clipText({1, 1, 2, 5}), "0\t0\t0\t0\t0\r11\t22\t33\t44\t55");
  EXPECT_EQ(grid.clipText({10, 1, 11, 5}), "6\t7\t8\t9\t89\r0\t0\t0\t0\t0");
}

TEST(MiniList, ShowingADrawClearsTheHighlights) {
  const auto archive = threeDraws();
  Grid grid = miniListGrid();
  showDrawInMiniList(grid, archive, 1);
  ASSERT_TRUE(toggleHighlight(grid, 1, 1));
  ASSERT_TRUE(toggleHighlight(grid, 11, 5));
  showDrawInMiniList(grid, archive, 2);
  for (int r = 1; r <= 11; ++r)
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(grid.backColor(r, c), kWhite) << r << "," << c;
}

TEST(MiniList, ClickTogglesGreenAndWhiteOnNumberCellsOnly) {
  Grid grid = miniListGrid();
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  EXPECT_EQ(grid.backColor(3, 2), kGreen);
  EXPECT_EQ(grid.backColor(3, 3), kWhite);
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  EXPECT_EQ(grid.backColor(3, 2), kWhite);
  // Any colour other than green turns green.
  grid.setBackColor(4, 4, kYellow);
  EXPECT_TRUE(toggleHighlight(grid, 4, 4));
  EXPECT_EQ(grid.backColor(4, 4), kGreen);
  // Header, wheel codes and cells outside the grid are not numbers.
  EXPECT_FALSE(toggleHighlight(grid, 0, 2));
  EXPECT_FALSE(toggleHighlight(grid, 5, 0));
  EXPECT_FALSE(toggleHighlight(grid, 12, 1));
  EXPECT_FALSE(toggleHighlight(grid, 1, 6));
  EXPECT_FALSE(grid.hasBackColor(5, 0));
}

TEST(MiniList, ClearingTurnsEveryNumberCellWhite) {
  Grid grid = miniListGrid();
  for (int r = 1; r <= 11; ++r) toggleHighlight(grid, r, r % 5 + 1);
  clearHighlights(grid);
  for (int r = 1; r <= 11; ++r)
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(grid.backColor(r, c), kWhite) << r << "," << c;
}

TEST(MiniList, OrdinalsText) {
  std::vector<test::TestDraw> draws;
  // 38 draws in January and February, then the third of March is the 41st of the year.
  for (int i = 1; i <= 19; ++i)
    draws.push_back({(i < 10 ? "0" : "") + std::to_string(i) + "/01/2026", {}});
  for (int i = 1; i <= 19; ++i)
    draws.push_back({(i < 10 ? "0" : "") + std::to_string(i) + "/02/2026", {}});
  for (int i = 1; i <= 3; ++i) draws.push_back({"0" + std::to_string(i) + "/03/2026", {}});
  const auto archive = makeArchive(draws);
  EXPECT_EQ(ordinalsText(archive, 41), "PM=3   PA=41");
  EXPECT_EQ(ordinalsText(archive, 1), "PM=1   PA=1");
  EXPECT_EQ(ordinalsText(archive, 38), "PM=19   PA=38");
}

struct IndexCase {
  const char* answer;
  std::optional<int> index;
};

class IndexAnswer : public testing::TestWithParam<IndexCase> {};

TEST_P(IndexAnswer, NamesADrawOfTheArchiveOrNothing) {
  EXPECT_EQ(drawIndexFromAnswer(GetParam().answer, 120), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    MiniList, IndexAnswer,
    testing::Values(IndexCase{"1", 1}, IndexCase{"120", 120}, IndexCase{" 57 ", 57},
                    IndexCase{"0", std::nullopt}, IndexCase{"121", std::nullopt},
                    IndexCase{"-3", std::nullopt}, IndexCase{"", std::nullopt},
                    IndexCase{"abc", std::nullopt}, IndexCase{"12abc", std::nullopt},
                    IndexCase{"4.5", std::nullopt}, IndexCase{"99999999999999", std::nullopt}));

TEST(MiniList, DateSearchComparesTheExactText) {
  const auto archive = threeDraws();
  EXPECT_EQ(findDrawByDate(archive, "05/12/2025"), 3);
  EXPECT_EQ(findDrawByDate(archive, "28/11/2025"), 1);
  EXPECT_EQ(findDrawByDate(archive, "5/12/2025"), std::nullopt);
  EXPECT_EQ(findDrawByDate(archive, "05/12/25"), std::nullopt);
  EXPECT_EQ(findDrawByDate(archive, "03/12/2025"), std::nullopt);
  // Draw 0 has an empty date text, but an empty answer names no draw.
  EXPECT_EQ(findDrawByDate(archive, ""), std::nullopt);
}

TEST(DrawListWindow, StartsWithItsHeaderOnly) {
  const Grid grid = drawListWindowGrid();
  EXPECT_EQ(grid.clipText(), "Rif  \tN° Estr\tData Estraz  \tRuota\tN1\tN2\tN3\tN4\tN5\tQN");
  EXPECT_EQ(grid.rows(), 1);
  EXPECT_EQ(grid.cols(), 10);
}

TEST(NumberBoard, HoldsOneToNinetyTenPerRow) {
  const Grid board = numberBoardGrid();
  EXPECT_EQ(board.rows(), 9);
  EXPECT_EQ(board.cols(), 10);
  EXPECT_EQ(board.fixedRows(), 0);
  EXPECT_EQ(board.clipText({0, 0, 0, 9}), "1\t2\t3\t4\t5\t6\t7\t8\t9\t10");
  EXPECT_EQ(board.clipText({8, 0, 8, 9}), "81\t82\t83\t84\t85\t86\t87\t88\t89\t90");
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 10; ++c) {
      EXPECT_EQ(board.value(r, c), boardNumber(r, c));
      EXPECT_EQ(boardNumber(r, c), 10 * r + c + 1);
    }
  EXPECT_EQ(boardNumber(9, 0), 0);
  EXPECT_EQ(boardNumber(0, 10), 0);
  EXPECT_EQ(boardNumber(-1, 0), 0);
}

TEST(NumberBoard, MarksTheGivenNumbersGreen) {
  Grid board = numberBoardGrid();
  const int numbers[] = {1, 45, 90, 0, 91};
  markBoardNumbers(board, numbers);
  EXPECT_EQ(board.backColor(0, 0), kGreen);
  EXPECT_EQ(board.backColor(4, 4), kGreen);
  EXPECT_EQ(board.backColor(8, 9), kGreen);
  int green = 0;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 10; ++c) green += board.backColor(r, c) == kGreen;
  EXPECT_EQ(green, 3);
  // Marking again starts from white.
  markBoardNumbers(board, std::span<const int>(numbers, 1));
  EXPECT_EQ(board.backColor(8, 9), kWhite);
}

TEST(NumberBoard, PickingYellowsTheClickedCellOnly) {
  Grid board = numberBoardGrid();
  const int marked[] = {5, 6};
  markBoardNumbers(board, marked);
  EXPECT_EQ(pickBoardNumber(board, 8, 9), 90);
  EXPECT_EQ(board.backColor(8, 9), kYellow);
  EXPECT_EQ(board.backColor(0, 4), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 2, 3), 24);
  EXPECT_EQ(board.backColor(8, 9), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 9, 0), 0);
  EXPECT_EQ(board.backColor(2, 3), kYellow);  // a click outside changes nothing
}

}  // namespace
}  // namespace quintello
