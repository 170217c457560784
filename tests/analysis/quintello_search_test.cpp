// "ELABORA" (the combination search with "PULISCE" and the coverage of the best
// combinations) and the pair search.

#include <gtest/gtest.h>

#include <set>

#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Three windows of two draws on Roma after Bari 7 at draws 2, 6 and 10 (colpi 2):
//   row 1: draws 11..12   row 2: draws 7..8   row 3: draws 3..4
DrawArchive threeWindows() {
  return archiveWith(12, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                          {3, {{"RO", {10, 20, 30, 40, 50}}}},
                          {4, {{"RO", {10, 11, 12, 13, 14}}}},
                          {6, {{"BA", {7, 1, 2, 3, 4}}}},
                          {7, {{"RO", {10, 21, 22, 23, 24}}}},
                          {8, {{"RO", {20, 25, 26, 27, 99}}}},
                          {10, {{"BA", {7, 1, 2, 3, 4}}}},
                          {11, {{"RO", {30, 31, 32, 33, 34}}}},
                          {12, {{"RO", {10, 20, 35, 36, 37}}}}});
}

QuintelloSession listedSession(const DrawArchive& archive, int k) {
  QuintelloSession session(archive);
  session.inputs() = inputsFor(12, 2);
  session.inputs().NumeriCombinazione = k;
  session.elenco();
  return session;
}

TEST(QuintelloElabora, SingleNumbersRankedByWindowsHit) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 1);
  session.elabora();
  const auto& list = session.combinations();
  ASSERT_EQ(list.size(), 90u);
  // 10 comes out in all three windows (twice in the oldest: it counts once); 20 in three;
  // 30 in two; then the numbers seen once, in ascending order; 99 is no number.
  EXPECT_EQ(list[0].numbers[0], 10);
  EXPECT_EQ(list[0].CC, 3);
  EXPECT_EQ(list[1].numbers[0], 20);
  EXPECT_EQ(list[1].CC, 3);
  EXPECT_EQ(list[2].numbers[0], 30);
  EXPECT_EQ(list[2].CC, 2);
  EXPECT_EQ(list[3].numbers[0], 11);
  EXPECT_EQ(list[3].CC, 1);
  EXPECT_EQ(list[89].numbers[0], 90);
  EXPECT_EQ(list[89].CC, 0);
  std::set<int> numbers;
  for (const auto& row : list) {
    numbers.insert(row.numbers[0]);
    EXPECT_EQ(row.numbers[1], 0);
  }
  EXPECT_EQ(numbers.size(), 90u);

  const Grid grid = session.renderFg_CC();
  EXPECT_EQ(grid.clipText({0, 0, 2, 7}),
            "CC   \tN1 \tN2 \tN3 \tN4 \tN5 \tN6 \tN7 \r3\t10\t\t\t\t\t\t\r3\t20\t\t\t\t\t\t");
  EXPECT_EQ(grid.text(90, 0), "0");
}

TEST(QuintelloElabora, SingleNumberListDropsColumnsOfAnEarlierLargerSearch) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 3);
  session.elabora();
  ASSERT_NE(session.combinations().front().numbers[1], 0);
  session.inputs().NumeriCombinazione = 1;
  session.elabora();
  const Grid grid = session.renderFg_CC();
  for (int r = 1; r <= 90; ++r) ASSERT_EQ(grid.text(r, 2), "") << r;
}

TEST(QuintelloElabora, UncoveredDrawsOldestWindowFirstUpToLimiteFine) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 1);
  session.inputs().FineRicerca = true;
  session.inputs().EstrazioneCorrente = 11;  // LimiteFine becomes 11: draw 12 drops out
  session.elabora();
  const auto& draws = session.EstrazioniScoperte();
  std::vector<std::pair<int, int>> rowAndDraw;
  for (const auto& d : draws) rowAndDraw.emplace_back(d.row, d.draw);
  EXPECT_EQ(rowAndDraw,
            (std::vector<std::pair<int, int>>{{3, 3}, {3, 4}, {2, 7}, {2, 8}, {1, 11}}));
  EXPECT_EQ(draws[3].numbers, (std::array<int, 5>{20, 25, 26, 27, 99}));
  const Grid grid = session.renderFgU();
  EXPECT_EQ(grid.clipText({1, 0, 1, 6}), "3\t10\t20\t30\t40\t50\t3");
  EXPECT_EQ(grid.rows(), 6);
}

