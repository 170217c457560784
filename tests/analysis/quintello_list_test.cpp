// The occurrence list ("ELENCO"): rows, play windows, marks, labels and the per-number
// statistics.

#include <gtest/gtest.h>

#include <numeric>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

struct ExpectedRow {
  int estr, inizio, fine, end;
  bool red, green, cut, incomplete;
};

struct ListCase {
  const char* name;
  int draws;
  std::vector<int> occurrences;  // draws holding 7 on Bari
  int reference;
  bool fine;
  int colpi;
  int presenze;
  std::vector<ExpectedRow> rows;  // newest first
};

class ElencoMarks : public testing::TestWithParam<ListCase> {};

TEST_P(ElencoMarks, RowsWindowsAndMarks) {
  const ListCase& c = GetParam();
  std::map<int, Wheels> wheels;
  for (int e : c.occurrences) wheels[e] = {{"BA", {7, 1, 2, 3, 4}}};
  const DrawArchive archive = archiveWith(c.draws, wheels);
  QuintelloSession session(archive);
  session.inputs() = inputsFor(c.reference, c.colpi, c.presenze);
  session.inputs().FineRicerca = c.fine;
  session.elenco();

  ASSERT_EQ(session.occurrences().size(), c.rows.size());
  for (size_t i = 0; i < c.rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    const auto& row = session.occurrences()[i];
    const auto& want = c.rows[i];
    EXPECT_EQ(row.Numero, static_cast<int>(i) + 1);
    EXPECT_EQ(row.Estr, want.estr);
    EXPECT_EQ(row.DataEstraz, archive.dateText(want.estr));
    EXPECT_EQ(row.Inizio, want.inizio);
    EXPECT_EQ(row.Fine, want.fine);
    EXPECT_EQ(row.End, want.end);
    EXPECT_EQ(row.estrRed, want.red);
    EXPECT_EQ(row.inizioGreen, want.green);
    EXPECT_EQ(row.endCut, want.cut);
    EXPECT_EQ(row.incomplete, want.incomplete);
  }

  // The same marks as colours of the rendered list.
  const Grid grid = session.renderFg1();
  for (size_t i = 0; i < c.rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const auto& want = c.rows[i];
    EXPECT_EQ(grid.backColor(r, 1), want.red ? kRed : kWhite);
    EXPECT_EQ(grid.backColor(r, 3), want.green ? kGreen : kWhite);
    EXPECT_EQ(grid.backColor(r, 5), want.cut ? kYellow : kWhite);
    EXPECT_EQ(grid.backColor(r, 0), want.incomplete ? kYellow : kWhite);
    EXPECT_EQ(grid.value(r, 5), want.end);
  }
}

