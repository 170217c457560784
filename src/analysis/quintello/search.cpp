// "ELABORA": the combination search over the uncovered play windows, and the pair search.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <string>

#include "analysis/quintello/combination_search.h"
#include "analysis/quintello/draw_numbers.h"
#include "core/number_format.h"
#include "core/text_number.h"

namespace quintello {

namespace {

using PairMatrix = std::array<std::array<int, kHighestNumber + 1>, kHighestNumber + 1>;

// The climb of one restart on MatriceAmbi, the pair counts of the uncovered draws.
//
// Two facts keep it fast without changing a single step of the search:
// - the climb keeps, for every number n, links[n] = the sum of MatriceAmbi(c, n) over the
//   numbers c of the combination, so a place is rescored in one pass over the 90 numbers;
// - MiglioraPosizione(place) only depends on the numbers at the other places, so once a
//   place has been improved it stays as it is until another place changes: further attempts
//   on it are known failures (the random place is still drawn, keeping the sequence).
class Climb {
 public:
  Climb(const PairMatrix& ambi, int k) : ambi_(ambi), k_(k) {}

  // GeneraCombinazione, then the score of the random start.
  int generate(UniformRandom& random) {
    used_.fill(false);
    links_.fill(0);
    settled_.fill(false);
    for (int place = 0; place < k_; ++place) {
      int n = 0;
      do {
        n = static_cast<int>(random.next() * kHighestNumber) + 1;
      } while (used_[static_cast<size_t>(n)]);
      place_(place) = n;
      used_[static_cast<size_t>(n)] = true;
      addLinks(n, +1);
    }
    int total = 0;
    for (int i = 0; i < k_; ++i)
      for (int j = i + 1; j < k_; ++j) total += pair(place_(i), place_(j));
    score_ = total;
    return score_;
  }

  // MiglioraPosizione: the best number for the place, the old one included; on equal
  // scores the higher number wins. Returns the new score.
  int improve(int place) {
    if (settled_[static_cast<size_t>(place)]) return score_;
    const int old = place_(place);
    const auto& oldRow = ambi_[static_cast<size_t>(old)];
    // PunteggioSenza: the score without the pairs of this place.
    const int base = score_ - (links_[static_cast<size_t>(old)] - oldRow[static_cast<size_t>(old)]);
    used_[static_cast<size_t>(old)] = false;
    int best = -1, bestNumber = 0;
    for (int n = 1; n <= kHighestNumber; ++n) {
      if (used_[static_cast<size_t>(n)]) continue;
      const int candidate = base + links_[static_cast<size_t>(n)] - oldRow[static_cast<size_t>(n)];
      if (candidate >= best) best = candidate, bestNumber = n;
    }
    used_[static_cast<size_t>(bestNumber)] = true;
    if (bestNumber != old) {
      addLinks(old, -1);
      addLinks(bestNumber, +1);
      place_(place) = bestNumber;
      settled_.fill(false);
    }
    settled_[static_cast<size_t>(place)] = true;
    score_ = best;
    return score_;
  }

  // The numbers in ascending order and the line TestoCombinazione writes for them:
  // "000123  05-17-62".
  std::string sortedText(int score) {
    std::sort(combination_.begin(), combination_.begin() + k_);
    settled_.fill(false);
    std::string line = formatZeroPadded(score, 6) + "  ";
    for (int i = 0; i < k_; ++i) {
      if (i > 0) line += '-';
      line += formatZeroPadded(place_(i), 2);
    }
    return line;
  }

 private:
  int& place_(int place) { return combination_[static_cast<size_t>(place)]; }
  int pair(int a, int b) const { return ambi_[static_cast<size_t>(a)][static_cast<size_t>(b)]; }
  void addLinks(int number, int sign) {
    const auto& row = ambi_[static_cast<size_t>(number)];
    for (size_t n = 0; n < links_.size(); ++n) links_[n] += sign * row[n];
  }

  const PairMatrix& ambi_;
  int k_;
  int score_ = 0;
  std::array<int, kNumeriPrevisione> combination_{};
  std::array<bool, kHighestNumber + 1> used_{};
  std::array<int, kHighestNumber + 1> links_{};
  std::array<bool, kNumeriPrevisione> settled_{};
};

// Sorts rows by a count, highest first, equal counts keeping their order (the grid's
// stable sort), in one counting pass: the counts are small whole numbers.
template <class Row, class Count>
void sortByCountDescending(std::vector<Row>& rows, Count count) {
  int highest = 0;
  for (const auto& row : rows) highest = std::max(highest, count(row));
  if (highest <= 0) return;
  if (highest > 4 * static_cast<int>(rows.size()) + 64) {
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const Row& a, const Row& b) { return count(a) > count(b); });
    return;
  }
  std::vector<int> start(static_cast<size_t>(highest) + 2, 0);
  for (const auto& row : rows) ++start[static_cast<size_t>(highest - std::max(count(row), 0)) + 1];
  for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  std::vector<Row> sorted(rows.size());
  for (auto& row : rows)
    sorted[static_cast<size_t>(start[static_cast<size_t>(highest - std::max(count(row), 0))]++)] =
        std::move(row);
  rows = std::move(sorted);
}

