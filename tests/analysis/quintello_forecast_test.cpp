// The forecast list: the ways of adding, coverage of the play windows, numbering, removal
// and the refusals.

#include <gtest/gtest.h>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Bari 7 at draws 2, 8 and 14 with four colpi: windows 3..6 (row 3), 9..12 (row 2) and
// 15..18 (row 1). Roma carries the played numbers.
DrawArchive forecastArchive() {
  return archiveWith(20, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                          {3, {{"RO", {1, 2, 3, 4, 5}}}},
                          {6, {{"RO", {40, 41, 42, 43, 44}}}},
                          {8, {{"BA", {7, 1, 2, 3, 4}}}},
                          {9, {{"RO", {1, 50, 51, 52, 53}}}},
                          {10, {{"RO", {2, 54, 55, 56, 57}}}},
                          {14, {{"BA", {7, 1, 2, 3, 4}}}},
                          {15, {{"RO", {60, 61, 62, 63, 64}}}},
                          {18, {{"RO", {65, 1, 66, 2, 67}}}}});
}

// The list of 7 with as many presences asked for as found (3), or more.
QuintelloSession listed(const DrawArchive& archive, int presenze = 3) {
  QuintelloSession session(archive);
  session.inputs() = inputsFor(20, 4, presenze);
  session.elenco();
  return session;
}

std::vector<int> coverage(const QuintelloSession& session) {
  std::vector<int> pr;
  for (const auto& row : session.occurrences()) pr.push_back(row.Pr);
  return pr;
}

bool addNumbers(QuintelloSession& session, std::vector<int> numbers) {
  return session.addThroughCombinationList(numbers);
}

bool addFromBoard(QuintelloSession& session, std::vector<int> numbers) {
  session.clearBoard();
  for (int n : numbers) session.toggleBoardNumber(n);
  return session.addFromBoard();
}

struct CoverageCase {
  const char* name;
  std::vector<int> numbers;
  int sorte;
  std::vector<int> pr;  // rows 1..3
};

class ForecastCoverage : public testing::TestWithParam<CoverageCase> {};

