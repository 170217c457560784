#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/quintello/limits.h"
#include "core/color.h"
#include "core/draw_archive.h"
#include "core/grid.h"
#include "core/progress.h"
#include "core/random.h"
#include "core/wheels.h"

namespace quintello {

class NumberMask;

// The Quintello method without its window: the inputs of the selection controls, the
// occurrence list and its play windows, the combination and pair searches, the forecasts,
// their verification and the reports. Every computation works on the typed state below;
// the grids and labels the window shows are rendered from it on request.

inline constexpr int kColpiRiepilogo = 20;        // rows of the colpo table
inline constexpr int kRipartenze = 100;           // restarts of the combination search
inline constexpr int kTentativiFalliti = 100;     // failed attempts that end a climb
inline constexpr int kCombinazioniValutate = 20;  // best combinations rescored by coverage
inline constexpr int kDettaglioColpi = 20;        // draws listed by the occurrence detail

// What the selection controls of the window hold. Commands read these at the moment they
// run; "ELENCO" captures NumeroCercato and NumPresenze for the rest of the session.
// Values outside the ranges of limits.h are taken as they come, never read outside a table.
struct QuintelloInputs {
  int EstrazioneCorrente = 0;  // reference draw (scroll bar hFine)
  bool FineRicerca = false;    // "Fine ricerca": windows end at the reference draw
  int NumeroCercato = kNumeroCercatoChoice.initial;
  int RuotaRilevazione = kRuotaChoice.initial;                             // wheel index 0..10
  int RuotaGioco = kRuotaChoice.initial;                                   // wheel index 0..10
  std::array<bool, kPositions> PosizioniRilevazione = kPosizioniIniziali;  // [0] = 1
  int NumPresenze = kPresenzeChoice.initial;
  int Colpi = kColpiChoice.initial;
  int NumeriCombinazione = kNumeriCombinazioneChoice.initial;  // k
  bool VerificaAutomatica = false;                             // "Verifica automatica"
};

// A caption with its colours.
struct Label {
  std::string text;
  Color back = kWhite;
  Color fore = kBlack;
  friend bool operator==(const Label&, const Label&) = default;
};

// One row of the result list Fg1: an occurrence, its play window and its outcome.
struct OccurrenceRow {
  int Numero = 0;  // "N°", 1.. in list order (1 = newest)
  int Estr = 0;    // draw of the occurrence
  std::string DataEstraz;
  int Inizio = 0;  // first draw of the window
  int Fine = 0;    // Estr + Colpi, or LimiteFine
  int End = 0;     // Fine, or the draw of the next newer occurrence inside the window
  int Pr = 0;      // Numero of the covering forecast; 0 = uncovered
  int RR = 0;      // detection wheel index
  int RG = 0;      // game wheel index

  // Marks of "ELENCO".
  bool estrRed = false;      // the occurrence is LimiteFine itself: its window is in the future
  bool inizioGreen = false;  // the window starts inside the next older one
  bool endCut = false;       // End was cut by the next newer occurrence
  bool incomplete = false;   // "N°" yellow: the window is not complete yet

  // Outcome written by the verification (columns "1".."5", "C", "N° Est", "Data Esito",
  // "S", "Ge"); NEst == 0 means no outcome.
  std::array<int, kPositions> esitoNumeri{};
  std::array<bool, kPositions> esitoVerde{};  // the number belongs to a scoring forecast
  int C = 0;
  int NEst = 0;
  std::string DataEsito;
  std::string S;
  std::string Ge;

  bool windowEmpty() const { return End < Inizio; }
  bool hasOutcome() const { return NEst > 0; }
};

// A forecast (Previsione): one row of the forecast list Fg_ZZ.
struct Previsione {
  int Numero = 0;  // 1..kMaxNumeroPrevisione, the smallest free number when added
  int Sorte = 1;   // numbers needed in one draw: 1 for one number, 2 for more
  int Esiti = 0;   // rows it covered when it was added
  std::array<int, kNumeriPrevisione> Numeri{};  // columns "1".."7"; 0 = empty cell
  bool highlighted = false;                     // row highlight after a click

