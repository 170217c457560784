// "ELABORA": the combination search over the uncovered play windows, and the pair search.

#include <algorithm>
#include <memory>
#include <string>

#include "analysis/quintello/draw_numbers.h"
#include "analysis/quintello/session.h"
#include "core/number_format.h"
#include "core/text_number.h"

namespace quintello {

namespace {

using PairMatrix = std::array<std::array<int, kHighestNumber + 1>, kHighestNumber + 1>;

// The climb of one restart, on the pair counts of the uncovered draws.
class Climb {
 public:
  Climb(const PairMatrix& ambi, int k) : ambi_(ambi), k_(k) {}

  void generate(UniformRandom& random) {
    used_.fill(false);
    for (int place = 0; place < k_; ++place) {
      int n = 0;
      do {
        n = static_cast<int>(random.next() * kHighestNumber) + 1;
      } while (used_[static_cast<size_t>(n)]);
      combination_[static_cast<size_t>(place)] = n;
      used_[static_cast<size_t>(n)] = true;
    }
  }

  int score() const {
    int total = 0;
    for (int i = 0; i < k_; ++i)
      for (int j = i + 1; j < k_; ++j) total += pair(at(i), at(j));
    return total;
  }

  // PunteggioSenza: the score over the pairs that leave `place` out.
  int scoreWithout(int place) const {
    int total = 0;
    for (int i = 0; i < k_; ++i)
      for (int j = i + 1; j < k_; ++j)
        if (i != place && j != place) total += pair(at(i), at(j));
    return total;
  }

  // MiglioraPosizione: the best number for the place, the old one included; on equal
  // scores the higher number wins.
  int improve(int place) {
    used_[static_cast<size_t>(at(place))] = false;
    const int base = scoreWithout(place);
    int best = -1, bestNumber = 0;
    for (int n = 1; n <= kHighestNumber; ++n) {
      if (used_[static_cast<size_t>(n)]) continue;
      int candidate = base;
      for (int q = 0; q < k_; ++q)
        if (q != place) candidate += pair(at(q), n);
      if (candidate >= best) best = candidate, bestNumber = n;
    }
    combination_[static_cast<size_t>(place)] = bestNumber;
    used_[static_cast<size_t>(bestNumber)] = true;
    return best;
  }

  void sort() {
    for (bool swapped = true; swapped;) {
      swapped = false;
      for (int i = 0; i + 1 < k_; ++i) {
        if (at(i) > at(i + 1)) {
          std::swap(combination_[static_cast<size_t>(i)], combination_[static_cast<size_t>(i + 1)]);
          swapped = true;
        }
      }
    }
  }

  // TestoCombinazione: "000123  05-17-62".
  std::string text(int score) const {
    std::string line = formatZeroPadded(score, 6) + "  ";
    for (int i = 0; i < k_; ++i) {
      if (i > 0) line += '-';
      line += formatZeroPadded(at(i), 2);
    }
    return line;
  }

 private:
  int at(int place) const { return combination_[static_cast<size_t>(place)]; }
  int pair(int a, int b) const { return ambi_[static_cast<size_t>(a)][static_cast<size_t>(b)]; }

