// Each forecast against chance: the chance of a draw and of as many windows against every
// case counted, and the windows that count.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/quintello/chance.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

// Every draw of five numbers from ninety, counted by how many of 1..m it holds (m = 1..7):
// the fifth number is counted in bulk for each choice of the first four.
TEST(QuintelloChance, DrawProbabilityMatchesEveryDraw) {
  long long ways[8][6] = {};
  for (int a = 1; a <= 86; ++a)
    for (int b = a + 1; b <= 87; ++b)
      for (int c = b + 1; c <= 88; ++c)
        for (int d = c + 1; d <= 89; ++d)
          for (int m = 1; m <= 7; ++m) {
            const int held = (a <= m) + (b <= m) + (c <= m) + (d <= m), fifth = std::max(0, m - d);
            ways[m][held + 1] += fifth;
            ways[m][held] += 90 - d - fifth;
          }
  for (int m = 1; m <= 7; ++m)
    for (int sorte = 1; sorte <= 5; ++sorte) {
      long long favourable = 0;
      for (int h = sorte; h <= 5; ++h) favourable += ways[m][h];
      EXPECT_EQ(drawHitProbability(m, sorte), static_cast<double>(favourable) / 43'949'268)
          << m << " numbers, sorte " << sorte;
    }
}

// The chance of at least k successes against every outcome of every window.
TEST(QuintelloChance, AtLeastOutcomesMatchesEveryOutcome) {
  for (const std::vector<double>& chances :
       {std::vector<double>{},
        {0.3},
        {0.0, 1.0, 0.25, 0.75},
        {0.9, 0.05, 0.6, 0.2, 0.7, 1e-6, 0.45, 0.33, 0.999, 0.12}}) {
    const size_t n = chances.size();
    std::vector<double> tail(n + 2, 0.0);  // tail[k]: k successes or more
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
      double p = 1;
      for (size_t i = 0; i < n; ++i) p *= (mask >> i & 1) ? chances[i] : 1 - chances[i];
      for (int k = 0; k <= __builtin_popcount(mask); ++k) tail[static_cast<size_t>(k)] += p;
    }
    for (size_t k = 0; k <= n + 1; ++k)
      EXPECT_NEAR(atLeastOutcomes(chances, static_cast<int>(k)), tail[k], 1e-15 + 1e-13 * tail[k])
          << n << " windows, at least " << k;
  }
}

// Bari 7 at draws 2, 10 and 15, four colpi, played on Roma: window 11..14 has no Roma draw and
// draw 4 holds two numbers only; on the Nazionale, never drawn here, no window counts at all.
TEST(QuintelloChance, ComparisonCountsOnlyFullDrawsOfTheGameWheel) {
  const DrawArchive archive = archiveWith(
      20,
      "2 BA 7 1 2 3 4; 3 RO 1 2 50 51 52; 4 RO 40 41 0 0 0; 5 RO 60 61 62 63 64; 10 BA 7 1 2 3 4;"
      "15 BA 7 1 2 3 4; 16 RO 3 80 81 82 83; 17 RO 70 71 72 73 74");
  QuintelloSession session = listed(archive, inputsFor(20, 4));
  ASSERT_TRUE(add(session, {1, 2, 3, 4, 5, 6, 7}));
  ASSERT_TRUE(add(session, {3}));
  const auto table = session.chanceComparison();
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ((std::array{table[0].Finestre, table[0].Esiti, table[1].Finestre, table[1].Esiti}),
            (std::array{2, 1, 2, 1}));
  const double drawOfOne = 1.0 / 18;  // 5 / 90
  EXPECT_NEAR(table[1].Attesi, 2 * (1 - (1 - drawOfOne) * (1 - drawOfOne)), 1e-15);
  session.inputs().RuotaGioco = 10;
  EXPECT_EQ(session.chanceReport().clipText({2, 0, 2, 7}), "2\t1\t3\t0\t0\t0.00\t\t1.0000");
}

}  // namespace
}  // namespace quintello::test
