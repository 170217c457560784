// Each forecast against chance: the chance of a draw, of a window, of as many windows, and
// the table over the windows of a list.

#include <gtest/gtest.h>

#include <cmath>
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
            const int held = (a <= m) + (b <= m) + (c <= m) + (d <= m);
            const int fifthHeld = std::max(0, m - d);
            ways[m][held + 1] += fifthHeld;
            ways[m][held] += 90 - d - fifthHeld;
          }
  for (int m = 1; m <= 7; ++m) {
    for (int sorte = 1; sorte <= 5; ++sorte) {
      long long favourable = 0, all = 0;
      for (int h = 0; h <= 5; ++h) (h >= sorte ? favourable : all) += ways[m][h];
      all += favourable;
      ASSERT_EQ(all, 43'949'268);
      EXPECT_EQ(drawHitProbability(m, sorte),
                static_cast<double>(favourable) / static_cast<double>(all))
          << m << " numbers, sorte " << sorte;
    }
  }
}

// The chance of at least k successes against every outcome of every window.
TEST(QuintelloChance, AtLeastOutcomesMatchesEveryOutcome) {
  const std::vector<std::vector<double>> cases = {
      {},
      {0.3},
      {0.3, 0.5, 0.1},
      {0.0, 1.0, 0.25, 0.75},
      {0.9, 0.05, 0.6, 0.2, 0.7, 1e-6, 0.45, 0.33, 0.999, 0.12},
  };
  for (const auto& chances : cases) {
    const size_t n = chances.size();
    std::vector<double> exactly(n + 1, 0.0);
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
      double p = 1;
      for (size_t i = 0; i < n; ++i) p *= (mask >> i & 1) ? chances[i] : 1 - chances[i];
      exactly[static_cast<size_t>(__builtin_popcount(mask))] += p;
    }
    for (int k = 0; k <= static_cast<int>(n) + 1; ++k) {
      double tail = 0;
      for (size_t j = static_cast<size_t>(k); j <= n; ++j) tail += exactly[j];
      EXPECT_NEAR(atLeastOutcomes(chances, k), tail, 1e-15 + 1e-13 * tail)
          << n << " windows, at least " << k;
    }
  }
}

// Bari 7 at draws 2, 10 and 15, four colpi, played on Roma: window 3..6 has Roma on draws 3
// and 5 (draw 4 holds two numbers only), window 11..14 has no Roma draw, window 16..19 has
// draws 16 and 17. Seven numbers 1..7 (sorte 2) come out in draw 3, the number 3 (sorte 1)
// in draw 16; on the Nazionale, never drawn here, nothing is expected at all.
TEST(QuintelloChance, ComparisonCountsOnlyFullDrawsOfTheGameWheel) {
  const DrawArchive archive = archiveWith(
      20,
      "2 BA 7 1 2 3 4; 3 RO 1 2 50 51 52; 4 RO 40 41 0 0 0; 5 RO 60 61 62 63 64; 10 BA 7 1 2 3 4;"
      "15 BA 7 1 2 3 4; 16 RO 3 80 81 82 83; 17 RO 70 71 72 73 74");
  QuintelloSession session = listed(archive, inputsFor(20, 4));
  ASSERT_EQ(session.occurrences().size(), 3u);
  ASSERT_TRUE(add(session, {1, 2, 3, 4, 5, 6, 7}));
  ASSERT_TRUE(add(session, {3}));

  const auto table = session.chanceComparison();
  ASSERT_EQ(table.size(), 2u);
  const double seven = drawHitProbability(7, 2);
  const double windowSeven = 1 - (1 - seven) * (1 - seven),
               windowOne = 1 - (17.0 / 18) * (17.0 / 18);
  const struct {
    int sorte, finestre, esiti;
    double attesi, probabilita;
  } expected[] = {{2, 2, 1, 2 * windowSeven, 1 - (1 - windowSeven) * (1 - windowSeven)},
                  {1, 2, 1, 2 * windowOne, 1 - (1 - windowOne) * (1 - windowOne)}};
  for (size_t f = 0; f < table.size(); ++f) {
    EXPECT_EQ(table[f].Sorte, expected[f].sorte);
    EXPECT_EQ(table[f].Finestre, expected[f].finestre);
    EXPECT_EQ(table[f].Esiti, expected[f].esiti);
    EXPECT_NEAR(table[f].Attesi, expected[f].attesi, 1e-15);
    EXPECT_NEAR(table[f].Probabilita, expected[f].probabilita, 1e-15);
  }
  EXPECT_EQ(session.chanceReport().clipText({2, 0, 2, 7}), "2\t1\t3\t2\t1\t0.22\t4.63\t0.2044");

  session.inputs().RuotaGioco = 10;  // the Nazionale
  EXPECT_EQ(session.chanceReport().clipText({2, 0, 2, 7}), "2\t1\t3\t0\t0\t0.00\t\t1.0000");
}

}  // namespace
}  // namespace quintello::test
