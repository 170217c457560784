#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "analysis/quintello/combination_search.h"
#include "analysis/quintello/forecast_book.h"
#include "analysis/quintello/occurrence_list.h"
#include "analysis/quintello/render.h"
#include "core/draw_archive.h"
#include "core/progress.h"
#include "core/random.h"

namespace quintello {

// The Quintello method without its window: the inputs of the selection controls and the
// commands that tie its parts together, the occurrence list, the forecast book and the
// combination and pair searches. The grids the window shows are rendered from the parts
// (render.h).
class QuintelloSession {
 public:
  // The archive is read at every command (it may be reloaded between commands).
  explicit QuintelloSession(const DrawArchive& archive);

  // The opening values of the window for this archive (limits.h), the reference draw
  // being the last draw.
  static QuintelloInputs defaultInputs(const DrawArchive& archive);

  QuintelloInputs& inputs() { return inputs_; }
  const QuintelloInputs& inputs() const { return inputs_; }
  UniformRandom& random() { return random_; }
  // Where long work started inside other commands (the search an add runs) reports its
  // progress; nothing by default. The session does not own it.
  void setProgress(Progress* progress) { progress_ = progress; }

  const OccurrenceList& list() const { return list_; }
  const ForecastBook& book() const { return book_; }
  const CombinationSearch& search() const { return search_; }
  const DrawArchive& archive() const { return archive_; }
  const std::vector<OccurrenceRow>& occurrences() const { return list_.rows(); }
  const std::vector<RankedCombination>& rankedCombinations() const {
    return search_.rankedCombinations();
  }
  // The play windows of the list on the game wheel.
  PlayWindows windows() const { return {archive_, inputs_.RuotaGioco, list_.rows()}; }
  int LimiteFine() const { return limiteFine_; }
  // k as the list of sizes offers it.
  int combinationSize() const {
    return kNumeriCombinazioneChoice.clamp(inputs_.NumeriCombinazione);
  }
  // The reference draw within the archive.
  int referenceDraw() const;

  // --- Commands -------------------------------------------------------------------

  // "ELENCO": rebuilds the occurrence list, its marks and labels, resets the forecast side
  // and runs Statistica_Numeri.
  void elenco();
  // Rebuilds the per-number statistics from the current list.
  void Statistica_Numeri();
  // Empties the result list only (the number picker does this).
  void emptyOccurrenceList() { list_.clear(); }

  // "ELABORA": combination search for k = NumeriCombinazione over the uncovered windows
  // ("PULISCE" and the coverage of the best 20 included).
  void elabora(Progress& progress);
  void elabora() { elabora(progress()); }
  // The two steps of "ELABORA" on their own (the hidden buttons).
  void pulisce() { search_.pulisce(combinationSize()); }
  void coverBestCombinations() {
    search_.coverBestCombinations(windows(), limiteFine_, combinationSize());
  }

  // "ELABORA" of tab "Coppie": the pair search.
  void searchPairs(Progress& progress) { search_.searchPairs(windows(), progress); }
  void searchPairs() { searchPairs(progress()); }

  // The ways of adding a forecast; each returns true when a forecast was added (the pair
  // add when at least one was). Refusals are silent and leave the forecast side as it was;
  // as in the window, the board route still appends its row to the combination list, and
  // the pair add still switches k to 1 and runs its search before the adds refuse.
  [[nodiscard]] bool addFromCombinationList(int row);  // selected row of Fg_CC (1..)
  [[nodiscard]] bool addFromBoard();                   // marked numbers of the board
  [[nodiscard]] bool addFromBoardThroughCombinationList() {
    return addThroughCombinationList(boardNumbers());
  }
  // The board route with the given numbers in place of the board's (values outside 1..90
  // and repeats count as no number).
  [[nodiscard]] bool addThroughCombinationList(std::span<const int> numbers);
  [[nodiscard]] bool addPair(int row);  // selected row of Fg9090 (1..)
  // The pair add for the given numbers, without going through the pair list.
  [[nodiscard]] bool addPairNumbers(int n1, int n2);
  // Removes the forecast in row `row` (1..) of Fg_ZZ; false when there is no such row.
  [[nodiscard]] bool removeForecast(int row);

  // "Visualizza sfaldamenti": verifies every forecast against every window.
  void verifyForecasts();

  // Number board Fg90: marks at most seven numbers. Returns the new mark of n: false when
  // an eighth number was refused, or a marked one unmarked.
  [[nodiscard]] bool toggleBoardNumber(int number);
  void clearBoard() { board_.fill(false); }
  bool boardMarked(int number) const;
  std::vector<int> boardNumbers() const;  // the marked numbers, ascending

  // Row highlight of Fg_CC and Fg_ZZ after a click (row 1..).
  void highlightCombination(int row) { search_.highlightCombination(row); }
  void highlightForecast(int row) { book_.highlight(row); }

  // --- Reports on the forecasts over the list's windows (read only) -------------------

  std::optional<Grid> occurrenceDetail(int row) const {
    return book_.occurrenceDetail(windows(), row);
  }
  RiepilogoStatistico statisticalSummary() const { return book_.statisticalSummary(); }
  std::optional<ForecastDrawList> restrictedDrawList(int row) const {
    return book_.restrictedDrawList(windows(), row);
  }
  std::optional<ForecastDrawList> completeDrawList(int row) const {
    return book_.completeDrawList(windows(), row);
  }
  std::optional<Grid> delaysReport() const {
    return book_.delaysReport(windows(), referenceDraw());
  }
  std::vector<ChanceComparison> chanceComparison() const {
    return book_.chanceComparison(windows());
  }
  Grid chanceReport() const { return book_.chanceReport(windows()); }
  // The draw display fga for a draw, the searched number yellow (render.h).
  Grid renderFga(int draw, int outcomeRow = 0) const {
    return quintello::renderFga(archive_, draw, inputs_.NumeroCercato, list_, outcomeRow);
  }

 private:
  int limitFromInputs() const;
  // Adds a forecast, then searches again while rows stay uncovered and verifies when
  // "Verifica automatica" is on.
  bool appendForecast(const std::array<int, kNumeriPrevisione>& numbers, int sorte);
  Progress& progress() const;

  const DrawArchive& archive_;
  QuintelloInputs inputs_;
  UniformRandom random_;
  Progress* progress_ = nullptr;
  int limiteFine_ = 0;
  std::array<bool, kHighestNumber + 1> board_{};

  OccurrenceList list_;
  ForecastBook book_;
  CombinationSearch search_;
};

}  // namespace quintello
