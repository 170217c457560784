// The reports on the forecasts: statistical summary, restricted and complete draw lists,
// and the delays report.

#include <gtest/gtest.h>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

TEST(QuintelloSummary, EmptyBeforeAnyVerification) {
  const DrawArchive archive = archiveWith(5, {});
  const QuintelloSession session(archive);
  const auto summary = session.statisticalSummary();
  EXPECT_EQ(summary.Fg1.clipText(),
            " Q Num\t1\t2\t3\t4\t5\r1\t\t\t\t\t\r2\t\t\t\t\t\r3\t\t\t\t\t\r"
            "4\t\t\t\t\t\r5\t\t\t\t\t\r6\t\t\t\t\t\r7\t\t\t\t\t");
  EXPECT_EQ(summary.fG2.rows(), 21);
  EXPECT_EQ(summary.fG2.text(0, 2), "Perc              ");
  for (int r = 1; r <= 20; ++r) EXPECT_EQ(summary.fG2.clipText({r, 0, r, 2}), "\t\t") << r;
  EXPECT_EQ(summary.Label3.text, "0");
}

// Bari 7 at draws 2, 6 and 10 with three colpi; forecasts {1} and {40, 41}.
//   row 3 (3..5): 1 in draw 3 (colpo 1)        row 2 (7..9): 1 in draw 7 (colpo 1)
//   row 1 (11..13): 40 and 41 in draw 13 (colpo 3)
DrawArchive summaryArchive() {
  return archiveWith(15, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                          {3, {{"RO", {1, 5, 6, 8, 9}}}},
                          {6, {{"BA", {7, 1, 2, 3, 4}}}},
                          {7, {{"RO", {10, 11, 12, 13, 1}}}},
                          {10, {{"BA", {7, 1, 2, 3, 4}}}},
                          {13, {{"RO", {40, 20, 41, 21, 22}}}}});
}

TEST(QuintelloSummary, OutcomesBySizeAndByColpoWithShares) {
  const DrawArchive archive = summaryArchive();
  QuintelloSession session(archive);
  session.inputs() = inputsFor(15, 3);
  session.elenco();
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{1}));
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{40, 41}));
  session.verifyForecasts();
  const auto summary = session.statisticalSummary();

  EXPECT_EQ(summary.Fg1.clipText({1, 0, 2, 5}), "1\t2\t\t\t\t\r2\t\t1\t\t\t");
  EXPECT_TRUE(summary.Fg1.bold(3, 0));
  EXPECT_EQ(summary.Fg1.backColor(7, 0), GialloMedio);
  EXPECT_EQ(summary.Fg1.alignment(3), Alignment::Center);

  const Grid& colpi = summary.fG2;
  EXPECT_EQ(colpi.clipText({1, 0, 3, 2}), "1\t2\t66.7\r\t\t\r3\t1\t33.3");
  ASSERT_TRUE(colpi.flood(1, 2));
  EXPECT_EQ(colpi.flood(1, 2)->color, Arancio);
  EXPECT_NEAR(colpi.flood(1, 2)->percent, 200.0 / 3, 1e-9);
  EXPECT_NEAR(colpi.flood(3, 2)->percent, 100.0 / 3, 1e-9);
  EXPECT_FALSE(colpi.flood(2, 2));
  EXPECT_EQ(colpi.foreColor(2, 1), kBlue);
  EXPECT_TRUE(colpi.bold(20, 1));
  EXPECT_EQ(colpi.backColor(20, 0), GialloMedio);
  EXPECT_EQ(summary.Label3.text, "3");
}

// Bari 7 at draws 3, 9 and 15 with three colpi and "Fine ricerca" at 15: row 1 is red,
// windows 10..12 (row 2) and 4..6 (row 3).
struct ListFixture {
  DrawArchive archive =
      archiveWith(16, {{3, {{"BA", {7, 1, 2, 3, 4}}}},
                       {2, {{"RO", {1, 60, 61, 62, 63}}}},
                       {5, {{"RO", {1, 40, 2, 41, 42}}}},
                       {8, {{"RO", {50, 1, 51, 52, 53}}}},
                       {9, {{"BA", {7, 1, 2, 3, 4}}}},
                       {11, {{"RO", {2, 54, 55, 56, 57}}}},
                       {15, {{"BA", {7, 1, 2, 3, 4}}, {"RO", {2, 70, 71, 72, 73}}}},
                       {16, {{"RO", {2, 1, 74, 75, 76}}}}});
  QuintelloSession session{archive};

  ListFixture() {
    session.inputs() = inputsFor(15, 3);
    session.inputs().FineRicerca = true;
    session.elenco();
    EXPECT_TRUE(session.occurrences()[0].estrRed);
    EXPECT_TRUE(session.addThroughCombinationList(std::vector<int>{1, 2}));
  }
};

TEST(QuintelloDrawLists, RestrictedListHoldsTheClosedWindowsOldestFirst) {
  ListFixture f;
  EXPECT_FALSE(f.session.restrictedDrawList(0));
  EXPECT_FALSE(f.session.restrictedDrawList(2));
  const auto list = f.session.restrictedDrawList(1);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Label1.text, "1  2          ");
  const Grid& grid = list->FgE;
  EXPECT_EQ(grid.text(0, 0), "Rif  ");
  EXPECT_EQ(grid.text(0, 2), "Data Estraz  ");
  const auto& a = f.archive;
  EXPECT_EQ(grid.clipText({1, 0, grid.rows() - 1, 9}),
            "3\t4\t" + a.dateText(4) + "\tRO\t0\t0\t0\t0\t0\t\r" +  //
                "3\t5\t" + a.dateText(5) + "\tRO\t1\t40\t2\t41\t42\t2\r" + "3\t6\t" +
                a.dateText(6) + "\tRO\t0\t0\t0\t0\t0\t\r" + "2\t10\t" + a.dateText(10) +
                "\tRO\t0\t0\t0\t0\t0\t\r" + "2\t11\t" + a.dateText(11) +
                "\tRO\t2\t54\t55\t56\t57\t1\r" + "2\t12\t" + a.dateText(12) +
                "\tRO\t0\t0\t0\t0\t0\t");
  EXPECT_EQ(grid.backColor(2, 4), kGreen);
  EXPECT_EQ(grid.backColor(2, 5), kWhite);
  EXPECT_EQ(grid.backColor(2, 6), kGreen);
  EXPECT_EQ(grid.backColor(5, 4), kGreen);
  EXPECT_TRUE(grid.columnMerged(0));
}

