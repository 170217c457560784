// The occurrence list ("ELENCO"): windows and marks, what a new list resets, values out of range.

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <numeric>
#include <sstream>
#include <tuple>

#include "analysis/quintello/grid_columns.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

TEST(QuintelloElenco, WindowsAndMarks) {
  std::ifstream file(QUINTELLO_TEST_SOURCE_DIR "/analysis/cases/elenco_windows.txt");
  int cases = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    ++cases;
    std::istringstream in(line);
    int draws = 0, reference = 0, colpi = 0, presenze = 0, fine = 0;
    std::string drawn, token;
    in >> draws >> reference >> colpi >> presenze >> fine >> token;
    while (in >> token && token != "|") drawn += token + " BA 7 1 2 3 4;";
    const DrawArchive archive = archiveWith(draws, drawn);
    QuintelloInputs inputs = inputsFor(reference, colpi, presenze);
    inputs.FineRicerca = fine;
    const QuintelloSession session = listed(archive, inputs);
    const Grid grid = renderFg1(session.list());
    int r = 0;  // the marks keep the comma that ends a row
    for (std::array<int, 4> edges{}; in >> edges[0] >> edges[1] >> edges[2] >> edges[3];) {
      std::string marks;
      in >> marks;
      ASSERT_LT(r, static_cast<int>(session.occurrences().size()));
      const OccurrenceRow& row = session.occurrences()[static_cast<size_t>(r++)];
      EXPECT_EQ((std::array{row.Estr, row.Inizio, row.Fine, row.End}), edges);
      for (const auto& [mark, column, colour] :
           {std::tuple{'r', fg1::kEstr, kRed}, std::tuple{'g', fg1::kInizio, kGreen},
            std::tuple{'c', fg1::kEnd, kYellow}, std::tuple{'i', fg1::kNumero, kYellow}})
        EXPECT_EQ(grid.backColor(r, column),
                  marks.find(mark) != std::string::npos ? colour : kWhite)
            << "row " << r << " mark " << mark;
    }
    EXPECT_EQ(r, static_cast<int>(session.occurrences().size()));
  }
  EXPECT_EQ(cases, 8);
}

TEST(QuintelloElenco, NewListResetsTheForecastSideAnEmptyOneChangesNothing) {
  const DrawArchive archive = archiveWith(30, "20 BA 7 1 2 3 4; 21 RO 40 1 2 3 4");
  QuintelloSession session = listed(archive, inputsFor(30, 12, 1));
  EXPECT_EQ(labels(session).Label7.text, "N° Estraz. = 1  Freq = 1.00");  // no "(...)" for one
  ASSERT_TRUE(add(session, {40}));
  session.verifyForecasts();
  session.searchPairs();
  const QuintelloLabels before = labels(session);

  session.inputs().NumeroCercato = 8;  // never drawn: the window keeps what it showed
  session.elenco();
  EXPECT_EQ(labels(session), before);

  session.inputs().NumeroCercato = 7;
  session.elenco();
  EXPECT_TRUE(session.book().forecasts().empty());
  EXPECT_TRUE(session.search().pairs().empty());
  EXPECT_FALSE(session.book().PrevisioniUsate()[1]);
  EXPECT_EQ(labels(session).Lbl_T, (Label{"", kWhite, kBlue}));
}

// Every command and report on inputs no control gives and on a malformed archive (7 twice on
// one wheel, values outside 1..90 stored), then on an archive reloaded with fewer draws under
// a built list: sound results, no read outside a table.
TEST(QuintelloRobustness, OutOfRangeInputsAndValues) {
  DrawArchive archive =
      archiveWith(60,
                  "10 BA 7 7 99 0 5 RO 1 2 3 4 99; 11 RO -4 91 1 1 2; 30 BA 7 1 2 3 4;"
                  "54 RO 2 1 5 6 8; 55 BA 7 1 2 3 4");
  // number, game wheel, colpi, presences, k, reference; rows listed and "Fine" of row 1.
  const int cases[][8] = {{99, 7, 12, 12, 3, 60, 0, 0},          {0, 7, 12, 12, 3, 60, 0, 0},
                          {7, -1, 0, 2, 0, 60, 2, 55},           {7, 11, -5, -1, 8, 0, 0, 0},
                          {7, 12, 1000000, 1000, -2, 61, 3, 60}, {7, 7, INT_MAX, 1, 99, 60, 1, 60}};
  for (const auto& [number, game, colpi, presenze, k, reference, rows, fine] : cases) {
    QuintelloInputs inputs = inputsFor(reference, colpi, presenze, number, game);
    inputs.NumeriCombinazione = k;
    inputs.VerificaAutomatica = true;
    QuintelloSession session = listed(archive, inputs);
    ASSERT_EQ(session.list().ContaPresenze(), rows) << colpi;
    EXPECT_EQ(rows ? session.occurrences()[0].Fine : 0, fine) << colpi;
    session.elabora();
    session.searchPairs();
    static_cast<void>(add(session, {1, 2}));  // added or refused, nothing may break
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
  // Values outside 1..90 and repeats are no numbers; {1, 2} scores on colpo 1 (draw 11) and
  // colpo 24 (draw 54): the colpo table grows past 20.
  ASSERT_TRUE(add(session, {-4, 1, 91, 2, 1}));
  EXPECT_EQ(session.book().forecasts()[0].Numeri, (std::array<int, 7>{1, 2}));
  session.verifyForecasts();
  EXPECT_EQ(session.statisticalSummary().fG2.clipText(
                {24, riepilogoFG2::kColpo, 24, riepilogoFG2::kPerc}),
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
