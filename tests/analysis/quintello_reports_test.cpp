// The reports on the forecasts: the bars of the summary, the colours of the complete draw list,
// and the delays report.

#include <gtest/gtest.h>

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
  ASSERT_TRUE(colpi.flood(1, riepilogoFG2::kPerc));
  EXPECT_NEAR(colpi.flood(1, riepilogoFG2::kPerc)->percent, 50.0, 1e-9);
  EXPECT_FALSE(colpi.flood(3, riepilogoFG2::kPerc));
}

TEST_F(QuintelloForecastReports, CompleteListFillsTheGapsBetweenWindows) {
  const auto list = session.completeDrawList(1);
  ASSERT_TRUE(list);
  const Grid& grid = list->FgE;
  // Draws 4..15: the start of the oldest window to the end of the newest row.
  std::string rifs;
  for (int r = 1; r < grid.rows(); ++r) rifs += grid.text(r, fgE::kRif);
  EXPECT_EQ(rifs, "333000222000");
  // Draw 5 (row 2) lies in a window, draw 8 (row 5) and draw 15 (row 12) in none.
  EXPECT_EQ(grid.backColor(2, fgE::kNEstr), kWhite);
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri), kGreen);
  EXPECT_EQ(grid.backColor(2, fgE::kNumeri + 1), kWhite);
  EXPECT_EQ(grid.backColor(5, fgE::kNEstr), ArancioMedio);
  EXPECT_EQ(grid.backColor(5, fgE::kNumeri + 1), kYellow);
  EXPECT_EQ(grid.backColor(12, fgE::kNumeri), kYellow);
}

TEST_F(QuintelloForecastReports, DelaysReportSpansTheListOnly) {
  EXPECT_EQ(session.delaysReport()->text(0, fgR::kPSpan), "P12");
  session.emptyOccurrenceList();
  EXPECT_EQ(session.delaysReport()->text(1, fgR::kPSpan), "");
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
