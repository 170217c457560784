// The reports on the forecasts: statistical summary, restricted and complete draw lists,
// and the delays report.

#include <gtest/gtest.h>

#include "analysis/quintello/grid_columns.h"
#include "core/draw_views.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

TEST(QuintelloSummary, OutcomesBySizeAndByColpoWithShares) {
  // Bari 7 at draws 2, 6 and 10, three colpi; forecasts {1} and {40, 41}: 1 comes out on
  // colpo 1 of windows 3..5 and 7..9, 40 and 41 together on colpo 3 of window 11..13.
  const DrawArchive archive =
      archiveWith(15,
                  "2 BA 7 1 2 3 4; 3 RO 1 5 6 8 9; 6 BA 7 1 2 3 4; 7 RO 10 11 12 13 1;"
                  "10 BA 7 1 2 3 4; 13 RO 40 20 41 21 22");
  QuintelloSession session = listed(archive, inputsFor(15, 3));
  ASSERT_TRUE(add(session, {1}));
  ASSERT_TRUE(add(session, {40, 41}));
  session.verifyForecasts();
  const auto summary = session.statisticalSummary();
  // Size 1: two outcomes of one hit; size 2: one of two hits.
  EXPECT_EQ(summary.Fg1.clipText({1, 0, 2, riepilogoFg1::kColumns - 1}),
            "1\t2\t\t\t\t\r2\t\t1\t\t\t");
  // 2 / 3 and 1 / 3 of the outcomes; colpo 2 has none and shows nothing.
  const Grid& colpi = summary.fG2;
  EXPECT_EQ(colpi.clipText({1, 0, 3, riepilogoFG2::kColumns - 1}), "1\t2\t66.7\r\t\t\r3\t1\t33.3");
  ASSERT_TRUE(colpi.flood(1, riepilogoFG2::kPerc));
  EXPECT_NEAR(colpi.flood(1, riepilogoFG2::kPerc)->percent, 200.0 / 3, 1e-9);
  EXPECT_FALSE(colpi.flood(2, riepilogoFG2::kPerc));
  EXPECT_EQ(summary.Label3.text, "3");
}

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
    ASSERT_TRUE(session.occurrences()[0].estrRed);
    ASSERT_TRUE(add(session, {1, 2}));
  }
};

TEST_F(QuintelloForecastReports, RestrictedListHoldsTheWindowsOldestFirst) {
  const auto list = session.restrictedDrawList(1);
  ASSERT_TRUE(list);
  // The seven cells of the forecast joined by two blanks, the empty ones keeping their place.
  EXPECT_EQ(list->Label1.text, "1  2" + std::string(10, ' '));
  const Grid& grid = list->FgE;
  const int last = grid.rows() - 1;
  EXPECT_EQ(grid.clipText({1, fgE::kRif, last, fgE::kNEstr}),
            "3\t4\r3\t5\r3\t6\r2\t10\r2\t11\r2\t12");
  EXPECT_EQ(grid.clipText({1, fgE::kQN, last, fgE::kQN}), "1\r2\r\r\r1\r");
  // Draw 5 on Roma: 1, 40, 2, 41, 42.
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri), kGreen);
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri + 1), kWhite);
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri + 2), kGreen);
}

TEST_F(QuintelloForecastReports, CompleteListFillsTheGapsBetweenWindows) {
  const auto list = session.completeDrawList(1);
  ASSERT_TRUE(list);
  const Grid& grid = list->FgE;
  // Draws 4..15: the start of the oldest window to the end of the newest row.
  std::string rifs;
  for (int r = 1; r < grid.rows(); ++r) rifs += grid.text(r, fgE::kRif);
  EXPECT_EQ(rifs, "333000222000");
  EXPECT_EQ(grid.text(12, fgE::kNEstr), "15");
  // Draw 5 (row 2) lies in a window, draw 8 (row 5) and draw 15 (row 12) in none.
  EXPECT_EQ(grid.backColor(2, fgE::kNEstr), kWhite);
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri), kGreen);
  EXPECT_EQ(grid.backColor(5, fgE::kNEstr), ArancioMedio);
  EXPECT_EQ(grid.backColor(5, fgE::kNumeri + 1), kYellow);
  EXPECT_EQ(grid.text(5, fgE::kQN), "1");
  EXPECT_EQ(grid.backColor(12, fgE::kNumeri), kYellow);
}

TEST_F(QuintelloForecastReports, DelaysMeansAndPresences) {
  ASSERT_TRUE(add(session, {2, 90}));
  ASSERT_TRUE(add(session, {90}));
  const auto report = session.delaysReport();
  ASSERT_TRUE(report);
  // At draw 15: 1 last came out in draw 8 (delay 7), 2 in draw 15 (0), 90 never. Presences
  // up to 15: 1 in draws 2, 5, 8; 2 in 4, 5, 11, 15. Over the span 4..15 ("P12"): 1 twice, 2
  // four times. A row with no delay has no mean.
  EXPECT_EQ(report->text(0, fgR::kPSpan), "P12");
  EXPECT_EQ(report->clipText({1, 0, 3, fgR::kColumns - 1}),
            "1\t1\t2\t\t\t\t\t\t7\t0\t\t\t\t\t\t3.5\t7\t6\r"
            "2\t2\t90\t\t\t\t\t\t0\t\t\t\t\t\t\t.0\t4\t4\r"
            "3\t90\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t0\t0");
  session.emptyOccurrenceList();
  EXPECT_EQ(session.delaysReport()->text(1, fgR::kPSpan), "");  // no span without a list
}

TEST(QuintelloDelaysReport, PresencesOverThe361DrawsUpToTheReference) {
  // 5 on Roma at draws 39 and 40: at reference 400 only draw 40 is among 40..400.
  const DrawArchive archive = archiveWith(400, "39 RO 5 6 8 9 10; 40 RO 5 11 12 13 14");
  QuintelloSession session = listed(archive, inputsFor(400));
  EXPECT_FALSE(session.delaysReport());  // no forecast
  ASSERT_TRUE(add(session, {5}));
  EXPECT_EQ(session.delaysReport()->clipText({1, fgR::kRitardi, 1, fgR::kP360}),
            "360\t\t\t\t\t\t\t360.0\t1");
}

}  // namespace
}  // namespace quintello::test
