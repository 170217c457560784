// The fast searches against the method computed step by step as a person would describe it
// (every pair scanning every window, every number scanning the archive backwards, every
// climb rescoring every place), on the full bundled archive: the results must be the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "archive/update_file.h"
#include "core/number_format.h"
#include "core/text_number.h"
#include "quintello_fixture.h"

namespace quintello::test {
namespace {

const DrawArchive& bundled() {
  static const DrawArchive archive = [] {
    DrawArchive loaded;
    loadStoredDraws(readStoredDraws(QUINTELLO_TEST_BUNDLED_DRAWS), loaded);
    return loaded;
  }();
  return archive;
}

// The numbers of a wheel in a draw that count: 1..90, each once, in position order.
struct Numbers {
  std::array<int, 5> values{};
  size_t size = 0;
  const int* begin() const { return values.data(); }
  const int* end() const { return values.data() + size; }
  size_t count() const { return size; }
  int operator[](size_t i) const { return values[i]; }
};

bool holds(const Numbers& numbers, int n) {
  return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

Numbers numbersOf(const DrawArchive& archive, int draw, int wheel) {
  Numbers numbers;
  for (int k = 1; k <= kPositions; ++k) {
    const int n = archive.number(draw, wheel, k);
    if (isLottoNumber(n) && !holds(numbers, n)) numbers.values[numbers.size++] = n;
  }
  return numbers;
}

std::array<int, 91> referenceDelays(const DrawArchive& archive, int wheel, int reference) {
  std::array<int, 91> delays;
  delays.fill(-1);
  for (int n = 1; n <= 90; ++n)
    for (int d = reference; d >= 1; --d)
      if (holds(numbersOf(archive, d, wheel), n)) {
        delays[static_cast<size_t>(n)] = reference - d;
        break;
      }
  return delays;
}

std::vector<PairRow> referencePairs(const DrawArchive& archive, int wheel,
                                    const std::vector<OccurrenceRow>& rows) {
  std::vector<PairRow> pairs;
  for (int a = 1; a <= 89; ++a)
    for (int b = a + 1; b <= 90; ++b) {
      int count = 0;
      for (const auto& row : rows) {
        if (row.estrRed || row.Pr != 0) continue;
        for (int d = row.Inizio; d <= row.End; ++d) {
          const auto numbers = numbersOf(archive, d, wheel);
          if (holds(numbers, a) || holds(numbers, b)) {
            ++count;
            break;
          }
        }
      }
      pairs.push_back({a, b, count});
    }
  std::stable_sort(pairs.begin(), pairs.end(), [](auto& x, auto& y) { return x.CC > y.CC; });
  return pairs;
}

// The List3 lines of the combination search, restart by restart.
std::vector<std::string> referenceSearch(const DrawArchive& archive, int wheel,
                                         const std::vector<OccurrenceRow>& rows, int limit, int k,
                                         std::uint64_t seed) {
  std::vector<std::vector<int>> ambi(91, std::vector<int>(91, 0));
  for (int i = static_cast<int>(rows.size()); i >= 1; --i) {
    const auto& row = rows[static_cast<size_t>(i - 1)];
    if (row.Pr != 0) continue;
    for (int d = row.Inizio; d <= row.End && d <= limit; ++d) {
      const auto numbers = numbersOf(archive, d, wheel);
      for (size_t x = 0; x < numbers.count(); ++x)
        for (size_t y = x + 1; y < numbers.count(); ++y) {
          ++ambi[static_cast<size_t>(numbers[x])][static_cast<size_t>(numbers[y])];
          ++ambi[static_cast<size_t>(numbers[y])][static_cast<size_t>(numbers[x])];
        }
    }
  }
  UniformRandom random(seed);
  std::vector<std::string> lines;
  for (int t = 1; t <= 100; ++t) {
    std::vector<int> c(static_cast<size_t>(k));
    std::vector<bool> used(91, false);
    for (auto& n : c) {
      do n = static_cast<int>(random.next() * 90) + 1;
      while (used[static_cast<size_t>(n)]);
      used[static_cast<size_t>(n)] = true;
    }
    auto scoreWithout = [&](int place) {
      int total = 0;
      for (int i = 0; i < k; ++i)
        for (int j = i + 1; j < k; ++j)
          if (i != place && j != place) total += ambi[c[i]][c[j]];
      return total;
    };
    int current = scoreWithout(-1);
    for (int failures = 0; failures < 100;) {
      const int place = static_cast<int>(random.next() * k);
      used[static_cast<size_t>(c[place])] = false;
      const int base = scoreWithout(place);
      int best = -1, bestNumber = 0;
      for (int n = 1; n <= 90; ++n) {
        if (used[static_cast<size_t>(n)]) continue;
        int candidate = base;
        for (int q = 0; q < k; ++q)
          if (q != place) candidate += ambi[c[q]][n];
        if (candidate >= best) best = candidate, bestNumber = n;
      }
      c[place] = bestNumber;
      used[static_cast<size_t>(bestNumber)] = true;
      if (best != current)
        failures = 0, current = best;
      else
        ++failures;
    }
    std::sort(c.begin(), c.end());
    std::string line = formatZeroPadded(current, 6) + "  ";
    for (int i = 0; i < k; ++i) line += (i ? "-" : "") + formatZeroPadded(c[i], 2);
    lines.push_back(line + "    SORTED");
  }
  return lines;
}

struct Outcome {
  int NEst = 0, C = 0;
  std::string S, Ge;
  std::array<bool, 5> verde{};
  friend bool operator==(const Outcome&, const Outcome&) = default;
};

std::vector<Outcome> referenceVerification(const DrawArchive& archive, int wheel, int limit,
                                           const std::vector<OccurrenceRow>& rows,
                                           const std::vector<Previsione>& forecasts) {
  std::vector<Outcome> outcomes;
  for (const auto& row : rows) {
    Outcome outcome;
    for (int d = row.Inizio; d <= row.End && d <= limit && outcome.NEst == 0; ++d) {
      const auto numbers = numbersOf(archive, d, wheel);
      for (const auto& f : forecasts) {
        int hits = 0;
        for (int n : numbers) hits += f.contains(n) ? 1 : 0;
        if (hits < f.Sorte) continue;
        outcome.NEst = d;
        outcome.C = d - row.Inizio + 1;
        outcome.S += std::to_string(hits);
        outcome.Ge += std::to_string(f.Numero);
        for (int k = 1; k <= 5; ++k)
          if (f.contains(archive.number(d, wheel, k)))
            outcome.verde[static_cast<size_t>(k - 1)] = true;
      }
    }
    outcomes.push_back(outcome);
  }
  return outcomes;
}

struct Scenario {
  int number, detection, game, colpi, presenze, reference;
  bool fine;
};

class ReferenceComparison : public testing::TestWithParam<Scenario> {
 protected:
  QuintelloSession listed() const {
    const Scenario& s = GetParam();
    QuintelloSession session(bundled());
    auto& in = session.inputs();
    in.NumeroCercato = s.number;
    in.RuotaRilevazione = s.detection;
    in.RuotaGioco = s.game;
    in.Colpi = s.colpi;
    in.NumPresenze = s.presenze;
    in.EstrazioneCorrente = s.reference > 0 ? s.reference : bundled().count();
    in.FineRicerca = s.fine;
    session.elenco();
    return session;
  }
};

TEST_P(ReferenceComparison, StatisticsSearchesAndVerificationAgree) {
  const Scenario& s = GetParam();
  QuintelloSession session = listed();
  ASSERT_GT(session.ContaPresenze(), 0);
  const int reference = session.inputs().EstrazioneCorrente;
  EXPECT_EQ(session.numberStatistics().RIT, referenceDelays(bundled(), s.game, reference));

  // Two forecasts cover part of the list, so the searches work on uncovered windows only.
  session.inputs().NumeriCombinazione = 2;
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{1}));
  ASSERT_TRUE(session.addThroughCombinationList(std::vector<int>{2, 3, 4}));