// The numbers of each uncovered window of the list, skipping the rows `skip` names;
// window i of the result is the i-th row kept, in list order.
template <class Skip>
std::vector<NumberMask> windowNumbers(const PlayWindows& windows, Skip skip) {
  std::vector<NumberMask> numbers;
  for (const auto& row : windows.rows) {
    if (skip(row)) continue;
    NumberMask drawn;
    for (int d = row.Inizio; d <= row.End; ++d)
      drawn |= wheelMask(windows.archive, d, windows.wheel);
    numbers.push_back(drawn);
  }
  return numbers;
}

}  // namespace

CombinationSearch::CombinationSearch() {
  ruotaAttiva_.fill(true);
  posizioneAttiva_.fill(true);
}

void CombinationSearch::useGameWheel(int wheel) {
  ruotaAttiva_.fill(false);
  if (wheel >= 0 && wheel < kWheelCount) ruotaAttiva_[static_cast<size_t>(wheel)] = true;
}

int CombinationSearch::appendCombination(const CombinationRow& row) {
  combinations_.push_back(row);
  return static_cast<int>(combinations_.size());
}

void CombinationSearch::highlightCombination(int row) {
  if (row < 1 || row > static_cast<int>(combinations_.size())) return;
  for (auto& combination : combinations_) combination.highlighted = false;
  combinations_[static_cast<size_t>(row - 1)].highlighted = true;
}

void CombinationSearch::elabora(const PlayWindows& windows, int limit, int k, UniformRandom& random,
                                Progress& progress) {
  collectUncoveredDraws(windows, limit);
  if (k >= 2)
    searchCombinations(windows, limit, k, random, progress);
  else
    rankSingleNumbers(windows);
}

void CombinationSearch::collectUncoveredDraws(const PlayWindows& windows, int limit) {
  uncovered_.clear();
  for (int i = static_cast<int>(windows.rows.size()); i >= 1; --i) {
    const auto& row = windows.rows[static_cast<size_t>(i - 1)];
    if (row.Pr != 0) continue;
    for (int d = row.Inizio; d <= row.End && d <= limit; ++d) {
      UncoveredDraw draw{i, {}, d};
      const auto numbers = windows.archive.wheel(d, windows.wheel);
      std::copy(numbers.begin(), numbers.end(), draw.numbers.begin());
      uncovered_.push_back(draw);
    }
  }
}

void CombinationSearch::searchCombinations(const PlayWindows& windows, int limit, int k,
                                           UniformRandom& random, Progress& progress) {
  // MatriceAmbi: how often two numbers came out together in the uncovered draws, once per
  // flagged wheel (one after "ELENCO"). A number a malformed draw repeats counts once.
  auto ambi = std::make_unique<PairMatrix>();
  const int wheels = static_cast<int>(std::count(ruotaAttiva_.begin(), ruotaAttiva_.end(), true));
  for (const auto& draw : uncovered_) {
    std::array<int, kPositions> numbers{};
    for (int k2 = 0; k2 < kPositions; ++k2) {
      const int n = draw.numbers[static_cast<size_t>(k2)];
      const auto seen = draw.numbers.begin() + k2;
      if (isLottoNumber(n) && posizioneAttiva_[static_cast<size_t>(k2)] &&
          std::find(draw.numbers.begin(), seen, n) == seen)
        numbers[static_cast<size_t>(k2)] = n;
    }
    for (int i = 0; i < kPositions - 1; ++i) {
      const int a = numbers[static_cast<size_t>(i)];
      if (a == 0) continue;
      for (int j = i + 1; j < kPositions; ++j) {
        const int b = numbers[static_cast<size_t>(j)];
        if (b == 0) continue;
        (*ambi)[static_cast<size_t>(a)][static_cast<size_t>(b)] += wheels;
        (*ambi)[static_cast<size_t>(b)][static_cast<size_t>(a)] += wheels;
      }
    }
  }

  ranked_.clear();
  list3_.clear();
  progress.setMaximum(kRipartenze);
  Climb climb(*ambi, k);
  for (int t = 1; t <= kRipartenze; ++t) {
    progress.setValue(t);
    int current = climb.generate(random);
    // Each improvement would add a line to listResults; only the last line of a restart,
    // the sorted one, reaches List3.
    for (int failures = 0; failures < kTentativiFalliti;) {
      const int place = static_cast<int>(random.next() * k);
      const int score = climb.improve(place);
      if (score != current) {
        failures = 0;
        current = score;
      } else {
        ++failures;
      }
    }
    list3_.push_back(climb.sortedText(current) + "    SORTED");
  }
  rankedSize_ = k;
  pulisce(k);
  coverBestCombinations(windows, limit, k);
}