  int size() const;  // non-empty number cells
  bool contains(int number) const;
};

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

// The per-number statistics of Statistica_Numeri (grid FgN); index 1..90, 0 unused.
struct NumberStatistics {
  std::array<int, kHighestNumber + 1> TU{};
  std::array<int, kHighestNumber + 1> ES{};
  std::array<int, kHighestNumber + 1> SC{};
  std::array<int, kHighestNumber + 1> RIT{};  // -1 = never drawn up to EstrazioneCorrente
  bool computed = false;                      // false until the first list
};

// Labels of the window under the result list and the forecast list.
struct QuintelloLabels {
  Label LBL_NC;  // rows found
  Label Label7;  // span summary
  Label Lbl_T;   // "Coperti"
  Label Lbl_S;   // "Scoperti"
  friend bool operator==(const QuintelloLabels&, const QuintelloLabels&) = default;
};

// The statistical summary window (Quintello_Riepilogo).
struct RiepilogoStatistico {
  Grid Fg1;      // outcomes by forecast size and hit count
  Grid fG2;      // outcomes by colpo, with percentage bars
  Label Label3;  // total of outcomes
};

// The draw list window (ElencoEstrazioni) filled for one forecast.
struct ForecastDrawList {
  Label Label1;  // the forecast's numbers
  Grid FgE;
};

// A forecast against chance: how its play windows went and what playing the same numbers at
// random would have given over the same windows.
struct ChanceComparison {
  int Numero = 0;
  int Sorte = 1;
  std::array<int, kNumeriPrevisione> Numeri{};
  int Finestre = 0;        // windows holding at least one full draw of the game wheel
  int Esiti = 0;           // windows with an outcome in any of their draws
  double Attesi = 0;       // windows with an outcome that chance gives on average
  double Probabilita = 1;  // chance of at least Esiti windows with an outcome
  // Esiti / Attesi; nothing when chance gives no outcome at all.
  std::optional<double> Rapporto() const {
    return Attesi > 0 ? std::optional<double>(Esiti / Attesi) : std::nullopt;
  }
};

// EsitiPrevisione(n, h): outcomes of forecast n with exactly h hits; (n, 0) its size.
using EsitiTable = std::array<std::array<int, kPositions + 1>, 10>;

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

  // --- Commands -------------------------------------------------------------------

  // "ELENCO": rebuilds the occurrence list, its marks and labels, resets the forecast side
  // and runs Statistica_Numeri.
  void elenco();
  // Rebuilds the per-number statistics from the current list.
  void Statistica_Numeri();
  // Empties the result list only (the number picker does this).
  void emptyOccurrenceList();

  // "ELABORA": combination search for k = NumeriCombinazione over the uncovered windows
  // ("PULISCE" and the coverage of the best 20 included).
  void elabora(Progress& progress);
  void elabora();
  // The two steps of "ELABORA" on their own (the hidden buttons).
  void pulisce();
  void coverBestCombinations();

  // "ELABORA" of tab "Coppie": the pair search.
  void searchPairs(Progress& progress);
  void searchPairs();

  // The ways of adding a forecast; each returns true when a forecast was added (the pair
  // add when at least one was). Refusals are silent and leave the forecast side as it was;
  // as in the window, the board route still appends its row to the combination list, and
  // the pair add still switches k to 1 and runs its search before the adds refuse.
  [[nodiscard]] bool addFromCombinationList(int row);  // selected row of Fg_CC (1..)
  [[nodiscard]] bool addFromBoard();                   // marked numbers of the board
  [[nodiscard]] bool addFromBoardThroughCombinationList();
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
  void clearBoard();
  bool boardMarked(int number) const;
  std::vector<int> boardNumbers() const;  // the marked numbers, ascending

  // Row highlight of Fg_CC and Fg_ZZ after a click (row 1..).
  void highlightCombination(int row);
  void highlightForecast(int row);

  // --- Reports (read only) ------------------------------------------------------------

  // "Verifica previsione": the twenty draws after the occurrence in Fg1 row `row`, with
  // every forecast hit; nothing when the row does not exist.
  std::optional<Grid> occurrenceDetail(int row) const;
  // "Riepilogo statistico".
  RiepilogoStatistico statisticalSummary() const;
  // "Elenco ristretto" and "Elenco completo" for the forecast in Fg_ZZ row `row`.
  std::optional<ForecastDrawList> restrictedDrawList(int row) const;
  std::optional<ForecastDrawList> completeDrawList(int row) const;
  // The forecast delays report fGR; nothing when there is no forecast.
  std::optional<Grid> delaysReport() const;
  // Every forecast against chance over the windows of the list, in list order, and its grid.
  std::vector<ChanceComparison> chanceComparison() const;
  Grid chanceReport() const;

  // --- Rendered grids and labels --------------------------------------------------