TEST(QuintelloElabora, OnlyPairEverDrawnTogetherOrTheHighestNumbers) {
  // Each uncovered draw holds two numbers; only 10 and 20 ever come out together.
  const DrawArchive archive = archiveWith(12, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                                               {3, {{"RO", {10, 20, 0, 0, 0}}}},
                                               {4, {{"RO", {10, 0, 0, 0, 0}}}},
                                               {6, {{"BA", {7, 1, 2, 3, 4}}}},
                                               {7, {{"RO", {20, 10, 0, 0, 0}}}},
                                               {10, {{"BA", {7, 1, 2, 3, 4}}}},
                                               {11, {{"RO", {30, 0, 0, 0, 0}}}}});
  QuintelloSession session = listedSession(archive, 2);
  RecordingProgress progress;
  session.elabora(progress);
  EXPECT_EQ(progress.maximum_, 100);
  ASSERT_EQ(progress.values.size(), 100u);
  EXPECT_EQ(progress.values.back(), 100);

  // Every restart ends on {10, 20} (score 2: two draws) or, when its start held neither,
  // on {89, 90} (every candidate ties at 0 and the highest free number wins).
  const std::set<std::string> possible = {"000002  10-20    SORTED", "000000  89-90    SORTED"};
  std::set<std::string> lines(session.list3().begin(), session.list3().end());
  EXPECT_EQ(lines.size(), session.list3().size()) << "PULISCE keeps each line once";
  for (const auto& line : lines) EXPECT_TRUE(possible.count(line)) << line;
  EXPECT_TRUE(lines.count("000000  89-90    SORTED"));

  const auto& ranked = session.rankedCombinations();
  ASSERT_EQ(ranked.size(), lines.size());
  for (size_t i = 1; i < ranked.size(); ++i) EXPECT_GE(ranked[i - 1].score, ranked[i].score);

  // Coverage: {10, 20} covers the windows with both in one draw (rows 2 and 3).
  for (const auto& row : session.combinations()) {
    if (row.numbers[0] == 10) {
      EXPECT_EQ(row.CC, 2);
    }
    if (row.numbers[0] == 89) {
      EXPECT_EQ(row.CC, 0);
    }
  }
  const Grid i2 = session.renderFg_I2();
  EXPECT_FALSE(i2.columnHidden(2));
  EXPECT_TRUE(i2.columnHidden(3));
  EXPECT_EQ(i2.cols(), 86);
}

TEST(QuintelloElabora, BestCombinationsRescoredByCoveredWindows) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 3);
  session.elabora();
  const auto& list = session.combinations();
  ASSERT_FALSE(list.empty());
  ASSERT_LE(list.size(), 20u);
  EXPECT_EQ(list.size(), std::min<size_t>(20, session.rankedCombinations().size()));
  for (size_t i = 0; i < list.size(); ++i) {
    // Recount by hand: windows holding two numbers of the combination in one draw.
    std::set<int> set(list[i].numbers.begin(), list[i].numbers.begin() + 3);
    int covered = 0;
    for (const auto& row : session.occurrences()) {
      for (int d = row.Inizio; d <= row.End; ++d) {
        int hits = 0;
        for (int n : archive.wheel(d, 7)) hits += set.count(n);
        if (hits >= 2) {
          ++covered;
          break;
        }
      }
    }
    EXPECT_EQ(list[i].CC, covered) << i;
    if (i > 0) {
      EXPECT_GE(*list[i - 1].CC, *list[i].CC);
    }
    EXPECT_EQ(list[i].numbers[3], 0);
  }
  // The best score, {10, 20} with a third number of draw 3 or 12, covers windows 1 and 3.
  EXPECT_GE(*list.front().CC, 2);
}

TEST(QuintelloElabora, SameSeedSameResults) {
  const DrawArchive archive = threeWindows();
  QuintelloSession first = listedSession(archive, 4);
  QuintelloSession second = listedSession(archive, 4);
  first.random().setSeed(99);
  second.random().setSeed(99);
  first.elabora();
  second.elabora();
  EXPECT_EQ(first.list3(), second.list3());
  EXPECT_EQ(first.renderFg_CC().clipText(), second.renderFg_CC().clipText());
}

