// The fast searches against the method computed step by step on the draws through 30/12/2025
// (the golden outputs hold no forecast during a pair search, nor any climb).

#include <gtest/gtest.h>

#include <algorithm>

#include "archive/update_file.h"
#include "core/number_format.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

bool holds(const std::vector<int>& numbers, int n) {
  return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

using Draws = std::vector<std::vector<int>>;

// The List3 lines of "ELABORA" after "PULISCE": 100 climbs on the uncovered draws' pair counts.
std::vector<std::string> climbs(const Draws& draws, const QuintelloSession& session, int k,
                                std::uint64_t seed) {
  std::vector<std::array<int, 91>> ambi(91);
  for (const auto& row : session.occurrences())
    for (int d = row.Inizio; row.Pr == 0 && d <= row.End && d <= session.LimiteFine(); ++d)
      for (int a : draws[d])
        for (int b : draws[d]) ambi[a][b] += a != b ? 1 : 0;
  auto score = [&](const std::vector<int>& c) {
    int total = 0;
    for (size_t i = 0; i < c.size(); ++i)
      for (size_t j = i + 1; j < c.size(); ++j) total += ambi[c[i]][c[j]];
    return total;
  };
  UniformRandom random(seed);
  std::vector<std::string> lines;
  for (int restart = 0; restart < 100; ++restart) {
    std::vector<int> c;
    while (static_cast<int>(c.size()) < k)
      if (const int n = static_cast<int>(random.next() * 90) + 1; !holds(c, n)) c.push_back(n);
    int current = score(c);
    for (int failures = 0; failures < 100;) {
      const auto place = static_cast<size_t>(random.next() * k);
      const int old = c[place];
      int best = -1, bestNumber = 0;
      for (int n = 1; n <= 90; ++n) {
        if (n != old && holds(c, n)) continue;
        c[place] = n;
        if (score(c) >= best) best = score(c), bestNumber = n;  // ties: the higher number
      }
      c[place] = bestNumber;
      failures = best != current ? 0 : failures + 1;
      current = best;
    }
    std::sort(c.begin(), c.end());
    std::string line = formatZeroPadded(current, 6) + "  ";
    for (int i = 0; i < k; ++i) line += (i ? "-" : "") + formatZeroPadded(c[i], 2);
    if (!std::count(lines.begin(), lines.end(), line + "    SORTED"))
      lines.push_back(line + "    SORTED");
  }
  return lines;
}

TEST(QuintelloReference, PairsAndClimbsAgreeOnTheBundledArchive) {
  DrawArchive bundled;
  loadStoredDraws(readStoredDraws(QUINTELLO_TEST_FROZEN_DRAWS), bundled);
  // number, detection and game wheels, colpi, presences, reference (0: the last), "Fine"
  for (const auto& [number, detection, game, colpi, presenze, reference, fine] :
       {std::array{1, 0, 0, 12, 12, 0, 0},
        {90, 7, 3, 20, 100, 0, 0},
        {17, 4, 10, 20, 40, 6000, 1}}) {
    SCOPED_TRACE(testing::Message() << "number " << number);
    const int last = reference > 0 ? reference : bundled.count();
    QuintelloInputs inputs = inputsFor(last, colpi, presenze, number, game);
    inputs.RuotaRilevazione = detection;
    inputs.FineRicerca = fine;
    QuintelloSession session = listed(bundled, inputs);
    ASSERT_GT(session.list().ContaPresenze(), 0);
    Draws draws(static_cast<size_t>(bundled.count()) + 1);
    for (int d = 1; d <= bundled.count(); ++d)
      for (int k = 1; k <= kPositions; ++k)
        if (const int n = bundled.number(d, game, k); isLottoNumber(n) && !holds(draws[d], n))
          draws[d].push_back(n);

    // Two forecasts cover part of the list: the searches work on the uncovered windows only.
    ASSERT_TRUE(add(session, {1}));
    ASSERT_TRUE(add(session, {2, 3, 4}));
    std::vector<std::array<int, 3>> pairs, found;
    for (int a = 1; a < 90; ++a)
      for (int b = a + 1; b <= 90; ++b) {
        int windows = 0;
        for (const auto& row : session.occurrences())
          for (int d = row.Inizio; !row.estrRed && row.Pr == 0 && d <= row.End; ++d)
            if (holds(draws[d], a) || holds(draws[d], b)) {
              ++windows;
              break;
            }
        pairs.push_back({a, b, windows});
      }
    std::stable_sort(pairs.begin(), pairs.end(), [](auto& x, auto& y) { return x[2] > y[2]; });
    session.searchPairs();
    for (const PairRow& p : session.search().pairs()) found.push_back({p.N1, p.N2, p.CC});
    ASSERT_EQ(found, pairs);

    // "Fine ricerca" inside the newest window: the next searches stop the windows there.
    session.inputs().FineRicerca = true;
    session.inputs().EstrazioneCorrente = session.occurrences()[0].End - 1;
    for (int k : {2, 4, 7}) {
      const auto seed = 1000 + static_cast<std::uint64_t>(k);
      session.inputs().NumeriCombinazione = k;
      session.random().setSeed(seed);
      session.elabora();
      ASSERT_EQ(session.search().list3(), climbs(draws, session, k, seed)) << "k = " << k;
    }
  }
}

}  // namespace
}  // namespace quintello::test
