#include <gtest/gtest.h>

#include "analysis/statistics/number_statistics.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

// Cagliari has no draw on the 2nd, the Nazionale only on the 3rd and 4th; the 4th has no
// classic wheel, so TT does not count it. On the 1st the 1 is out on Bari and Cagliari.
const DrawArchive& smallArchive() {
  static const DrawArchive archive = test::makeArchive(
      {{"01/01/2020", {{"BA", {1, 2, 3, 4, 5}}, {"CA", {1, 6, 7, 8, 9}}}},
       {"02/01/2020", {{"BA", {10, 11, 12, 13, 14}}}},
       {"03/01/2020",
        {{"BA", {1, 20, 21, 22, 23}}, {"CA", {30, 31, 32, 33, 34}}, {"NZ", {1, 2, 3, 4, 5}}}},
       {"04/01/2020", {{"NZ", {40, 41, 42, 43, 44}}}},
       {"05/01/2020", {{"BA", {50, 51, 52, 53, 54}}, {"CA", {2, 60, 61, 62, 63}}}}});
  return archive;
}

TEST(NumberStatistics, FollowsTheConsideredDrawsOfEachWheel) {
  struct Case {
    const char* wheel;
    DrawRange range;
    int number, considered;
    std::array<int, 4> figures;  // frequency, delay, longest delay, last draw
    std::vector<DelayGap> history;
  };
  const DrawRange all = wholeArchive(smallArchive());
  for (const auto& c : {
           Case{"BA", all, 1, 4, {2, 1, 1, 3}, {{1, 3}}},
           Case{"CA", all, 1, 3, {1, 2, 2, 1}, {}},  // the 2nd does not count on Cagliari
           Case{"NZ", all, 1, 2, {1, 1, 1, 3}, {}},
           Case{"TT", all, 1, 4, {2, 1, 1, 3}, {{1, 3}}},  // once on the 1st, two wheels
           Case{"TT", all, 2, 4, {2, 0, 2, 5}, {{2, 5}}},  // Bari, then Cagliari
           Case{"TT", all, 90, 4, {0, 4, 4, 0}, {}},       // never out
           Case{"TT", {2, 5}, 2, 3, {1, 0, 2, 5}, {}},
           Case{"BA", {4, 3}, 1, 0, {0, 0, 0, 0}, {}},
       }) {
    SCOPED_TRACE(testing::Message() << c.wheel << " " << c.range.first << " " << c.number);
    const int wheel = *statisticsWheelIndex(c.wheel);
    const StatisticsTable table = numberStatistics(smallArchive(), wheel, c.range);
    EXPECT_EQ(table.consideredDraws, c.considered);
    const NumberFigures& s = table.numbers[static_cast<size_t>(c.number)];
    EXPECT_EQ((std::array{s.frequency, s.delay, s.longestDelay, s.lastDraw}), c.figures);
    EXPECT_EQ(delayHistory(smallArchive(), wheel, c.range, c.number), c.history);
  }
  for (const auto& [from, to, range] : {std::tuple{"", "", DrawRange{1, 5}},
                                        {"2020-01-02", "2020-01-03", {2, 3}},
                                        {"2019-12-31", "2020-01-10", {1, 5}},
                                        {"2020-01-06", "", {6, 5}},
                                        {"", "2019-12-31", {1, 0}}})
    EXPECT_EQ(drawsBetween(smallArchive(), from, to), range) << from << " - " << to;
}

TEST(NumberStatistics, GridSortsByAnyColumnTiesByNumber) {
  const StatisticsTable table =
      numberStatistics(smallArchive(), kWheelTT, wholeArchive(smallArchive()));
  const Grid byLast = statisticsGrid(smallArchive(), table, StatisticsColumn::UltimaUscita, true);
  EXPECT_EQ(byLast.clipText({1, 0, 2, 0}), "2\r50");  // 05/01: 2, 50..54, 60..63
  const Grid byFrequency = statisticsGrid(smallArchive(), table, StatisticsColumn::Frequenza);
  EXPECT_EQ(byFrequency.text(1, 0) + " " + byFrequency.text(90, 0), "15 2");  // never out first
}

}  // namespace
}  // namespace quintello
