// Verification of the forecasts against the play windows, and the detail of one occurrence.

#include <gtest/gtest.h>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Bari 7 at draws 2 and 10 with five colpi: windows 3..7 (row 2) and 11..15 (row 1).
DrawArchive verificationArchive() {
  return archiveWith(20, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                          {3, {{"RO", {5, 6, 8, 9, 10}}}},
                          {4, {{"RO", {1, 3, 2, 22, 23}}}},
                          {5, {{"RO", {1, 2, 30, 31, 32}}}},
                          {10, {{"BA", {7, 1, 2, 3, 4}}}},
                          {12, {{"RO", {99, 70, 71, 72, 73}}}},
                          {13, {{"RO", {70, 80, 81, 82, 83}}}}});
}

// Forecasts 1 = {1, 2} (Sorte 2), 2 = {70}, 3 = {1}.
QuintelloSession verifiedSession(const DrawArchive& archive) {
  QuintelloSession session(archive);
  session.inputs() = inputsFor(20, 5);
  session.elenco();
  for (const std::vector<int>& numbers : {std::vector<int>{1, 2}, {70}, {1}})
    EXPECT_TRUE(session.addThroughCombinationList(numbers));
  session.verifyForecasts();
  return session;
}

TEST(QuintelloVerification, FirstOutcomeDrawWithEveryForecastScoringInIt) {
  const DrawArchive archive = verificationArchive();
  const QuintelloSession session = verifiedSession(archive);
  ASSERT_EQ(session.ContaPresenze(), 2);

  // Row 2: forecasts 1 (two hits) and 3 (one hit) both score in draw 4, the second colpo.
  const OccurrenceRow& older = session.occurrences()[1];
  EXPECT_EQ(older.NEst, 4);
  EXPECT_EQ(older.C, 2);
  EXPECT_EQ(older.DataEsito, archive.dateText(4));
  EXPECT_EQ(older.S, "21");
  EXPECT_EQ(older.Ge, "13");
  EXPECT_EQ(older.esitoNumeri, (std::array<int, 5>{1, 3, 2, 22, 23}));
  EXPECT_EQ(older.esitoVerde, (std::array<bool, 5>{true, false, true, false, false}));

  // Row 1: 99 is no number; 70 scores in draw 12.
  const OccurrenceRow& newer = session.occurrences()[0];
  EXPECT_EQ(newer.NEst, 12);
  EXPECT_EQ(newer.C, 2);
  EXPECT_EQ(newer.S, "1");
  EXPECT_EQ(newer.Ge, "2");
  EXPECT_EQ(newer.esitoVerde, (std::array<bool, 5>{false, true, false, false, false}));

  const auto& esiti = session.EsitiPrevisione();
  EXPECT_EQ(esiti[1][2], 1);
  EXPECT_EQ(esiti[3][1], 1);
  EXPECT_EQ(esiti[2][1], 1);
  EXPECT_EQ(esiti[1][1], 0);
  EXPECT_EQ(esiti[1][0], 2);  // sizes, written at the end
  EXPECT_EQ(esiti[2][0], 1);
  EXPECT_EQ(esiti[3][0], 1);
  EXPECT_EQ(session.EsitiPerColpo()[2], 3);
  EXPECT_EQ(session.EsitiPerColpo()[1], 0);

  const Grid grid = session.renderFg1();
  EXPECT_EQ(grid.clipText({2, 9, 2, 18}),
            "1\t3\t2\t22\t23\t2\t4\t" + archive.dateText(4) + "\t21\t13");
  EXPECT_EQ(grid.backColor(2, 9), kGreen);
  EXPECT_EQ(grid.backColor(2, 10), kWhite);
  EXPECT_EQ(grid.backColor(2, 11), kGreen);
  EXPECT_EQ(grid.clipText({1, 9, 1, 13}), "99\t70\t71\t72\t73");
  EXPECT_EQ(grid.backColor(1, 9), kWhite);
  EXPECT_EQ(grid.backColor(1, 10), kGreen);

  // The counters follow the covered rows.
  EXPECT_EQ(session.labels().Lbl_T.text, "2");
  EXPECT_EQ(session.labels().Lbl_S.text, "10");
}

TEST(QuintelloVerification, SorteTwoNeedsBothNumbersInOneDraw) {
  const DrawArchive archive = archiveWith(12, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                                               {3, {{"RO", {1, 5, 6, 8, 9}}}},
                                               {4, {{"RO", {2, 10, 11, 12, 13}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(12, 5);
  session.elenco();
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{1, 2}));
  session.verifyForecasts();
  EXPECT_FALSE(session.occurrences()[0].hasOutcome());
  EXPECT_EQ(session.renderFg1().clipText({1, 9, 1, 18}), "\t\t\t\t\t\t\t\t\t");
  EXPECT_EQ(session.EsitiPrevisione()[1][0], 2);
  EXPECT_EQ(session.EsitiPrevisione()[1][1], 0);
}

TEST(QuintelloVerification, WindowExaminedOnlyUpToLimiteFine) {
  const DrawArchive archive = verificationArchive();
  QuintelloSession session(archive);
  session.inputs() = inputsFor(20, 5);
  session.elenco();
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{80}));  // draw 13
  session.verifyForecasts();
  EXPECT_EQ(session.occurrences()[0].NEst, 13);

  // "Fine ricerca" ticked at draw 12: the next search moves LimiteFine, and the outcome
  // in draw 13 lies beyond it.
  session.inputs().FineRicerca = true;
  session.inputs().EstrazioneCorrente = 12;
  session.elabora();
  session.verifyForecasts();
  EXPECT_EQ(session.LimiteFine(), 12);
  EXPECT_FALSE(session.occurrences()[0].hasOutcome());
}

