#include "core/draw_archive.h"

#include <gtest/gtest.h>

#include "core/draw_list_grid.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::makeArchive;

// Index 0, draws past N, wheels and positions outside the tables, a wheel without a draw that
// day, an empty archive: no number, no crash.
TEST(DrawArchive, ReadsOutsideTheArchiveGiveNoNumber) {
  const auto archive = makeArchive({{"05/01/2026", {{"BA", {1, 2, 3, 4, 5}}}}});
  EXPECT_EQ(archive.number(1, 0, 1), 1);
  EXPECT_EQ(archive.number(1, 0, 5), 5);
  struct Read {
    int draw, wheel, position;
  };
  for (const auto& [d, w, k] : {Read{0, 0, 1}, Read{0, 10, 5}, Read{2, 0, 1}, Read{-1, 0, 1},
                                Read{1, 11, 1}, Read{1, 0, 0}, Read{1, 0, 6}, Read{1, 10, 3}})
    EXPECT_EQ(archive.number(d, w, k), 0) << d << "," << w << "," << k;
  EXPECT_EQ(archive.dateText(2), "");
  EXPECT_EQ(archive.wheel(99, 3)[0], 0);

  DrawArchive empty;
  empty.finishLoad(0);
  empty.buildModel(1);
  EXPECT_EQ(empty.count(), 0);
  EXPECT_TRUE(empty.modelList().empty());
  EXPECT_EQ((std::array{empty.modelFirst(), empty.modelLast(), empty.number(1, 0, 1)}),
            (std::array{0, 0, 0}));
}

TEST(DrawArchive, OrdinalsRestartWithMonthAndYear) {
  const auto archive = makeArchive({
      {"24/12/2025", {}},
      {"27/12/2025", {}},
      {"30/12/2025", {}},
      {"02/01/2026", {}},
      {"03/01/2026", {}},
      {"31/01/2026", {}},
      {"03/02/2026", {}},
      // Same month number in another year: only the month is compared, so the count goes on.
      {"05/02/2027", {}},
  });
  const int month[] = {0, 1, 2, 3, 1, 2, 3, 1, 2};
  const int year[] = {0, 1, 2, 3, 1, 2, 3, 4, 1};
  for (int r = 1; r <= archive.count(); ++r) {
    EXPECT_EQ(archive.monthOrdinal(r), month[r]) << "draw " << r;
    EXPECT_EQ(archive.yearOrdinal(r), year[r]) << "draw " << r;
  }
  EXPECT_EQ(archive.monthOrdinal(0), 0);
}

struct ModelCase {
  int firstIndex;
  int expectedFirst;
  int expectedCount;
};

class ModelArchive : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelArchive, RunsFromTheClampedFirstIndexToTheLastDraw) {
  const auto archive = makeArchive(test::weeklyDraws(10), GetParam().firstIndex);
  EXPECT_EQ(archive.modelFirst(), GetParam().expectedFirst);
  EXPECT_EQ(archive.modelLast(), 10);
  ASSERT_EQ(static_cast<int>(archive.modelList().size()), GetParam().expectedCount);
  for (size_t i = 0; i < archive.modelList().size(); ++i)
    EXPECT_EQ(archive.modelList()[i], GetParam().expectedFirst + static_cast<int>(i));
}

INSTANTIATE_TEST_SUITE_P(FirstIndex, ModelArchive,
                         ::testing::Values(ModelCase{1, 1, 10}, ModelCase{4, 4, 7},
                                           ModelCase{10, 10, 1}, ModelCase{0, 1, 10},
                                           ModelCase{-5, 1, 10}, ModelCase{11, 10, 1},
                                           ModelCase{99999, 10, 1}));

TEST(DrawArchive, ReloadWithFewerDrawsForgetsTheOldOnes) {
  auto archive = makeArchive(test::weeklyDraws(5));
  archive.clear();
  archive.loadRow(1, "01/02/2026", std::array<std::string_view, kWheelCount>{"01-02-03-04-05"});
  archive.finishLoad(1);
  archive.buildModel(1);
  EXPECT_EQ(archive.count(), 1);
  EXPECT_EQ(archive.number(1, 0, 3), 3);
  EXPECT_EQ(archive.number(1, 1, 1), 0);  // wheel emptied by the reload
  EXPECT_EQ(archive.number(2, 0, 1), 0);  // beyond N
  EXPECT_EQ(archive.modelList(), std::vector<int>{1});
}

TEST(DrawArchive, KeepingOrdinalsLeavesThePreviousLoadsNumbering) {
  auto archive = makeArchive({{"30/12/2025", {}}, {"02/01/2026", {}}}, 2);
  archive.clear();
  archive.loadRow(1, "30/12/2025", std::array<WheelNumbers, kWheelCount>{});
  archive.loadRow(2, "31/12/2025", std::array<WheelNumbers, kWheelCount>{});
  archive.finishLoad(2, DrawArchive::Ordinals::Keep);
  EXPECT_EQ(archive.yearOrdinal(2), 1);  // still the ordinal of 02/01/2026
  EXPECT_EQ(archive.modelList(), std::vector<int>{2});
}

TEST(DrawListGrid, ListsEveryDrawWithItsOrdinals) {
  const auto archive = makeArchive({{"30/12/2025", {}}, {"02/01/2026", {}}, {"03/01/2026", {}}});
  const Grid grid = drawListGrid(archive);
  ASSERT_EQ(grid.rows(), 4);
  EXPECT_EQ(grid.clipText(),
            "\t\t\t\t\r\t1\t30/12/2025\t1\t1\r\t2\t02/01/2026\t1\t1\r"
            "\t3\t03/01/2026\t2\t2");
  EXPECT_EQ(drawListGrid(DrawArchive()).rows(), 1);
}

}  // namespace
}  // namespace quintello