  Grid renderFg1() const;
  Grid renderFgN() const;
  Grid renderFg_ZZ() const;
  Grid renderFg_CC() const;
  Grid renderFgU() const;
  Grid renderFg_I2() const;
  Grid renderFg9090() const;
  Grid renderList3() const;  // one line per row, no header
  Grid renderFg90() const;   // the number board, 9 x 10, no header
  // The draw display fga for a draw; with outcomeRow, the numbers of that Fg1 row that hit
  // are green on the row of its game wheel.
  Grid renderFga(int draw, int outcomeRow = 0) const;
  QuintelloLabels labels() const;

  // --- Typed state ------------------------------------------------------------------

  const std::vector<OccurrenceRow>& occurrences() const { return rows_; }
  const std::vector<Previsione>& forecasts() const { return forecasts_; }
  const std::vector<CombinationRow>& combinations() const { return combinations_; }
  const std::vector<RankedCombination>& rankedCombinations() const { return ranked_; }
  const std::vector<std::string>& list3() const { return list3_; }
  const std::vector<UncoveredDraw>& EstrazioniScoperte() const { return uncovered_; }
  const std::vector<PairRow>& pairs() const { return pairs_; }
  const NumberStatistics& numberStatistics() const { return stats_; }
  const EsitiTable& EsitiPrevisione() const { return esitiPrevisione_; }
  // Index 1..20 (more when Colpi is above 20); [0] unused.
  const std::vector<int>& EsitiPerColpo() const { return esitiPerColpo_; }
  const std::array<bool, kWheelCount>& RuotaAttiva() const { return ruotaAttiva_; }
  const std::array<bool, kPositions>& PosizioneAttiva() const { return posizioneAttiva_; }
  const std::array<bool, kMaxNumeroPrevisione + 1>& PrevisioniUsate() const {
    return previsioniUsate_;
  }
  int LimiteFine() const { return limiteFine_; }
  int ContaPresenze() const { return static_cast<int>(rows_.size()); }
  // NumPresenze as captured by the last "ELENCO".
  int NumPresenze() const { return numPresenze_; }
  // Covered and uncovered counters ("Coperti", "Scoperti"); empty captions are nothing.
  std::optional<int> coveredCount() const { return lblT_; }
  std::optional<int> uncoveredCount() const { return lblS_; }

 private:
  int limitFromInputs() const;
  // k as the list of sizes offers it.
  int combinationSize() const {
    return kNumeriCombinazioneChoice.clamp(inputs_.NumeriCombinazione);
  }
  int referenceDraw() const;
  void resetForecastSide();
  void collectUncoveredDraws();
  void searchCombinations(Progress& progress);
  void rankSingleNumbers();
  // Adds the forecast under the smallest free number and covers the rows it can; false
  // when every number is in use.
  bool appendForecast(const std::array<int, kNumeriPrevisione>& numbers, int sorte);
  void coveragePass(size_t index);
  // True when the set has at least `sorte` of its numbers in one draw of the row's window.
  bool windowScores(const OccurrenceRow& row, const NumberMask& set, int sorte) const;
  int esitiTotal() const;   // rows covered by the forecasts when they were added
  int coveredRows() const;  // rows whose "Pr" names a forecast
  // "Coperti", "Scoperti" and the green of "Coperti" when every presence is covered.
  void setCoveredCount(int covered);
  int smallestFreeNumero() const;

  Progress& progress() const;

  const DrawArchive& archive_;
  QuintelloInputs inputs_;
  UniformRandom random_;
  Progress* progress_ = nullptr;

  int limiteFine_ = 0;
  int numPresenze_ = 0;
  std::vector<OccurrenceRow> rows_;
  NumberStatistics stats_{};
  std::optional<int> lblNC_;
  std::string label7_;

  std::vector<Previsione> forecasts_;
  std::array<bool, kMaxNumeroPrevisione + 1> previsioniUsate_{};
  std::optional<int> lblT_;
  std::optional<int> lblS_;
  bool lblTGreen_ = false;

  std::vector<UncoveredDraw> uncovered_;
  std::vector<std::string> list3_;
  std::vector<RankedCombination> ranked_;
  int rankedSize_ = 0;  // k of the rows of Fg_I2
  std::vector<CombinationRow> combinations_;
  std::vector<PairRow> pairs_;

  EsitiTable esitiPrevisione_{};
  std::vector<int> esitiPerColpo_ = std::vector<int>(kColpiRiepilogo + 1, 0);

  std::array<bool, kWheelCount> ruotaAttiva_{};
  std::array<bool, kPositions> posizioneAttiva_{};
  std::array<bool, kHighestNumber + 1> board_{};
};

}  // namespace quintello
