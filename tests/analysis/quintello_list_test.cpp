// The occurrence list ("ELENCO"): windows, marks, labels, the per-number statistics, and
// inputs or archive values outside their ranges.

#include <gtest/gtest.h>

#include <climits>
#include <numeric>

#include "analysis/quintello/grid_columns.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

struct ExpectedRow {
  int estr, inizio, fine, end;
  std::string marks;  // r: "Estr" red, g: "Inizio" green, c: "End" cut, i: "N°" yellow
};

struct ListCase {
  const char* name;
  std::array<int, 4> setting;  // draws, reference draw, colpi, presences asked for
  bool fine;                   // "Fine ricerca"
  std::vector<int> sevens;     // draws holding 7 on Bari
  std::vector<ExpectedRow> rows;
};

TEST(QuintelloElenco, WindowsAndMarks) {
  // clang-format off
  const ListCase cases[] = {
      {"NextOccurrenceCutsTheWindow", {30, 30, 12, 12}, false, {20, 23},
       {{23, 24, 30, 30, "gi"}, {20, 21, 30, 23, "ci"}}},
      // "Fine ricerca" on an occurrence: LimiteFine is its draw, its window is empty.
      {"OccurrenceAtTheLimitIsRed", {30, 25, 12, 12}, true, {10, 25},
       {{25, 26, 25, 25, "ri"}, {10, 11, 22, 22, ""}}},
      // Each next occurrence on the last colpo of the older window: 8 = 2 + 6, 13 = 7 + 6.
      {"NextOccurrenceOnTheLastColpo", {14, 14, 6, 12}, false, {2, 7, 12},
       {{12, 13, 14, 14, "gi"}, {7, 8, 13, 12, "gc"}, {2, 3, 8, 7, "c"}}},
      {"NextOccurrenceJustPastTheWindow", {20, 20, 1, 12}, false, {5, 6, 7},
       {{7, 8, 8, 8, ""}, {6, 7, 7, 7, ""}, {5, 6, 6, 6, ""}}},
      // Row 2 has its two colpi up to the limit, row 1 one.
      {"WindowReachingTheLimitIsComplete", {20, 20, 2, 12}, false, {18, 19},
       {{19, 20, 20, 20, "gi"}, {18, 19, 20, 19, "c"}}},
      // Without "Fine ricerca" a window passes the reference draw; an occurrence after the
      // reference is neither listed nor cuts it.
      {"WindowPassesTheReference", {30, 15, 12, 12}, false, {12, 20}, {{12, 13, 24, 24, ""}}},
      {"FineRicercaStopsTheWindow", {30, 15, 12, 12}, true, {12, 20}, {{12, 13, 15, 15, "i"}}},
      {"PresencesKeepTheNewest", {20, 20, 4, 2}, false, {3, 9, 14},
       {{14, 15, 18, 18, ""}, {9, 10, 13, 13, ""}}},
  };
  // clang-format on
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string sevens;
    for (int e : c.sevens) sevens += std::to_string(e) + " BA 7 1 2 3 4;";
    const auto [draws, reference, colpi, presenze] = c.setting;
    const DrawArchive archive = archiveWith(draws, sevens);
    QuintelloInputs inputs = inputsFor(reference, colpi, presenze);
    inputs.FineRicerca = c.fine;
    const QuintelloSession session = listed(archive, inputs);
    const Grid grid = renderFg1(session.list());
    ASSERT_EQ(session.occurrences().size(), c.rows.size());
    for (size_t i = 0; i < c.rows.size(); ++i) {
      const OccurrenceRow& row = session.occurrences()[i];
      const ExpectedRow& want = c.rows[i];
      const int r = static_cast<int>(i) + 1;
      EXPECT_EQ((std::array{row.Numero, row.Estr, row.Inizio, row.Fine, row.End}),
                (std::array{r, want.estr, want.inizio, want.fine, want.end}));
      auto marked = [&](char mark) { return want.marks.find(mark) != std::string::npos; };
      EXPECT_EQ(grid.backColor(r, fg1::kEstr), marked('r') ? kRed : kWhite) << "row " << r;
      EXPECT_EQ(grid.backColor(r, fg1::kInizio), marked('g') ? kGreen : kWhite) << "row " << r;
      EXPECT_EQ(grid.backColor(r, fg1::kEnd), marked('c') ? kYellow : kWhite) << "row " << r;
      EXPECT_EQ(grid.backColor(r, fg1::kNumero), marked('i') ? kYellow : kWhite) << "row " << r;
    }
  }
}