void CombinationSearch::pulisce(int k) {
  // Later repeats of a line go; the first one stays.
  std::vector<std::string> distinct;
  for (const auto& line : list3_)
    if (std::find(distinct.begin(), distinct.end(), line) == distinct.end())
      distinct.push_back(line);
  list3_ = std::move(distinct);

  rankedSize_ = k;
  ranked_.clear();
  for (const auto& line : list3_) {
    const std::string_view text(line);
    RankedCombination combination;
    combination.score = leadingInteger(text.substr(0, 6));
    for (int c = 1; c <= k; ++c) {
      const size_t at = 8 + 3 * static_cast<size_t>(c - 1);
      combination.numbers[static_cast<size_t>(c - 1)] =
          at < text.size() ? leadingInteger(text.substr(at, 2)) : 0;
    }
    ranked_.push_back(combination);
  }
  std::stable_sort(ranked_.begin(), ranked_.end(),
                   [](const auto& a, const auto& b) { return a.score > b.score; });
}

void CombinationSearch::coverBestCombinations(const PlayWindows& windows, int limit, int k) {
  combinations_.clear();
  for (size_t r = 0; r < ranked_.size() && r < kCombinazioniValutate; ++r) {
    CombinationRow row;
    row.CC = ranked_[r].score;
    std::copy_n(ranked_[r].numbers.begin(), k, row.numbers.begin());
    combinations_.push_back(row);
  }

  // The draws of the uncovered windows up to LimiteFine, grouped by window.
  struct Window {
    std::vector<NumberMask> draws;
  };
  std::vector<Window> uncovered;
  for (const auto& row : windows.rows) {
    if (row.Pr != 0) continue;
    Window& window = uncovered.emplace_back();
    for (int d = row.Inizio; d <= row.End && d <= limit; ++d)
      window.draws.push_back(wheelMask(windows.archive, d, windows.wheel));
  }
  // A window is covered when two numbers of the combination came out in one of its draws.
  for (auto& combination : combinations_) {
    const NumberMask set = NumberMask::of(combination.numbers);
    int covered = 0;
    for (const auto& window : uncovered)
      covered += std::any_of(window.draws.begin(), window.draws.end(),
                             [&](const NumberMask& drawn) { return (drawn & set).count() >= 2; });
    combination.CC = covered;
  }
  sortByCountDescending(combinations_,
                        [](const CombinationRow& row) { return row.CC.value_or(0); });
}

void CombinationSearch::rankSingleNumbers(const PlayWindows& windows) {
  // The list starts empty: no column of an earlier, larger k survives into the k = 1 list.
  combinations_.clear();
  std::array<int, kHighestNumber + 1> windowsHit{};
  const auto uncovered =
      windowNumbers(windows, [](const OccurrenceRow& row) { return row.Pr != 0; });
  for (const auto& drawn : uncovered)
    drawn.forEach([&](int n) { ++windowsHit[static_cast<size_t>(n)]; });
  for (int n = 1; n <= kHighestNumber; ++n) {
    CombinationRow row;
    row.CC = windowsHit[static_cast<size_t>(n)];
    row.numbers[0] = n;
    combinations_.push_back(row);
  }
  sortByCountDescending(combinations_,
                        [](const CombinationRow& row) { return row.CC.value_or(0); });
}

// --- Pair search -----------------------------------------------------------------------

void CombinationSearch::searchPairs(const PlayWindows& windows, Progress& progress) {
  pairs_.clear();
  progress.setMaximum(kHighestNumber - 1);
  // For every number, the set of counted windows (not red, uncovered) in which it came out;
  // a pair hits the windows of the union of its two sets.
  const auto counted =
      windowNumbers(windows, [](const OccurrenceRow& row) { return row.estrRed || row.Pr != 0; });
  const size_t words = (counted.size() + 63) / 64;
  std::vector<std::uint64_t> hitBy((kHighestNumber + 1) * std::max<size_t>(words, 1), 0);
  auto bitsOf = [&](int n) {
    return hitBy.data() + static_cast<size_t>(n) * std::max<size_t>(words, 1);
  };
  for (size_t w = 0; w < counted.size(); ++w)
    counted[w].forEach([&](int n) { bitsOf(n)[w / 64] |= std::uint64_t{1} << (w % 64); });

  pairs_.reserve(kHighestNumber * (kHighestNumber - 1) / 2);
  for (int a = 1; a <= kHighestNumber - 1; ++a) {
    progress.setValue(a);
    const std::uint64_t* bitsA = bitsOf(a);
    for (int b = a + 1; b <= kHighestNumber; ++b) {
      const std::uint64_t* bitsB = bitsOf(b);
      int windowsHit = 0;
      for (size_t i = 0; i < words; ++i) windowsHit += std::popcount(bitsA[i] | bitsB[i]);
      pairs_.push_back({a, b, windowsHit});
    }
  }
  sortByCountDescending(pairs_, [](const PairRow& pair) { return pair.CC; });
}

}  // namespace quintello