TEST_P(ForecastCoverage, SorteAndCoveredWindows) {
  const CoverageCase& c = GetParam();
  const DrawArchive archive = forecastArchive();
  for (bool board : {true, false}) {
    SCOPED_TRACE(board ? "board" : "combination list");
    QuintelloSession session = listed(archive);
    ASSERT_TRUE(board ? addFromBoard(session, c.numbers) : addNumbers(session, c.numbers));
    ASSERT_EQ(session.forecasts().size(), 1u);
    const Previsione& forecast = session.forecasts()[0];
    EXPECT_EQ(forecast.Numero, 1);
    EXPECT_EQ(forecast.Sorte, c.sorte);
    const int covered = static_cast<int>(std::count(c.pr.begin(), c.pr.end(), 1));
    EXPECT_EQ(forecast.Esiti, covered);
    EXPECT_EQ(coverage(session), c.pr);
    const auto labels = session.labels();
    EXPECT_EQ(labels.Lbl_T,
              (Label{std::to_string(covered), covered == 3 ? kGreen : kWhite, kBlue}));
    EXPECT_EQ(labels.Lbl_S, (Label{std::to_string(3 - covered), kWhite, kBlue}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Quintello, ForecastCoverage,
    testing::Values(
        // 1 comes out in every window.
        CoverageCase{"OneNumberSorteOne", {1}, 1, {1, 1, 1}},
        // 1 and 2 together in draws 3 and 18; in window 9..12 they come out in two draws.
        CoverageCase{"TwoNumbersNeedOneDraw", {1, 2}, 2, {1, 0, 1}},
        // Window ends are inclusive: draw 6 ends row 3, draw 15 starts row 1.
        CoverageCase{"LastDrawOfWindow", {40}, 1, {0, 0, 1}},
        CoverageCase{"FirstDrawOfWindow", {60}, 1, {1, 0, 0}},
        CoverageCase{"SevenNumbers", {50, 60, 70, 80, 81, 82, 83}, 2, {0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuintelloForecasts, CoverageIsFirstCome) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive);
  ASSERT_TRUE(addNumbers(session, {1, 2}));  // rows 1 and 3
  ASSERT_TRUE(addNumbers(session, {1}));     // would hit all three: only row 2 is left
  EXPECT_EQ(coverage(session), (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(session.forecasts()[1].Esiti, 1);
  EXPECT_EQ(session.labels().Lbl_T, (Label{"3", kGreen, kBlue}));
  EXPECT_EQ(session.labels().Lbl_S.text, "0");

  // Everything covered: the list and board adds are refused, the pair add too.
  const auto before = session.renderFg_ZZ().clipText();
  EXPECT_FALSE(addNumbers(session, {40}));
  EXPECT_FALSE(addFromBoard(session, {40}));
  EXPECT_FALSE(session.addPairNumbers(40, 60));
  EXPECT_EQ(session.renderFg_ZZ().clipText(), before);
}

TEST(QuintelloForecasts, NumbersFreedByRemovalAreReused) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  ASSERT_TRUE(addNumbers(session, {40}));
  ASSERT_TRUE(addNumbers(session, {60}));
  ASSERT_TRUE(addNumbers(session, {50}));
  EXPECT_EQ(coverage(session), (std::vector<int>{2, 3, 1}));

  ASSERT_TRUE(session.removeForecast(2));
  EXPECT_EQ(coverage(session), (std::vector<int>{0, 3, 1}));  // not taken over by others
  EXPECT_FALSE(session.PrevisioniUsate()[2]);
  EXPECT_EQ(session.labels().Lbl_T.text, "2");
  EXPECT_EQ(session.labels().Lbl_S.text, "10");
  // Removal verifies what remains: row 2 has its outcome in draw 9.
  EXPECT_EQ(session.occurrences()[1].NEst, 9);

  ASSERT_TRUE(addNumbers(session, {1}));
  std::vector<int> numeri;
  for (const auto& f : session.forecasts()) numeri.push_back(f.Numero);
  EXPECT_EQ(numeri, (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(coverage(session), (std::vector<int>{2, 3, 1}));

  EXPECT_FALSE(session.removeForecast(0));
  EXPECT_FALSE(session.removeForecast(4));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(session.removeForecast(1));
  EXPECT_EQ(coverage(session), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(session.labels().Lbl_T, (Label{"", kWhite, kBlue}));
  EXPECT_EQ(session.labels().Lbl_S.text, "");
}

TEST(QuintelloForecasts, CapacityRefusals) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  session.inputs().NumeriCombinazione = 2;
  for (int n = 80; n < 87; ++n) ASSERT_TRUE(addNumbers(session, {n}));
  // Seven forecasts: a pair still fits, and takes the list to nine.
  EXPECT_TRUE(session.addPairNumbers(88, 89));
  ASSERT_EQ(session.forecasts().size(), 9u);
  EXPECT_FALSE(addNumbers(session, {1}));
  EXPECT_FALSE(addFromBoard(session, {1}));
  session.clearBoard();
  session.toggleBoardNumber(1);
  EXPECT_FALSE(session.addFromBoardThroughCombinationList());
  session.searchPairs();
  EXPECT_FALSE(session.addPair(1));

  // Eight forecasts: no room for a pair.
  ASSERT_TRUE(session.removeForecast(9));
  EXPECT_FALSE(session.addPair(1));
  EXPECT_FALSE(session.addPairNumbers(1, 2));
  EXPECT_EQ(session.forecasts().size(), 8u);
  EXPECT_TRUE(addNumbers(session, {1}));
}

TEST(QuintelloForecasts, PairAddGivesTwoSingleNumberForecasts) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  session.elabora();  // k = 3 fills every column of the combination list
  session.searchPairs();
  int row = 0;
  for (size_t i = 0; i < session.pairs().size(); ++i)
    if (session.pairs()[i].N1 == 40 && session.pairs()[i].N2 == 60) row = static_cast<int>(i) + 1;
  ASSERT_GT(row, 0);
  ASSERT_TRUE(session.addPair(row));
  EXPECT_EQ(session.inputs().NumeriCombinazione, 1);
  ASSERT_EQ(session.forecasts().size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const auto& f = session.forecasts()[static_cast<size_t>(i)];
    EXPECT_EQ(f.Numero, i + 1);
    EXPECT_EQ(f.Sorte, 1);
    EXPECT_EQ(f.size(), 1);
  }
  EXPECT_EQ(session.forecasts()[0].Numeri[0], 40);
  EXPECT_EQ(session.forecasts()[1].Numeri[0], 60);
  EXPECT_EQ(coverage(session), (std::vector<int>{2, 0, 1}));
  EXPECT_FALSE(session.addPair(0));
  EXPECT_FALSE(session.addPair(4006));
}

TEST(QuintelloForecasts, BoardMarksAtMostSevenNumbersInAscendingOrder) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  for (int n : {90, 3, 45, 12, 7, 66, 1}) EXPECT_TRUE(session.toggleBoardNumber(n));
  EXPECT_FALSE(session.toggleBoardNumber(2));  // an eighth stays unmarked
  EXPECT_FALSE(session.boardMarked(2));
  EXPECT_FALSE(session.toggleBoardNumber(45));  // a click on a marked number unmarks it
  EXPECT_FALSE(session.toggleBoardNumber(0));
  EXPECT_FALSE(session.toggleBoardNumber(91));

  const Grid board = session.renderFg90();
  EXPECT_EQ(board.text(8, 9), "90");
  EXPECT_EQ(board.backColor(8, 9), kGreen);
  EXPECT_EQ(board.backColor(4, 4), kWhite);  // 45

  ASSERT_TRUE(session.addFromBoard());
  EXPECT_EQ(session.forecasts()[0].Numeri, (std::array<int, 7>{1, 3, 7, 12, 66, 90, 0}));
  EXPECT_EQ(session.forecasts()[0].Sorte, 2);

  // Through the combination list the board's numbers keep their scan order as well, and the
  // row stays in the list when no search replaces it.
  ASSERT_TRUE(session.addFromBoardThroughCombinationList());
  EXPECT_EQ(session.forecasts()[1].Numeri, session.forecasts()[0].Numeri);

  session.clearBoard();
  EXPECT_FALSE(session.addFromBoard());
  EXPECT_FALSE(session.addFromBoardThroughCombinationList());
}

TEST(QuintelloForecasts, NumbersThatCannotBeDrawnAreNoNumbers) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  EXPECT_FALSE(addNumbers(session, {0, 99, -3}));
  ASSERT_TRUE(addNumbers(session, {99, 40, 40}));
  EXPECT_EQ(session.forecasts()[0].Numeri, (std::array<int, 7>{40, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(session.forecasts()[0].Sorte, 1);
}

TEST(QuintelloForecasts, AutomaticVerificationAfterAnAdd) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  ASSERT_TRUE(addNumbers(session, {40}));
  EXPECT_FALSE(session.occurrences()[2].hasOutcome());
  session.inputs().VerificaAutomatica = true;
  ASSERT_TRUE(addNumbers(session, {60}));
  EXPECT_EQ(session.occurrences()[2].NEst, 6);
  EXPECT_EQ(session.occurrences()[0].NEst, 15);
}

TEST(QuintelloForecasts, RendersTheListAndRowHighlights) {
  const DrawArchive archive = forecastArchive();
  QuintelloSession session = listed(archive, 12);
  ASSERT_TRUE(addNumbers(session, {1, 2}));
  ASSERT_TRUE(addNumbers(session, {40}));
  Grid grid = session.renderFg_ZZ();
  EXPECT_EQ(grid.clipText(),
            "N° \tSorte\tEsiti\tET  \t1\t2\t3\t4\t5\t6\t7\r"
            "1\t2\t2\t\t1\t2\t\t\t\t\t\r"
            "2\t1\t0\t\t40\t\t\t\t\t\t");
  for (int r = 1; r <= 2; ++r) {
    for (int c = 4; c <= 10; ++c) {
      EXPECT_TRUE(grid.bold(r, c));
      EXPECT_EQ(grid.foreColor(r, c), kBlue);
    }
    EXPECT_FALSE(grid.bold(r, 3));
  }

  session.highlightForecast(2);
  grid = session.renderFg_ZZ();
  EXPECT_EQ(grid.backColor(2, 1), kYellow);
  EXPECT_EQ(grid.backColor(2, 10), kYellow);
  EXPECT_EQ(grid.backColor(2, 0), kWhite);
  EXPECT_EQ(grid.backColor(1, 1), kWhite);
  session.highlightForecast(1);
  grid = session.renderFg_ZZ();
  EXPECT_EQ(grid.backColor(2, 1), kWhite);
  EXPECT_EQ(grid.backColor(1, 5), kYellow);

  ASSERT_GE(session.combinations().size(), 3u);
  session.highlightCombination(3);
  grid = session.renderFg_CC();
  EXPECT_EQ(grid.backColor(3, 1), kYellow);
  EXPECT_EQ(grid.backColor(3, 0), kWhite);
  EXPECT_EQ(grid.backColor(2, 1), kWhite);
}

}  // namespace
}  // namespace quintello::test
