// The reports on the forecasts: the bars of the summary, the colours of the complete draw list,
// and each forecast against chance.

#include <gtest/gtest.h>

#include "analysis/quintello/chance.h"
#include "analysis/quintello/grid_columns.h"
#include "core/draw_views.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Bari 7 at draws 3, 9 and 15 with three colpi and "Fine ricerca" at 15: row 1 is red,
// windows 10..12 (row 2) and 4..6 (row 3); forecast {1, 2}.
class QuintelloForecastReports : public testing::Test {
 protected:
  DrawArchive archive =
      archiveWith(16,
                  "2 RO 1 60 61 62 63; 3 BA 7 1 2 3 4; 4 RO 2 80 81 82 83; 5 RO 1 40 2 41 42;"
                  "8 RO 50 1 51 52 53; 9 BA 7 1 2 3 4; 11 RO 2 54 55 56 57;"
                  "15 BA 7 1 2 3 4 RO 2 70 71 72 73; 16 RO 2 1 74 75 76");
  QuintelloSession session{archive};

  void SetUp() override {
    session.inputs() = inputsFor(15, 3);
    session.inputs().FineRicerca = true;
    session.elenco();
    ASSERT_TRUE(add(session, {1, 2}));
  }
};

TEST_F(QuintelloForecastReports, SummaryBarsShowEachColpoShare) {
  ASSERT_TRUE(add(session, {2}));
  session.verifyForecasts();  // {2} on colpo 1 of row 3 and colpo 2 of row 2
  const Grid colpi = session.statisticalSummary().fG2;
  EXPECT_NEAR(colpi.flood(1, riepilogoFG2::kPerc).value().percent, 50.0, 1e-9);
  EXPECT_FALSE(colpi.flood(3, riepilogoFG2::kPerc));
}

TEST_F(QuintelloForecastReports, CompleteListFillsTheGapsBetweenWindows) {
  // Draws 4..15 (rows 1..12): draw 5 lies in a window, draws 8 and 15 in none.
  const Grid grid = session.completeDrawList(1).value().FgE;
  EXPECT_EQ((std::array{grid.backColor(2, fgE::kNEstr), grid.backColor(2, fgE::kNumeri),
                        grid.backColor(2, fgE::kNumeri + 1), grid.backColor(5, fgE::kNEstr),
                        grid.backColor(5, fgE::kNumeri + 1), grid.backColor(12, fgE::kNumeri)}),
            (std::array{kWhite, kGreen, kWhite, ArancioMedio, kYellow, kYellow}));
}

// Every draw of five numbers from ninety, counted by how many of 1..m it holds (m = 1..7):
// the fifth number is counted in bulk for each choice of the first four.
TEST(QuintelloChance, DrawProbabilityMatchesEveryDraw) {
  long long ways[8][6] = {};
  for (int a = 1; a <= 86; ++a)
    for (int b = a + 1; b <= 87; ++b)
      for (int c = b + 1; c <= 88; ++c)
        for (int d = c + 1; d <= 89; ++d)
          for (int m = 1; m <= 7; ++m) {
            const int held = (a <= m) + (b <= m) + (c <= m) + (d <= m), fifth = std::max(0, m - d);
            ways[m][held + 1] += fifth;
            ways[m][held] += 90 - d - fifth;
          }
  for (int m = 1; m <= 7; ++m)
    for (int sorte = 1; sorte <= 5; ++sorte) {
      long long favourable = 0;
      for (int h = sorte; h <= 5; ++h) favourable += ways[m][h];
      EXPECT_EQ(drawHitProbability(m, sorte), static_cast<double>(favourable) / 43'949'268)
          << m << " numbers, sorte " << sorte;
    }
}

// No expected outcome (the game wheel never fully drawn: a 0 or a number twice is no draw):
// the ratio stays empty, the chance is 1.
TEST(QuintelloChance, NoExpectedOutcomeLeavesTheRatioEmpty) {
  const DrawArchive archive = archiveWith(
      20, "2 BA 7 1 2 3 4; 3 RO 5 6 8 9 0; 10 BA 7 1 2 3 4; 12 RO 5 5 6 8 9; 15 BA 7 1 2 3 4");
  QuintelloSession session = listed(archive, inputsFor(20, 4));
  ASSERT_TRUE(add(session, {3}));
  EXPECT_EQ(session.chanceReport().clipText({1, 0, 1, 7}), "1\t1\t3\t0\t0\t0.00\t\t1.0000");
}

}  // namespace
}  // namespace quintello::test