  const PairMatrix& ambi_;
  int k_;
  std::array<int, kNumeriPrevisione> combination_{};
  std::array<bool, kHighestNumber + 1> used_{};
};

// k as the list of sizes offers it.
int combinationSize(int k) { return std::clamp(k, 1, kNumeriPrevisione); }

}  // namespace

void QuintelloSession::elabora() { elabora(progress()); }

void QuintelloSession::elabora(Progress& progress) {
  limiteFine_ = limitFromInputs();
  collectUncoveredDraws();
  if (combinationSize(inputs_.NumeriCombinazione) >= 2)
    searchCombinations(progress);
  else
    rankSingleNumbers();
}

void QuintelloSession::collectUncoveredDraws() {
  uncovered_.clear();
  for (int i = static_cast<int>(rows_.size()); i >= 1; --i) {
    const auto& row = rows_[static_cast<size_t>(i - 1)];
    if (row.Pr != 0) continue;
    for (int d = row.Inizio; d <= row.End && d <= limiteFine_; ++d) {
      UncoveredDraw draw{i, {}, d};
      const auto numbers = archive_.wheel(d, inputs_.RuotaGioco);
      std::copy(numbers.begin(), numbers.end(), draw.numbers.begin());
      uncovered_.push_back(draw);
    }
  }
}

void QuintelloSession::searchCombinations(Progress& progress) {
  const int k = combinationSize(inputs_.NumeriCombinazione);

  // MatriceAmbi: how often two numbers came out together in the uncovered draws, once per
  // flagged wheel (one after "ELENCO").
  auto ambi = std::make_unique<PairMatrix>();
  for (bool wheelFlag : ruotaAttiva_) {
    if (!wheelFlag) continue;
    for (const auto& draw : uncovered_) {
      for (int i = 0; i < kPositions - 1; ++i) {
        for (int j = i + 1; j < kPositions; ++j) {
          if (!posizioneAttiva_[static_cast<size_t>(i)] ||
              !posizioneAttiva_[static_cast<size_t>(j)])
            continue;
          const int a = draw.numbers[static_cast<size_t>(i)];
          const int b = draw.numbers[static_cast<size_t>(j)];
          if (!isLottoNumber(a) || !isLottoNumber(b) || a == b) continue;
          ++(*ambi)[static_cast<size_t>(a)][static_cast<size_t>(b)];
          ++(*ambi)[static_cast<size_t>(b)][static_cast<size_t>(a)];
        }
      }
    }
  }

  ranked_.clear();
  list3_.clear();
  progress.setMaximum(kRipartenze);
  Climb climb(*ambi, k);
  std::vector<std::string> listResults;
  for (int t = 1; t <= kRipartenze; ++t) {
    progress.setValue(t);
    climb.generate(random_);
    int current = climb.score();
    for (int failures = 0; failures < kTentativiFalliti;) {
      const int place = static_cast<int>(random_.next() * k);
      const int score = climb.improve(place);
      if (score != current) {
        failures = 0;
        listResults.push_back(climb.text(score));
        current = score;
      } else {
        ++failures;
      }
    }
    climb.sort();
    listResults.push_back(climb.text(current) + "    SORTED");
    list3_.push_back(listResults.back());
    listResults.clear();
  }
  rankedSize_ = k;
  pulisce();
  coverBestCombinations();
}

void QuintelloSession::pulisce() {
  // Later repeats of a line go; the first one stays.
  std::vector<std::string> distinct;
  for (const auto& line : list3_)
    if (std::find(distinct.begin(), distinct.end(), line) == distinct.end())
      distinct.push_back(line);
  list3_ = std::move(distinct);

  const int k = combinationSize(inputs_.NumeriCombinazione);
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

void QuintelloSession::coverBestCombinations() {
  combinations_.clear();
  const int k = combinationSize(inputs_.NumeriCombinazione);
  for (size_t r = 0; r < ranked_.size() && r < kCombinazioniValutate; ++r) {
    CombinationRow row;
    row.CC = ranked_[r].score;
    for (int c = 0; c < k; ++c)
      row.numbers[static_cast<size_t>(c)] = ranked_[r].numbers[static_cast<size_t>(c)];
    combinations_.push_back(row);
  }
  for (auto& combination : combinations_) {
    std::array<bool, kHighestNumber + 1> set{};
    for (int n : combination.numbers)
      if (isLottoNumber(n)) set[static_cast<size_t>(n)] = true;
    int covered = 0;
    for (const auto& row : rows_) {
      if (row.Pr != 0) continue;
      for (int d = row.Inizio; d <= row.End && d <= limiteFine_; ++d) {
        int hits = 0;
        for (int n : countedNumbers(archive_, d, inputs_.RuotaGioco))
          if (n != 0 && set[static_cast<size_t>(n)]) ++hits;
        if (hits >= 2) {
          ++covered;
          break;
        }
      }
    }
    combination.CC = covered;
  }
  std::stable_sort(combinations_.begin(), combinations_.end(), [](const auto& a, const auto& b) {
    return a.CC.value_or(0) > b.CC.value_or(0);
  });
}

void QuintelloSession::rankSingleNumbers() {
  // The list starts empty: no column of an earlier, larger k survives into the k = 1 list.
  combinations_.clear();
  for (int n = 1; n <= kHighestNumber; ++n) {
    int windows = 0;
    for (const auto& row : rows_) {
      if (row.Pr != 0) continue;
      for (int d = row.Inizio; d <= row.End; ++d) {
        const auto numbers = countedNumbers(archive_, d, inputs_.RuotaGioco);
        if (std::find(numbers.begin(), numbers.end(), n) != numbers.end()) {
          ++windows;
          break;
        }
      }
    }
    CombinationRow row;
    row.CC = windows;
    row.numbers[0] = n;
    combinations_.push_back(row);
  }
  std::stable_sort(combinations_.begin(), combinations_.end(), [](const auto& a, const auto& b) {
    return a.CC.value_or(0) > b.CC.value_or(0);
  });
}

// --- Pair search -----------------------------------------------------------------------

void QuintelloSession::searchPairs() { searchPairs(progress()); }

void QuintelloSession::searchPairs(Progress& progress) {
  pairs_.clear();
  progress.setMaximum(kHighestNumber - 1);
  for (int a = 1; a <= kHighestNumber - 1; ++a) {
    progress.setValue(a);
    for (int b = a + 1; b <= kHighestNumber; ++b) {
      int windows = 0;
      for (const auto& row : rows_) {
        if (row.estrRed || row.Pr != 0) continue;
        for (int d = row.Inizio; d <= row.End; ++d) {
          const auto numbers = countedNumbers(archive_, d, inputs_.RuotaGioco);
          if (std::find(numbers.begin(), numbers.end(), a) != numbers.end() ||
              std::find(numbers.begin(), numbers.end(), b) != numbers.end()) {
            ++windows;
            break;
          }
        }
      }
      pairs_.push_back({a, b, windows});
    }
  }
  std::stable_sort(pairs_.begin(), pairs_.end(),
                   [](const auto& x, const auto& y) { return x.CC > y.CC; });
}

}  // namespace quintello
