// The draws in memory, the grid that shows every table, and the small views over the draws.
#include "core/draw_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/draw_list_grid.h"
#include "core/draw_views.h"
#include "core/grid.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

using Cells = std::initializer_list<std::pair<int, int>>;

// Reads outside the archive (index 0, past N, bad wheel or position, empty archive) give 0.
TEST(DrawArchive, ReadsOutsideTheArchiveGiveNoNumber) {
  const auto archive = makeArchive({{"05/01/2026", {{"BA", {1, 2, 3, 4, 5}}}}});
  EXPECT_EQ(archive.number(1, 0, 1) + archive.number(1, 0, 5), 6);
  const std::array<int, 3> outside[] = {{0, 0, 1},  {0, 10, 5}, {2, 0, 1}, {-1, 0, 1},
                                        {1, 11, 1}, {1, 0, 0},  {1, 0, 6}, {1, 10, 3}};
  for (const auto& [d, w, k] : outside)
    EXPECT_EQ(archive.number(d, w, k), 0) << d << "," << w << "," << k;
  EXPECT_EQ(archive.wheel(99, 3)[0], 0);
  DrawArchive empty;
  empty.finishLoad(0);
  empty.buildModel(1);
  EXPECT_TRUE(empty.modelList().empty());
  EXPECT_EQ((std::array{empty.modelFirst(), empty.modelLast(), empty.number(1, 0, 1)}),
            (std::array{0, 0, 0}));
}

// Ordinals restart with month and year (only the month number is compared: the same month of
// another year goes on counting); the draw list shows them.
TEST(DrawArchive, OrdinalsRestartWithMonthAndYear) {
  std::vector<TestDraw> draws;
  for (const char* date : {"24/12/2025", "27/12/2025", "30/12/2025", "02/01/2026", "03/01/2026",
                           "31/01/2026", "03/02/2026", "05/02/2027"})
    draws.push_back({date, {}});
  const auto archive = makeArchive(draws);
  std::string ordinals;
  for (int r = 0; r <= archive.count(); ++r)
    ordinals +=
        std::to_string(archive.monthOrdinal(r)) + std::to_string(archive.yearOrdinal(r)) + " ";
  EXPECT_EQ(ordinals, "00 11 22 33 11 22 33 14 21 ");  // month and year ordinal of draws 0..8
  EXPECT_EQ(drawListGrid(archive).clipText({1, 0, 2, 4}),
            "\t1\t24/12/2025\t1\t1\r\t2\t27/12/2025\t2\t2");
}

