#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/quintello/occurrence_list.h"
#include "core/progress.h"
#include "core/random.h"
#include "core/wheels.h"

namespace quintello {

inline constexpr int kRipartenze = 100;           // restarts of the combination search
inline constexpr int kTentativiFalliti = 100;     // failed attempts that end a climb
inline constexpr int kCombinazioniValutate = 20;  // best combinations rescored by coverage

// One row of the combination list Fg_CC.
struct CombinationRow {
  std::optional<int> CC;  // coverage; empty for a row appended from the number board
  std::array<int, kNumeriPrevisione> numbers{};  // columns N1..N7; 0 = empty cell
  bool highlighted = false;
};

// One row of Fg_I2: a distinct result of the combination search.
struct RankedCombination {
  int score = 0;
  std::array<int, kNumeriPrevisione> numbers{};  // 1..k ascending, then 0
};

// One row of EstrazioniScoperte / FgU: a draw inside an uncovered window.
struct UncoveredDraw {
  int row = 0;  // Fg1 row whose window holds the draw
  std::array<int, kPositions> numbers{};
  int draw = 0;
};

// One row of the pair list Fg9090.
struct PairRow {
  int N1 = 0;
  int N2 = 0;
  int CC = 0;
};

// The searches over the uncovered play windows: "ELABORA" for combinations of k numbers
// (ranking single numbers when k is 1) and the pair search, with the lists they fill.
class CombinationSearch {
 public:
  CombinationSearch();

  // "ELABORA" over the uncovered windows up to `limit` (LimiteFine): "PULISCE" and the
  // coverage of the best combinations included.
  void elabora(const PlayWindows& windows, int limit, int k, UniformRandom& random,
               Progress& progress);
  // The two steps of "ELABORA" on their own (the hidden buttons).
  void pulisce(int k);
  void coverBestCombinations(const PlayWindows& windows, int limit, int k);
  // "ELABORA" of tab "Coppie".
  void searchPairs(const PlayWindows& windows, Progress& progress);

  // A new list counts on its game wheel alone.
  void useGameWheel(int wheel);
  void clearPairs() { pairs_.clear(); }
  void clearCombinations() { combinations_.clear(); }
  // Appends a row to Fg_CC and returns its row number (1..).
  int appendCombination(const CombinationRow& row);
  void highlightCombination(int row);

  const std::vector<CombinationRow>& combinations() const { return combinations_; }
  const std::vector<RankedCombination>& rankedCombinations() const { return ranked_; }
  int rankedSize() const { return rankedSize_; }  // k of the rows of Fg_I2
  const std::vector<std::string>& list3() const { return list3_; }
  const std::vector<UncoveredDraw>& EstrazioniScoperte() const { return uncovered_; }
  const std::vector<PairRow>& pairs() const { return pairs_; }
  const std::array<bool, kWheelCount>& RuotaAttiva() const { return ruotaAttiva_; }
  const std::array<bool, kPositions>& PosizioneAttiva() const { return posizioneAttiva_; }

 private:
  void collectUncoveredDraws(const PlayWindows& windows, int limit);
  void searchCombinations(const PlayWindows& windows, int limit, int k, UniformRandom& random,
                          Progress& progress);
  void rankSingleNumbers(const PlayWindows& windows);

  std::vector<UncoveredDraw> uncovered_;
  std::vector<std::string> list3_;
  std::vector<RankedCombination> ranked_;
  int rankedSize_ = 0;
  std::vector<CombinationRow> combinations_;
  std::vector<PairRow> pairs_;
  std::array<bool, kWheelCount> ruotaAttiva_{};
  std::array<bool, kPositions> posizioneAttiva_{};
};

}  // namespace quintello