TEST(QuintelloDrawLists, CompleteListFillsTheGapsBetweenWindows) {
  ListFixture f;
  const auto list = f.session.completeDrawList(1);
  ASSERT_TRUE(list);
  const Grid& grid = list->FgE;
  // From the start of the oldest window (4) to the end of the newest row (15).
  ASSERT_EQ(grid.dataRows(), 12);
  std::string rifs;
  for (int r = 1; r < grid.rows(); ++r) rifs += grid.text(r, 0);
  EXPECT_EQ(rifs, "333000222000");
  EXPECT_EQ(grid.text(1, 1), "4");
  EXPECT_EQ(grid.text(12, 1), "15");
  // Draw 8 lies between two windows: orange index, its 1 yellow.
  EXPECT_EQ(grid.text(5, 1), "8");
  EXPECT_EQ(grid.backColor(5, 1), ArancioMedio);
  EXPECT_EQ(grid.backColor(5, 5), kYellow);
  EXPECT_EQ(grid.text(5, 9), "1");
  EXPECT_EQ(grid.backColor(2, 1), kWhite);
  EXPECT_EQ(grid.backColor(2, 4), kGreen);
  // The red row's draw belongs to no window.
  EXPECT_EQ(grid.backColor(12, 1), ArancioMedio);
  EXPECT_EQ(grid.backColor(12, 4), kYellow);
  EXPECT_TRUE(grid.columnMerged(0));

  f.session.emptyOccurrenceList();
  EXPECT_EQ(f.session.completeDrawList(1)->FgE.rows(), 1);
  EXPECT_EQ(f.session.restrictedDrawList(1)->FgE.rows(), 1);
}

TEST(QuintelloDelaysReport, DelaysMeansAndPresences) {
  ListFixture f;
  EXPECT_TRUE(f.session.addThroughCombinationList(std::vector<int>{2, 90}));
  EXPECT_TRUE(f.session.addThroughCombinationList(std::vector<int>{90}));
  const auto report = f.session.delaysReport();
  ASSERT_TRUE(report);
  const Grid& grid = *report;
  // The span runs from draw 4 to draw 15: twelve draws.
  EXPECT_EQ(grid.clipText({0, 0, 0, 17}),
            "N°\tN1\tN2\tN3\tN4\tN5\tN6\tN7\tR1\tR2\tR3\tR4\tR5\tR6\tR7\tRM\tP360\tP12");
  // {1, 2} at draw 15: 1 last came out in draw 8, 2 in draw 15 itself.
  //   presences up to 15: 1 in draws 2, 5, 8; 2 in 5, 11, 15. In 4..15: 1 twice, 2 three times.
  EXPECT_EQ(grid.clipText({1, 0, 3, 17}),
            "1\t1\t2\t\t\t\t\t\t7\t0\t\t\t\t\t\t3.5\t6\t5\r"
            "2\t2\t90\t\t\t\t\t\t0\t\t\t\t\t\t\t.0\t3\t3\r"
            "3\t90\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t0\t0");
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(grid.backColor(r, 0), (Color{220, 220, 220}));
    EXPECT_TRUE(grid.bold(r, 1));
    EXPECT_TRUE(grid.bold(r, 7));
    EXPECT_EQ(grid.backColor(r, 8), (Color{255, 255, 150}));
    EXPECT_EQ(grid.backColor(r, 14), (Color{255, 255, 150}));
    EXPECT_EQ(grid.backColor(r, 16), VerdeChiaro);
    EXPECT_EQ(grid.foreColor(r, 17), kRed);
  }
}

TEST(QuintelloDelaysReport, ShortArchiveAndMissingList) {
  const DrawArchive archive =
      archiveWith(400, {{2, {{"BA", {7, 1, 2, 3, 4}}, {"RO", {5, 6, 8, 9, 10}}}},
                        {30, {{"RO", {5, 11, 12, 13, 14}}}},
                        {395, {{"BA", {7, 1, 2, 3, 4}}}}});
  QuintelloSession session(archive);
  EXPECT_FALSE(session.delaysReport());
  session.inputs() = inputsFor(20, 12);
  session.elenco();
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{5}));
  // Reference draw 20, below 361: the presences start at draw 1.
  EXPECT_EQ(session.delaysReport()->clipText({1, 15, 1, 17}), "18.0\t1\t0");
  // Reference draw 400: draws 40..400, so draws 2 and 30 fall out.
  session.inputs().EstrazioneCorrente = 400;
  EXPECT_EQ(session.delaysReport()->clipText({1, 8, 1, 16}), "370\t\t\t\t\t\t\t370.0\t0");

  session.emptyOccurrenceList();
  const Grid grid = *session.delaysReport();
  EXPECT_EQ(grid.text(0, 17), "       ");
  EXPECT_EQ(grid.text(1, 17), "");
}

}  // namespace
}  // namespace quintello::test