// One month over 200,000 draws (every January): the month ordinal climbs without wrapping.
TEST(DrawArchive, OrdinalsDoNotWrap) {
  std::vector<TestDraw> draws;
  for (int i = 0; i < 200'000; ++i) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d/01/%04d", 1 + i % 31, 1 + i / 31);
    draws.push_back({date, {}});
  }
  const auto archive = makeArchive(draws);
  EXPECT_EQ(archive.monthOrdinal(200'000), 200'000);
  EXPECT_EQ(archive.yearOrdinal(200'000), 19);
}

TEST(DrawArchive, ModelRunsFromTheClampedFirstIndexToTheLastDraw) {
  for (const auto& [firstIndex, first] :
       {std::pair{4, 4}, {0, 1}, {-5, 1}, {11, 10}, {99999, 10}}) {
    const auto archive = makeArchive(weeklyDraws(10), firstIndex);
    EXPECT_EQ((std::array{archive.modelFirst(), archive.modelLast(), archive.modelList().front(),
                          int(archive.modelList().size())}),
              (std::array{first, 10, first, 11 - first}))
        << firstIndex;
  }
}

// A reload with fewer draws forgets the others; one keeping the ordinals keeps the old ones.
TEST(DrawArchive, ReloadsInPlace) {
  auto archive = makeArchive(weeklyDraws(5));
  archive.clear();
  archive.loadRow(1, "01/02/2026", std::array<std::string_view, kWheelCount>{"01-02-03-04-05"});
  archive.finishLoad(1);
  archive.buildModel(1);
  EXPECT_EQ(archive.count(), 1);
  EXPECT_EQ(archive.number(1, 0, 3), 3);
  EXPECT_EQ(archive.number(1, 1, 1) + archive.number(2, 0, 1), 0);
  EXPECT_EQ(archive.modelList(), std::vector<int>{1});
  archive = makeArchive({{"30/12/2025", {}}, {"02/01/2026", {}}}, 2);
  archive.clear();
  archive.loadRow(1, "30/12/2025", std::array<WheelNumbers, kWheelCount>{});
  archive.loadRow(2, "31/12/2025", std::array<WheelNumbers, kWheelCount>{});
  archive.finishLoad(2, DrawArchive::Ordinals::Keep);
  EXPECT_EQ(archive.yearOrdinal(2), 1);  // still the ordinal of 02/01/2026
  EXPECT_EQ(archive.modelList(), std::vector<int>{2});
}

// Cells outside the grid read empty; marks cover ranges cut to the grid; flood bars are
// clamped to a percentage; hidden columns are copied.
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

DrawArchive threeDraws() {
  return makeArchive({
      {"28/11/2025", {{"BA", {1, 2, 3, 4, 5}}}},
      {"02/12/2025", {{"BA", {10, 20, 30, 40, 50}}, {"NZ", {90, 81, 72, 63, 54}}}},
      {"05/12/2025", {{"CA", {11, 22, 33, 44, 55}}, {"VE", {6, 7, 8, 9, 89}}}},
  });
}

void expectOnlyGreen(const Grid& grid, Cells green) {
  for (int r = grid.fixedRows(); r < grid.rows(); ++r)
    for (int c = grid.fixedCols(); c < grid.cols(); ++c) {
      const bool isGreen = std::find(green.begin(), green.end(), std::pair(r, c)) != green.end();
      EXPECT_EQ(grid.backColor(r, c), isGreen ? kGreen : kWhite) << r << "," << c;
    }
}

// Every wheel of the draw, zeros where a wheel was not drawn; the next draw replaces every
// number; a click toggles green on number cells only; clearing or a new draw turns them white.
TEST(MiniList, ShowsADrawAndItsHighlights) {
  const auto archive = threeDraws();
  Grid grid = miniListGrid();
  showDrawInMiniList(grid, archive, 2);
  EXPECT_EQ(grid.clipText({1, 0, 2, 5}), "BA\t10\t20\t30\t40\t50\rCA\t0\t0\t0\t0\t0");
  EXPECT_EQ(grid.clipText({11, 0, 11, 5}), "NZ\t90\t81\t72\t63\t54");
  showDrawInMiniList(grid, archive, 3);
  EXPECT_EQ(grid.clipText({1, 1, 2, 5}), "0\t0\t0\t0\t0\r11\t22\t33\t44\t55");
  EXPECT_EQ(grid.clipText({10, 1, 11, 5}), "6\t7\t8\t9\t89\r0\t0\t0\t0\t0");
  EXPECT_EQ(ordinalsText(archive, 3), "PM=2   PA=3");
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  EXPECT_TRUE(toggleHighlight(grid, 11, 5));
  EXPECT_TRUE(toggleHighlight(grid, 3, 2));
  grid.setBackColor(4, 4, kYellow);  // any colour other than green turns green
  EXPECT_TRUE(toggleHighlight(grid, 4, 4));
  expectOnlyGreen(grid, {{4, 4}, {11, 5}});
  for (const auto& [row, col] : Cells{{0, 2}, {5, 0}, {12, 1}, {1, 6}})
    EXPECT_FALSE(toggleHighlight(grid, row, col)) << row << "," << col;
  EXPECT_FALSE(grid.hasBackColor(5, 0));
  clearHighlights(grid);
  expectOnlyGreen(grid, {});
  toggleHighlight(grid, 1, 1);
  showDrawInMiniList(grid, archive, 2);
  expectOnlyGreen(grid, {});
}

// An index answer names a draw of the archive or nothing (dates: draw_searches.txt).
TEST(MiniList, AnswersThatNameADraw) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"1", 1}, {"120", 120}, {" 57 ", 57},  {"0", {}},   {"121", {}},           {"-3", {}},
      {"", {}}, {"abc", {}},  {"12abc", {}}, {"4.5", {}}, {"99999999999999", {}}};
  for (const auto& [answer, index] : cases)
    EXPECT_EQ(drawIndexFromAnswer(answer, 120), index) << '"' << answer << '"';
}

// One to ninety, ten a row; marking starts white and greens the numbers; picking yellows the
// clicked cell only, and a click outside changes nothing.
TEST(NumberBoard, MarksGreenAndPicksYellow) {
  Grid board = numberBoardGrid();
  EXPECT_EQ(board.clipText({8, 0, 8, 9}), "81\t82\t83\t84\t85\t86\t87\t88\t89\t90");
  for (const auto& [row, col] : Cells{{9, 0}, {0, 10}, {-1, 0}})
    EXPECT_EQ(boardNumber(row, col), 0) << row << "," << col;
  const int numbers[] = {1, 45, 90, 0, 91};
  markBoardNumbers(board, numbers);
  expectOnlyGreen(board, {{0, 0}, {4, 4}, {8, 9}});
  markBoardNumbers(board, std::span<const int>(numbers, 1));
  expectOnlyGreen(board, {{0, 0}});
  EXPECT_EQ(pickBoardNumber(board, 8, 9), 90);
  EXPECT_EQ(board.backColor(0, 0), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 2, 3), 24);
  EXPECT_EQ(board.backColor(8, 9), kWhite);
  EXPECT_EQ(pickBoardNumber(board, 9, 0), 0);
  EXPECT_EQ(board.backColor(2, 3), kYellow);
}

}  // namespace
}  // namespace quintello::test