INSTANTIATE_TEST_SUITE_P(Quintello, ElencoMarks,
                         testing::Values(ListCase{"TwoOccurrencesThreeDrawsApart",
                                                  30,
                                                  {20, 23},
                                                  30,
                                                  false,
                                                  12,
                                                  12,
                                                  {{23, 24, 30, 30, false, true, false, true},
                                                   {20, 21, 30, 23, false, false, true, true}}},
                                         ListCase{"OccurrenceAtReferenceWithFineRicerca",
                                                  30,
                                                  {10, 25},
                                                  25,
                                                  true,
                                                  12,
                                                  12,
                                                  {{25, 26, 25, 25, true, false, false, true},
                                                   {10, 11, 22, 22, false, false, false, false}}},
                                         ListCase{"OneColpoOnConsecutiveDraws",
                                                  20,
                                                  {5, 6, 7},
                                                  20,
                                                  false,
                                                  1,
                                                  12,
                                                  {{7, 8, 8, 8, false, false, false, false},
                                                   {6, 7, 7, 7, false, false, false, false},
                                                   {5, 6, 6, 6, false, false, false, false}}},
                                         ListCase{"WindowReachesPastReference",
                                                  30,
                                                  {12},
                                                  15,
                                                  false,
                                                  12,
                                                  12,
                                                  {{12, 13, 24, 24, false, false, false, false}}},
                                         ListCase{"FineRicercaStopsWindow",
                                                  30,
                                                  {12},
                                                  15,
                                                  true,
                                                  12,
                                                  12,
                                                  {{12, 13, 15, 15, false, false, false, true}}},
                                         ListCase{"PresencesKeepTheNewest",
                                                  20,
                                                  {3, 9, 14},
                                                  20,
                                                  false,
                                                  4,
                                                  2,
                                                  {{14, 15, 18, 18, false, false, false, false},
                                                   {9, 10, 13, 13, false, false, false, false}}},
                                         ListCase{"ChainOfCutWindows",
                                                  12,
                                                  {2, 5, 9},
                                                  12,
                                                  false,
                                                  6,
                                                  12,
                                                  {{9, 10, 12, 12, false, true, false, true},
                                                   {5, 6, 11, 9, false, true, true, false},
                                                   {2, 3, 8, 5, false, false, true, false}}},
                                         ListCase{"OccurrenceAfterReferenceIgnored",
                                                  30,
                                                  {10, 20},
                                                  15,
                                                  false,
                                                  3,
                                                  12,
                                                  {{10, 11, 13, 13, false, false, false, false}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuintelloElenco, DetectsOnlyTickedPositionsOfTheDetectionWheel) {
  const DrawArchive archive = archiveWith(10, {{4, {{"BA", {1, 2, 7, 3, 4}}}},
                                               {6, {{"RO", {7, 1, 2, 3, 4}}}},
                                               {8, {{"BA", {7, 2, 3, 4, 5}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(10);
  session.inputs().PosizioniRilevazione = {true, true, false, true, true};
  session.elenco();
  ASSERT_EQ(session.ContaPresenze(), 1);
  EXPECT_EQ(session.occurrences()[0].Estr, 8);

  session.inputs().PosizioniRilevazione[2] = true;
  session.elenco();
  ASSERT_EQ(session.ContaPresenze(), 2);
  EXPECT_EQ(session.occurrences()[1].Estr, 4);
}

TEST(QuintelloElenco, NumbersOutsideTheLottoRangeFindNothing) {
  // A malformed archive: 7 twice on one wheel, 99 stored, empty wheels reading 0.
  const DrawArchive archive =
      archiveWith(10, {{3, {{"BA", {7, 7, 99, 0, 5}}}}, {5, {{"BA", {99, 1, 2, 3, 4}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(10);
  session.elenco();
  ASSERT_EQ(session.ContaPresenze(), 1);  // one row for the draw holding 7 twice
  EXPECT_EQ(session.occurrences()[0].Estr, 3);

  for (int number : {99, 0, -1}) {
    session.inputs().NumeroCercato = number;
    session.elenco();
    EXPECT_EQ(session.ContaPresenze(), 0) << number;
  }
}

TEST(QuintelloElenco, ReferenceDrawOutsideTheArchiveIsHarmless) {
  const DrawArchive archive = archiveWith(10, {{3, {{"BA", {7, 1, 2, 3, 4}}}}});
  QuintelloSession session(archive);
  for (int reference : {0, -5, 400}) {
    session.inputs() = inputsFor(reference);
    session.elenco();
    EXPECT_EQ(session.ContaPresenze(), reference > 0 ? 1 : 0) << reference;
  }
  const DrawArchive empty;
  QuintelloSession nothing(empty);
  nothing.elenco();
  nothing.elabora();
  nothing.searchPairs();
  nothing.verifyForecasts();
  EXPECT_EQ(nothing.ContaPresenze(), 0);
  EXPECT_EQ(nothing.renderFg1().rows(), 1);
}

TEST(QuintelloElenco, LeavesOnlyTheGameWheelFlagged) {
  const DrawArchive archive = archiveWith(10, {{3, {{"BA", {7, 1, 2, 3, 4}}}}});
  QuintelloSession session(archive);
  EXPECT_EQ(std::count(session.RuotaAttiva().begin(), session.RuotaAttiva().end(), true), 11);
  session.inputs() = inputsFor(10);
  session.elenco();
  for (int w = 0; w < kWheelCount; ++w) EXPECT_EQ(session.RuotaAttiva()[w], w == 7) << w;
  EXPECT_EQ(std::count(session.PosizioneAttiva().begin(), session.PosizioneAttiva().end(), true),
            5);
}

struct LabelCase {
  const char* name;
  int draws;
  std::vector<int> occurrences;
  int presenze;
  const char* count;
  const char* span;
};

class ElencoLabels : public testing::TestWithParam<LabelCase> {};

TEST_P(ElencoLabels, CountAndSpan) {
  const LabelCase& c = GetParam();
  std::map<int, Wheels> wheels;
  for (int e : c.occurrences) wheels[e] = {{"BA", {7, 1, 2, 3, 4}}};
  const DrawArchive archive = archiveWith(c.draws, wheels);
  QuintelloSession session(archive);
  session.inputs() = inputsFor(c.draws, 12, c.presenze);
  session.elenco();
  EXPECT_EQ(session.labels().LBL_NC.text, c.count);
  EXPECT_EQ(session.labels().Label7.text, c.span);
}

INSTANTIATE_TEST_SUITE_P(
    Quintello, ElencoLabels,
    testing::Values(
        // The divisor is the presences asked for, also when fewer were found.
        LabelCase{"FractionsWithoutLeadingZero",
                  30,
                  {20, 23},
                  5,
                  "2",
                  "N° Estraz. = 4  Freq = .80 (.75)"},
        // 107 / 40 = 2.675 rounds up, as by hand; 106 / 39 = 2.7179...
        LabelCase{"HalvesRoundAwayFromZero",
                  110,
                  {1, 107},
                  40,
                  "2",
                  "N° Estraz. = 107  Freq = 2.68 (2.72)"},
        // One presence: the distance between presences has no divisor and is left out.
        LabelCase{"OnePresenceHasNoDistance", 30, {20}, 1, "1", "N° Estraz. = 1  Freq = 1.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuintelloElenco, ListWithoutOccurrencesKeepsWhatTheWindowShowed) {
  const DrawArchive archive =
      archiveWith(30, {{20, {{"BA", {7, 1, 2, 3, 4}}}}, {21, {{"RO", {40, 41, 42, 43, 44}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(30);
  session.elenco();
  const std::vector<int> numbers = {40};
  ASSERT_TRUE(session.addThroughCombinationList(numbers));
  const auto labels = session.labels();

  session.inputs().NumeroCercato = 8;
  session.elenco();
  EXPECT_EQ(session.ContaPresenze(), 0);
  EXPECT_EQ(session.renderFg1().rows(), 1);
  EXPECT_EQ(session.labels(), labels);
  EXPECT_EQ(session.forecasts().size(), 1u);
  EXPECT_EQ(session.renderFgN().rows(), 91);
}

TEST(QuintelloElenco, NewListResetsTheForecastSide) {
  const DrawArchive archive =
      archiveWith(30, {{20, {{"BA", {7, 1, 2, 3, 4}}}}, {21, {{"RO", {40, 41, 42, 43, 44}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(30);
  session.elenco();
  const std::vector<int> numbers = {40};
  ASSERT_TRUE(session.addThroughCombinationList(numbers));
  session.verifyForecasts();
  ASSERT_FALSE(session.combinations().empty());
  ASSERT_EQ(session.EsitiPrevisione()[1][1], 1);
  session.searchPairs();

  session.elenco();
  EXPECT_TRUE(session.forecasts().empty());
  EXPECT_TRUE(session.combinations().empty());
  EXPECT_TRUE(session.pairs().empty());
  EXPECT_FALSE(session.PrevisioniUsate()[1]);
  EXPECT_EQ(session.EsitiPrevisione()[1][1], 0);
  EXPECT_EQ(session.labels().Lbl_T, (Label{"", kWhite, kBlue}));
  EXPECT_EQ(session.labels().Lbl_S.text, "");
  EXPECT_EQ(session.occurrences()[0].Pr, 0);
}

// Bari 7 at draws 3 and 8 opens windows 4..5 and 9..10; Roma carries the played numbers.
DrawArchive statisticsArchive() {
  return archiveWith(12, {{3, {{"BA", {7, 60, 61, 62, 63}}}},
                          {4, {{"RO", {1, 2, 3, 4, 5}}}},
                          {5, {{"RO", {1, 6, 7, 8, 9}}}},
                          {8, {{"BA", {70, 71, 72, 73, 7}}}},
                          {9, {{"RO", {1, 2, 10, 11, 99}}}},
                          {10, {{"RO", {13, 14, 15, 16, 17}}}},
                          {11, {{"RO", {40, 41, 42, 43, 44}}}},
                          {12, {{"RO", {2, 50, 51, 52, 53}}}}});
}

TEST(QuintelloStatisticaNumeri, CountsWindowsOutcomesUncoveredAndDelays) {
  const DrawArchive archive = statisticsArchive();
  QuintelloSession session(archive);
  session.inputs() = inputsFor(12, 2);
  session.elenco();
  ASSERT_EQ(session.ContaPresenze(), 2);
  auto stats = session.numberStatistics();
  EXPECT_EQ(stats.TU[1], 3);
  EXPECT_EQ(stats.TU[2], 2);
  EXPECT_EQ(stats.TU[13], 1);
  EXPECT_EQ(stats.TU[40], 0);  // draw 11 is in no window
  EXPECT_EQ(stats.SC[1], 3);   // nothing covered yet
  EXPECT_EQ(stats.ES[13], 0);  // no outcome yet
  EXPECT_EQ(stats.RIT[2], 0);
  EXPECT_EQ(stats.RIT[1], 3);
  EXPECT_EQ(stats.RIT[40], 1);
  EXPECT_EQ(stats.RIT[90], -1);

  // 13 covers the newer window only; its outcome is draw 10.
  const std::vector<int> thirteen = {13};
  ASSERT_TRUE(session.addThroughCombinationList(thirteen));
  session.verifyForecasts();
  stats = session.numberStatistics();
  EXPECT_EQ(stats.SC[1], 2);  // draws 4 and 5 of the uncovered window
  EXPECT_EQ(stats.SC[13], 0);
  for (int n : {13, 14, 15, 16, 17}) EXPECT_EQ(stats.ES[n], 1) << n;
  EXPECT_EQ(stats.ES[1], 0);

  const Grid grid = session.renderFgN();
  EXPECT_EQ(grid.text(0, 4), "RIT ");
  EXPECT_EQ(grid.text(1, 1), "3");
  EXPECT_EQ(grid.text(40, 1), "");  // a count of 0 shows nothing
  EXPECT_EQ(grid.text(90, 4), "");  // never drawn
  EXPECT_EQ(grid.text(2, 4), "0");
  EXPECT_TRUE(grid.bold(5, 0));
  EXPECT_EQ(grid.backColor(5, 0), GialloMedio);

  // Delays follow the reference draw, not the last draw.
  session.inputs().EstrazioneCorrente = 10;
  session.Statistica_Numeri();
  EXPECT_EQ(session.numberStatistics().RIT[2], 1);
  EXPECT_EQ(session.numberStatistics().RIT[40], -1);
}

TEST(QuintelloElenco, RendersTheResultListWithItsHeaderAndColumnColours) {
  const DrawArchive archive = statisticsArchive();
  QuintelloSession session(archive);
  session.inputs() = inputsFor(12, 2);
  session.elenco();
  const Grid grid = session.renderFg1();
  EXPECT_EQ(grid.clipText({0, 0, 0, 18}),
            "N°   \tEstr     \tData Estraz    \tInizio   \tFine    \tEnd    \tPr   \tRR  \tRG  "
            "\t1  \t2  \t3  \t4  \t5  \tC  \tN° Est  \tData Esito     \tS    \tGe   ");
  EXPECT_EQ(grid.clipText({1, 0, 2, 18}),
            "1\t8\t" + archive.dateText(8) + "\t9\t10\t10\t\tBA\tRO\t\t\t\t\t\t\t\t\t\t\r" +
                "2\t3\t" + archive.dateText(3) + "\t4\t5\t5\t\tBA\tRO\t\t\t\t\t\t\t\t\t\t");
  for (int r = 1; r <= 2; ++r) {
    EXPECT_EQ(grid.backColor(r, 6), (Color{192, 255, 255}));
    EXPECT_TRUE(grid.bold(r, 6));
    EXPECT_EQ(grid.backColor(r, 7), VerdeChiaro);
    EXPECT_FALSE(grid.bold(r, 7));
    EXPECT_EQ(grid.backColor(r, 8), GialloMedio);
    EXPECT_TRUE(grid.bold(r, 8));
  }
  EXPECT_EQ(grid.alignment(16), Alignment::Center);
}

}  // namespace
}  // namespace quintello::test

namespace quintello::test {
namespace {

// Every command and report on inputs no control of the window would give, and on an
// archive reloaded with fewer draws under a built list: sound results, no read outside.
TEST(QuintelloRobustness, OutOfRangeInputsAndShrunkArchive) {
  DrawArchive archive = archiveWith(60, {{10, {{"BA", {7, 7, 99, 0, 5}}, {"RO", {1, 2, 3, 4, 99}}}},
                                         {11, {{"RO", {-4, 91, 1, 1, 2}}}},
                                         {30, {{"BA", {7, 1, 2, 3, 4}}}},
                                         {55, {{"BA", {7, 1, 2, 3, 4}}}}});
  struct Odd {
    int wheel, colpi, presenze, k, reference;
  };
  for (const Odd& odd :
       {Odd{-1, 0, 0, 0, -3}, Odd{11, -5, -1, 8, 0}, Odd{12, 1000000, 1000, -2, 61},
        Odd{7, 2147483647, 1, 99, 60}, Odd{7, 25, 3, 7, 60}}) {
    QuintelloSession session(archive);
    session.inputs() = inputsFor(odd.reference, odd.colpi, odd.presenze);
    session.inputs().RuotaGioco = odd.wheel;
    session.inputs().RuotaRilevazione = odd.wheel == 7 ? 0 : odd.wheel;
    session.inputs().NumeriCombinazione = odd.k;
    session.inputs().VerificaAutomatica = true;
    session.elenco();
    session.elabora();
    session.searchPairs();
    session.addThroughCombinationList(std::vector<int>{1, 2});
    session.addPair(1);
    session.toggleBoardNumber(3);
    session.addFromBoard();
    session.verifyForecasts();
    for (int row = -1; row <= 3; ++row) {
      session.occurrenceDetail(row);
      session.restrictedDrawList(row);
      session.completeDrawList(row);
      session.renderFga(row * 40, row);
    }
    session.statisticalSummary();
    session.delaysReport();
    for (const Grid& grid : {session.renderFg1(), session.renderFgN(), session.renderFg_ZZ(),
                             session.renderFg_CC(), session.renderFgU(), session.renderFg_I2(),
                             session.renderFg9090(), session.renderList3(), session.renderFg90()})
      EXPECT_GE(grid.rows(), 0);
    if (odd.wheel != 7 || odd.colpi != 25) continue;

    // Windows 56..60, 31..55 and 11..30; in draw 11 only 1 and 2 count, once each.
    ASSERT_EQ(session.ContaPresenze(), 3);
    const auto& tu = session.numberStatistics().TU;
    EXPECT_EQ(std::accumulate(tu.begin(), tu.end(), 0), 2);
    EXPECT_EQ(tu[1], 1);
    EXPECT_EQ(tu[2], 1);

    // The archive is reloaded with ten draws: the list still names draws up to 60.
    {
      const std::string date = session.occurrences()[0].DataEstraz;
      archive = archiveWith(10, {});
      session.elabora();
      session.searchPairs();
      session.verifyForecasts();
      EXPECT_TRUE(session.occurrenceDetail(1));
      EXPECT_TRUE(session.completeDrawList(1));
      EXPECT_TRUE(session.delaysReport());
      EXPECT_EQ(session.statisticalSummary().Label3.text, "0");
      EXPECT_EQ(session.renderFg1().text(1, 2), date);
    }
  }
}

}  // namespace
}  // namespace quintello::test