TEST(QuintelloVerification, EmptyListOnlyClearsTheStatistics) {
  const DrawArchive archive = verificationArchive();
  QuintelloSession session = verifiedSession(archive);
  ASSERT_EQ(session.EsitiPrevisione()[1][0], 2);
  const auto labels = session.labels();
  session.emptyOccurrenceList();
  session.verifyForecasts();
  for (const auto& row : session.EsitiPrevisione())
    for (int v : row) EXPECT_EQ(v, 0);
  for (int v : session.EsitiPerColpo()) EXPECT_EQ(v, 0);
  EXPECT_EQ(session.labels(), labels);
}

TEST(QuintelloVerification, ColpiBeyondTwentyGrowTheColpoTable) {
  const DrawArchive archive =
      archiveWith(40, {{2, {{"BA", {7, 1, 2, 3, 4}}}}, {26, {{"RO", {44, 1, 2, 3, 4}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(40, 25);
  session.elenco();
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{44}));
  session.verifyForecasts();
  EXPECT_EQ(session.occurrences()[0].C, 24);
  ASSERT_GE(session.EsitiPerColpo().size(), 25u);
  EXPECT_EQ(session.EsitiPerColpo()[24], 1);

  const auto summary = session.statisticalSummary();
  EXPECT_EQ(summary.fG2.rows(), 25);
  EXPECT_EQ(summary.fG2.clipText({24, 0, 24, 2}), "24\t1\t100.0");
  EXPECT_EQ(summary.Label3.text, "1");
}

TEST(QuintelloOccurrenceDetail, TwentyDrawsWithEveryForecastHit) {
  const DrawArchive archive = verificationArchive();
  QuintelloSession session = verifiedSession(archive);
  EXPECT_FALSE(session.occurrenceDetail(0));
  EXPECT_FALSE(session.occurrenceDetail(3));

  // Row 2 (draw 2): draws 3..20 exist (18 lines), hits in draws 4, 5, 12 and 13.
  const auto detail = session.occurrenceDetail(2);
  ASSERT_TRUE(detail);
  const Grid& grid = *detail;
  EXPECT_EQ(grid.clipText({0, 0, 0, 12}),
            "  \tColpo\tN° Estr \tData Estraz  \tRuota\tN1\tN2\tN3\tN4\tN5\tNP\tQN\tEsito");
  EXPECT_EQ(grid.dataRows(), 18 + 2 + 2 + 1 + 1);
  EXPECT_EQ(grid.clipText({1, 0, 4, 12}),
            "\t1\t3\t" + archive.dateText(3) + "\tRO\t5\t6\t8\t9\t10\t\t\t\r" +  //
                "\t2\t4\t" + archive.dateText(4) + "\tRO\t1\t3\t2\t22\t23\t\t\t\r" +
                "\t\t\t\t\t\t\t\t\t\t1\t2\t 1 2\r" +  //
                "\t\t\t\t\t\t\t\t\t\t3\t1\t 1");
  const int last = grid.rows() - 1;
  EXPECT_EQ(grid.text(last, 2), "20");
  EXPECT_EQ(grid.text(last, 1), "18");
  // Draw 12: 99 is no number, 70 hits forecast 2.
  bool found = false;
  for (int r = 1; r < grid.rows(); ++r)
    if (grid.text(r, 2) == "12") {
      EXPECT_EQ(grid.clipText({r + 1, 10, r + 1, 12}), "2\t1\t 70");
      found = true;
    }
  EXPECT_TRUE(found);

  for (int r : {1, 3, last}) {
    EXPECT_EQ(grid.backColor(r, 2), GialloChiaro);
    EXPECT_EQ(grid.backColor(r, 3), GialloChiaro);
    EXPECT_EQ(grid.backColor(r, 4), VerdeMedio);
    EXPECT_TRUE(grid.bold(r, 4));
    EXPECT_EQ(grid.backColor(r, 10), GialloMedio);
    EXPECT_EQ(grid.backColor(r, 11), ArancioChiaro);
    EXPECT_TRUE(grid.bold(r, 12));
    EXPECT_EQ(grid.foreColor(r, 12), kRed);
    EXPECT_EQ(grid.backColor(r, 5), kWhite);
  }
  EXPECT_EQ(grid.alignment(12), Alignment::Center);

  // Row 1 (draw 10): only the draws that exist, 11..20.
  EXPECT_EQ(session.occurrenceDetail(1)->clipText({1, 1, 1, 2}), "1\t11");
}

TEST(QuintelloOccurrenceDetail, ListPositionAndForecastNumberDifferAfterARemoval) {
  const DrawArchive archive = verificationArchive();
  QuintelloSession session = verifiedSession(archive);
  ASSERT_TRUE(session.removeForecast(1));  // {1, 2}: forecast 3 = {1} is now second
  EXPECT_EQ(session.occurrences()[1].Ge, "3");
  EXPECT_EQ(session.occurrences()[1].S, "1");
  const Grid grid = *session.occurrenceDetail(2);
  EXPECT_EQ(grid.clipText({3, 10, 3, 12}), "2\t1\t 1");
}

}  // namespace
}  // namespace quintello::test