TEST(QuintelloElenco, OnlyTickedPositionsOfTheDetectionWheelCount) {
  // 7 at position 3 of Bari (draw 4), on Roma (draw 6), at position 1 of Bari (draw 8).
  const DrawArchive archive = archiveWith(10, "4 BA 1 2 7 3 4; 6 RO 7 1 2 3 4; 8 BA 7 1 2 3 4");
  QuintelloInputs inputs = inputsFor(10);
  inputs.PosizioniRilevazione[2] = false;
  EXPECT_EQ(listed(archive, inputs).list().ContaPresenze(), 1);
  inputs.PosizioniRilevazione[2] = true;
  EXPECT_EQ(listed(archive, inputs).list().ContaPresenze(), 2);
}

TEST(QuintelloElenco, SpanLabelDividesByThePresencesAskedFor) {
  const DrawArchive archive = archiveWith(30, "20 BA 7 1 2 3 4; 23 BA 7 1 2 3 4");
  // Span 23 - 20 + 1 = 4: 4 / 5 and 3 / 4 with five presences asked for and two found.
  const auto five = labels(listed(archive, inputsFor(30, 12, 5)));
  EXPECT_EQ(five.LBL_NC.text, "2");
  EXPECT_EQ(five.Label7.text, "N° Estraz. = 4  Freq = .80 (.75)");
  // One presence: no distance between presences to divide.
  EXPECT_EQ(labels(listed(archive, inputsFor(30, 12, 1))).Label7.text,
            "N° Estraz. = 1  Freq = 1.00");
}

TEST(QuintelloElenco, NewListResetsTheForecastSideAnEmptyOneChangesNothing) {
  const DrawArchive archive = archiveWith(30, "20 BA 7 1 2 3 4; 21 RO 40 1 2 3 4");
  QuintelloSession session = listed(archive, inputsFor(30, 12, 1));
  ASSERT_TRUE(add(session, {40}));
  session.verifyForecasts();
  session.searchPairs();
  const QuintelloLabels before = labels(session);
  ASSERT_EQ(before.Lbl_T, (Label{"1", kGreen, kBlue}));

  session.inputs().NumeroCercato = 8;  // never drawn: the window keeps what it showed
  session.elenco();
  EXPECT_EQ(labels(session), before);

  session.inputs().NumeroCercato = 7;
  session.elenco();
  EXPECT_TRUE(session.book().forecasts().empty());
  EXPECT_TRUE(session.search().combinations().empty());
  EXPECT_TRUE(session.search().pairs().empty());
  EXPECT_FALSE(session.book().PrevisioniUsate()[1]);
  EXPECT_EQ(labels(session).Lbl_T, (Label{"", kWhite, kBlue}));
}

TEST(QuintelloStatisticaNumeri, WindowsOutcomesUncoveredAndDelays) {
  // Bari 7 at draws 3 and 8, two colpi: windows 4..5 (row 2) and 9..10 (row 1) on Roma.
  const DrawArchive archive = archiveWith(
      12,
      "3 BA 7 1 2 3 4; 4 RO 1 2 3 4 5; 5 RO 1 6 7 8 9; 8 BA 7 1 2 3 4; 9 RO 1 2 10 11 99;"
      "10 RO 13 14 15 16 17; 11 RO 40 41 42 43 44; 12 RO 2 50 51 52 53");
  QuintelloSession session = listed(archive, inputsFor(12, 2));
  EXPECT_EQ(session.list().statistics().SC, session.list().statistics().TU);  // nothing covered
  // {13} covers row 1 with its outcome in draw 10; row 2 stays uncovered.
  ASSERT_TRUE(add(session, {13}));
  session.verifyForecasts();
  // "N°", "TU", "ES", "SC", "RIT": a count of 0 and a number never drawn show nothing, a
  // delay of 0 shows; draw 11 is in no window.
  const Grid grid = renderFgN(session.list());
  for (const auto& [n, row] :
       std::initializer_list<std::pair<int, std::string>>{{1, "1\t3\t\t2\t3"},
                                                          {2, "2\t2\t\t1\t0"},
                                                          {13, "13\t1\t1\t\t2"},
                                                          {40, "40\t\t\t\t1"},
                                                          {90, "90\t\t\t\t"}})
    EXPECT_EQ(grid.clipText({n, fgN::kNumero, n, fgN::kRIT}), row);

  // Delays follow the reference draw, not the last draw.
  session.inputs().EstrazioneCorrente = 10;
  session.Statistica_Numeri();
  EXPECT_EQ(session.list().statistics().RIT[2], 1);
  EXPECT_EQ(session.list().statistics().RIT[40], -1);
}

