// The forecast list (coverage, removal, refusals, the board), its verification and "ELABORA".

#include <gtest/gtest.h>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Bari 7 at draws 2, 8 and 14 with four colpi: windows 15..18 (row 1), 9..12 (row 2) and
// 3..6 (row 3) on Roma.
class QuintelloForecasts : public testing::Test {
 protected:
  DrawArchive archive = archiveWith(
      20,
      "2 BA 7 1 2 3 4; 3 RO 1 2 3 4 5; 6 RO 40 41 42 43 44; 8 BA 7 1 2 3 4; 9 RO 1 50 51 52 53;"
      "10 RO 2 54 55 56 57; 14 BA 7 1 2 3 4; 15 RO 60 61 62 63 64; 18 RO 65 1 66 2 67");
  QuintelloSession session = listed(archive, inputsFor(20, 4, 3));
};

TEST_F(QuintelloForecasts, CoverageIsFirstComeAndAllCoveredRefusesAdds) {
  ASSERT_TRUE(add(session, {1, 2}));  // rows 1 and 3
  EXPECT_EQ(labels(session).Lbl_T, (Label{"2", kWhite, kBlue}));
  ASSERT_TRUE(add(session, {1}));  // covers row 2, the last one left
  EXPECT_EQ(labels(session).Lbl_T, (Label{"3", kGreen, kBlue}));

  ASSERT_TRUE(session.toggleBoardNumber(40));
  EXPECT_FALSE(add(session, {40}));
  EXPECT_FALSE(session.addFromBoard());
  EXPECT_FALSE(session.addPairNumbers(40, 60));
  EXPECT_EQ(session.book().forecasts().size(), 2u);
}

// Removal verifies what remains: row 1 goes uncovered, though {1} scores in it (draw 18).
TEST_F(QuintelloForecasts, RemovalVerifiesWhatRemainsAndTheLastClearsTheLabels) {
  session.inputs().NumPresenze = 12;
  session.elenco();
  ASSERT_TRUE(add(session, {60}));  // row 1
  ASSERT_TRUE(add(session, {1}));   // rows 2 and 3
  ASSERT_TRUE(session.removeForecast(1));
  const auto& rows = session.occurrences();  // "Pr": the forecast covering each row
  EXPECT_EQ((std::array{rows[0].Pr, rows[1].Pr, rows[2].Pr, rows[0].NEst}),
            (std::array{0, 2, 2, 18}));
  ASSERT_TRUE(session.removeForecast(1));
  EXPECT_EQ(labels(session).Lbl_T, (Label{"", kWhite, kBlue}));
  EXPECT_EQ(labels(session).Lbl_S.text, "");
}

TEST_F(QuintelloForecasts, CapacityRefusals) {
  session.inputs().NumPresenze = 12;
  session.elenco();
  for (int n = 80; n < 87; ++n) ASSERT_TRUE(add(session, {n}));
  // Seven forecasts: a pair still fits, as two forecasts of one number each.
  ASSERT_TRUE(session.addPairNumbers(88, 89));
  EXPECT_EQ(session.inputs().NumeriCombinazione, 1);
  ASSERT_EQ(session.book().forecasts().size(), 9u);
  EXPECT_EQ(session.book().forecasts()[8].Numeri, (std::array<int, 7>{89}));
  // Nine: nothing fits.
  ASSERT_TRUE(session.toggleBoardNumber(1));
  EXPECT_FALSE(add(session, {1}));
  EXPECT_FALSE(session.addFromBoard());
  EXPECT_FALSE(session.addFromBoardThroughCombinationList());
  session.searchPairs();
  EXPECT_FALSE(session.addPair(1));
  // Eight: one number fits, a pair does not.
  ASSERT_TRUE(session.removeForecast(9));
  EXPECT_FALSE(session.addPair(1));
  EXPECT_FALSE(session.addPairNumbers(1, 2));
  EXPECT_TRUE(add(session, {1}));
}

TEST_F(QuintelloForecasts, BoardHoldsSevenNumbers) {
  for (int n : {90, 5, 60, 1, 33, 2, 70}) ASSERT_TRUE(session.toggleBoardNumber(n));
  EXPECT_FALSE(session.toggleBoardNumber(44));  // an eighth stays unmarked
  EXPECT_FALSE(session.boardMarked(44));
  EXPECT_FALSE(session.toggleBoardNumber(90));  // a marked one is unmarked
  EXPECT_TRUE(session.toggleBoardNumber(44));
}

// What the golden outputs cannot show: the green numbers of an outcome, and a limit set after
// the list was built.
TEST(QuintelloVerification, GreenNumbersAndTheLimitOfTheNextSearch) {
  // Bari 7 at draws 2 and 10 with five colpi: windows 11..15 (row 1) and 3..7 (row 2).
  const DrawArchive archive =
      archiveWith(20, "2 BA 7 1 2 3 4; 4 RO 1 3 2 22 23; 10 BA 7 1 2 3 4; 12 RO 70 80 81 82 83");
  QuintelloSession session = listed(archive, inputsFor(20, 5));
  for (const std::vector<int>& numbers : {std::vector<int>{2, 3}, {70}, {1}})
    ASSERT_TRUE(add(session, numbers));
  session.verifyForecasts();
  EXPECT_EQ(session.occurrences()[1].esitoVerde,
            (std::array<bool, 5>{true, true, true, false, false}));
  ASSERT_TRUE(session.occurrences()[0].hasOutcome());
  // "Fine ricerca" at draw 11, taken by the next search: draw 12 lies beyond LimiteFine.
  session.inputs().FineRicerca = true;
  session.inputs().EstrazioneCorrente = 11;
  session.elabora();
  session.verifyForecasts();
  EXPECT_FALSE(session.occurrences()[0].hasOutcome());
}

// Bari 7 at draws 2, 6 and 10, two colpi: 10 and 20 come out together in windows 3..4 (twice)
// and 7..8, 10 alone in 11..12. A climb ends on {10, 20} (score 3) or, all tied at 0, on the
// highest free numbers {89, 90}; seeds are tried until both appear.
TEST(QuintelloElabora, PulisceRanksByScoreTheBestCoverWindowsWithAllTheirNumbers) {
  const DrawArchive archive =
      archiveWith(12,
                  "2 BA 7 1 2 3 4; 3 RO 10 20 0 0 0; 4 RO 20 10 0 0 0; 6 BA 7 1 2 3 4;"
                  "7 RO 10 20 0 0 0; 10 BA 7 1 2 3 4; 11 RO 10 0 0 0 0");
  QuintelloInputs inputs = inputsFor(12, 2);
  inputs.NumeriCombinazione = 2;
  QuintelloSession session = listed(archive, inputs);
  for (std::uint64_t seed = 1; seed <= 20 && session.search().list3().size() < 2; ++seed) {
    session.random().setSeed(seed);
    session.elabora();
  }
  const auto& ranked = session.rankedCombinations();
  ASSERT_EQ(ranked.size(), 2u);
  EXPECT_EQ((std::pair{ranked[0].score, ranked[0].numbers}),
            (std::pair{3, std::array<int, 7>{10, 20}}));
  const auto& best = session.search().combinations();  // windows 3..4 and 7..8: CC 2, not 3
  ASSERT_EQ(best.size(), 2u);
  EXPECT_EQ(best[0].numbers, ranked[0].numbers);
  EXPECT_EQ((std::array{best[0].CC, best[1].CC}), (std::array<std::optional<int>, 2>{2, 0}));
}

}  // namespace
}  // namespace quintello::test