TEST(QuintelloElabora, EveryWindowCoveredLeavesNothingToScore) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 1);
  const std::vector<int> ten = {10};
  ASSERT_TRUE(session.addThroughCombinationList(ten));  // covers the three windows
  for (int k : {1, 3}) {
    session.inputs().NumeriCombinazione = k;
    session.elabora();
    EXPECT_TRUE(session.EstrazioniScoperte().empty());
    EXPECT_EQ(session.renderFgU().rows(), 1);
    for (const auto& row : session.combinations()) EXPECT_EQ(row.CC, 0);
    for (const auto& ranked : session.rankedCombinations()) EXPECT_EQ(ranked.score, 0);
  }
}

TEST(QuintelloPairSearch, CountsWindowsHitByEitherNumberSkippingTheRedRow) {
  // Bari 7 at 2, 6 and 12 = LimiteFine: row 1 is red, its window lies in the future.
  const DrawArchive archive =
      archiveWith(12, {{2, {{"BA", {7, 1, 2, 3, 4}}}},
                       {3, {{"RO", {10, 20, 30, 40, 50}}}},
                       {6, {{"BA", {7, 1, 2, 3, 4}}}},
                       {7, {{"RO", {10, 21, 22, 23, 24}}}},
                       {12, {{"BA", {7, 1, 2, 3, 4}}, {"RO", {60, 61, 62, 63, 64}}}}});
  QuintelloSession session(archive);
  session.inputs() = inputsFor(12, 2);
  session.inputs().FineRicerca = true;
  session.elenco();
  ASSERT_TRUE(session.occurrences()[0].estrRed);
  RecordingProgress progress;
  session.searchPairs(progress);
  EXPECT_EQ(progress.maximum_, 89);
  EXPECT_EQ(progress.values.front(), 1);
  EXPECT_EQ(progress.values.back(), 89);

  const auto& pairs = session.pairs();
  ASSERT_EQ(pairs.size(), 4005u);
  auto cc = [&](int a, int b) {
    for (const auto& p : pairs)
      if (p.N1 == a && p.N2 == b) return p.CC;
    return -1;
  };
  EXPECT_EQ(cc(10, 20), 2);  // both in draw 3 count once for that window
  EXPECT_EQ(cc(10, 11), 2);
  EXPECT_EQ(cc(20, 21), 2);
  EXPECT_EQ(cc(20, 30), 1);
  EXPECT_EQ(cc(60, 61), 0);  // only in draw 12, the red row's occurrence
  EXPECT_EQ(cc(1, 2), 0);
  // Sorted by "CC", equal counts in pair order.
  EXPECT_EQ(pairs[0].N1, 1);
  EXPECT_EQ(pairs[0].N2, 10);
  for (size_t i = 1; i < pairs.size(); ++i) {
    ASSERT_GE(pairs[i - 1].CC, pairs[i].CC);
    if (pairs[i - 1].CC == pairs[i].CC) {
      ASSERT_LT(std::make_pair(pairs[i - 1].N1, pairs[i - 1].N2),
                std::make_pair(pairs[i].N1, pairs[i].N2));
    }
  }

  const Grid grid = session.renderFg9090();
  EXPECT_EQ(grid.clipText({0, 0, 1, 3}), " \tN1 \tN2 \tCC  \r\t1\t10\t2");
  EXPECT_EQ(grid.backColor(4005, 3), GialloMedio);
  EXPECT_TRUE(grid.bold(1, 3));
}

TEST(QuintelloPairSearch, SingleUncoveredWindowGivesOneOrZero) {
  const DrawArchive archive = threeWindows();
  QuintelloSession session = listedSession(archive, 1);
  const std::vector<int> ten = {10};
  ASSERT_TRUE(session.addThroughCombinationList(ten));  // every window covered
  session.searchPairs();
  for (const auto& p : session.pairs()) ASSERT_EQ(p.CC, 0);

  // Only the window of row 1 (draws 11, 12) left uncovered.
  QuintelloSession single(archive);
  single.inputs() = inputsFor(12, 2, 1);
  single.elenco();
  ASSERT_EQ(single.ContaPresenze(), 1);
  single.searchPairs();
  const std::set<int> drawn = {30, 31, 32, 33, 34, 10, 20, 35, 36, 37};
  for (const auto& p : single.pairs())
    ASSERT_EQ(p.CC, drawn.count(p.N1) || drawn.count(p.N2) ? 1 : 0) << p.N1 << "-" << p.N2;
}

}  // namespace
}  // namespace quintello::test