// Every command and report on inputs no control gives and on a malformed archive (7 twice
// on one wheel, values outside 1..90 stored), then on an archive reloaded with fewer draws
// under a built list: sound results, no read outside a table.
TEST(QuintelloRobustness, OutOfRangeInputsAndValues) {
  DrawArchive archive =
      archiveWith(60,
                  "10 BA 7 7 99 0 5 RO 1 2 3 4 99; 11 RO -4 91 1 1 2; 30 BA 7 1 2 3 4;"
                  "54 RO 2 1 5 6 8; 55 BA 7 1 2 3 4");
  struct Odd {
    int number, game, colpi, presenze, k, reference, rows, fine;  // fine: "Fine" of row 1
  };
  // 99 and 0 are stored on Bari but are no numbers; 7 is at draws 10 (twice), 30 and 55.
  for (const Odd& odd :
       {Odd{99, 7, 12, 12, 3, 60, 0, 0}, Odd{0, 7, 12, 12, 3, 60, 0, 0},
        Odd{7, -1, 0, 2, 0, 60, 2, 55}, Odd{7, 11, -5, -1, 8, 0, 0, 0},
        Odd{7, 12, 1000000, 1000, -2, 61, 3, 60}, Odd{7, 7, INT_MAX, 1, 99, 60, 1, 60}}) {
    QuintelloInputs inputs = inputsFor(odd.reference, odd.colpi, odd.presenze);
    inputs.NumeroCercato = odd.number;
    inputs.RuotaGioco = odd.game;
    inputs.NumeriCombinazione = odd.k;
    inputs.VerificaAutomatica = true;
    QuintelloSession session = listed(archive, inputs);
    ASSERT_EQ(session.list().ContaPresenze(), odd.rows) << odd.colpi;
    EXPECT_EQ(odd.rows ? session.occurrences()[0].Fine : 0, odd.fine) << odd.colpi;
    session.elabora();
    session.searchPairs();
    // Whether they add or refuse, nothing may break.
    static_cast<void>(add(session, {1, 2}));
    static_cast<void>(session.addPair(1));
    for (int row = -1; row <= 3; ++row) {
      session.occurrenceDetail(row);
      session.restrictedDrawList(row);
      session.completeDrawList(row);
      session.renderFga(row * 40, row);
    }
    session.statisticalSummary();
    session.delaysReport();
  }

  // Windows 56..60, 31..55 and 11..30 on Roma; in draw 11 only 1 and 2 count, once each.
  QuintelloSession session = listed(archive, inputsFor(60, 25, 3));
  const auto& tu = session.list().statistics().TU;
  EXPECT_EQ(std::accumulate(tu.begin(), tu.end(), 0), 7);
  EXPECT_EQ(tu[1], 2);
  // {1, 2} scores on colpo 1 (draw 11) and colpo 24 (draw 54): the colpo table grows past 20.
  // Values outside 1..90 and repeats in a forecast are no numbers.
  ASSERT_TRUE(add(session, {-4, 1, 91, 2, 1}));
  EXPECT_EQ(session.book().forecasts()[0].Numeri, (std::array<int, 7>{1, 2}));
  session.verifyForecasts();
  const auto summary = session.statisticalSummary();
  EXPECT_EQ(summary.fG2.rows(), 25);
  EXPECT_EQ(summary.fG2.clipText({24, riepilogoFG2::kColpo, 24, riepilogoFG2::kPerc}),
            "24\t1\t50.0");

  // Reloaded with ten empty draws: the list still names draws up to 60, nothing scores.
  archive = archiveWith(10, "");
  session.elabora();
  session.searchPairs();
  session.verifyForecasts();
  EXPECT_TRUE(session.occurrenceDetail(1));
  EXPECT_TRUE(session.completeDrawList(1));
  EXPECT_EQ(session.delaysReport()->text(1, fgR::kP360), "0");
  EXPECT_EQ(session.statisticalSummary().Label3.text, "0");
}

}  // namespace
}  // namespace quintello::test