  const auto pairs = referencePairs(bundled(), s.game, session.occurrences());
  session.searchPairs();
  ASSERT_EQ(session.pairs().size(), pairs.size());
  for (size_t i = 0; i < pairs.size(); ++i) {
    ASSERT_EQ(session.pairs()[i].N1, pairs[i].N1) << i;
    ASSERT_EQ(session.pairs()[i].N2, pairs[i].N2) << i;
    ASSERT_EQ(session.pairs()[i].CC, pairs[i].CC) << i;
  }

  for (int k = 2; k <= 7; ++k) {
    session.inputs().NumeriCombinazione = k;
    session.random().setSeed(1000 + static_cast<std::uint64_t>(k));
    session.elabora();
    const auto lines = referenceSearch(bundled(), s.game, session.occurrences(),
                                       session.LimiteFine(), k, 1000 + k);
    std::vector<std::string> distinct;
    for (const auto& line : lines)
      if (std::find(distinct.begin(), distinct.end(), line) == distinct.end())
        distinct.push_back(line);
    ASSERT_EQ(session.list3(), distinct) << "k = " << k;
  }

  session.inputs().NumeriCombinazione = 1;
  session.elabora();
  for (const auto& row : session.combinations()) {
    int windows = 0;
    for (const auto& occurrence : session.occurrences()) {
      if (occurrence.Pr != 0) continue;
      for (int d = occurrence.Inizio; d <= occurrence.End; ++d)
        if (holds(numbersOf(bundled(), d, s.game), row.numbers[0])) {
          ++windows;
          break;
        }
    }
    ASSERT_EQ(row.CC, windows) << row.numbers[0];
  }

  for (int n = 10; n < 17; ++n)
    session.addThroughCombinationList(std::vector<int>{n, n + 20, n + 40});
  session.verifyForecasts();
  const auto outcomes = referenceVerification(bundled(), s.game, session.LimiteFine(),
                                              session.occurrences(), session.forecasts());
  for (size_t i = 0; i < outcomes.size(); ++i) {
    const auto& row = session.occurrences()[i];
    EXPECT_EQ((Outcome{row.NEst, row.C, row.S, row.Ge, row.esitoVerde}), outcomes[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    BundledArchive, ReferenceComparison,
    testing::Values(Scenario{1, 0, 0, 12, 12, 0, false}, Scenario{90, 7, 3, 20, 100, 0, false},
                    Scenario{45, 10, 10, 9, 60, 0, true}, Scenario{17, 4, 10, 20, 40, 6000, true},
                    Scenario{33, 2, 5, 1, 30, 9000, false}),
    [](const auto& info) {
      const Scenario& s = info.param;
      return "Number" + std::to_string(s.number) + "On" + std::string(SiglaRuota[s.detection]) +
             "PlayedOn" + std::string(SiglaRuota[s.game]) + "Colpi" + std::to_string(s.colpi) +
             "Presences" + std::to_string(s.presenze) + (s.fine ? "FineRicerca" : "");
    });

}  // namespace
}  // namespace quintello::test
