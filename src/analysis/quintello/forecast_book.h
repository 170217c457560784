#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/quintello/occurrence_list.h"
#include "core/grid.h"

namespace quintello {

inline constexpr int kColpiRiepilogo = 20;  // rows of the colpo table
inline constexpr int kDettaglioColpi = 20;  // draws listed by the occurrence detail

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

// The forecast list with the coverage of the play windows, the verification and the reports
// on the forecasts, their comparison with chance included.
class ForecastBook {
 public:
  // True when no forecast can be added: the list is full, or the forecasts added so far
  // cover every presence of the list.
  bool refusesMore(int numPresenze) const;
  // Adds the forecast under the smallest free number and marks the uncovered rows whose
  // window it scores in as covered by it; false when every number is in use.
  bool add(const std::array<int, kNumeriPrevisione>& numbers, int sorte, const DrawArchive& archive,
           int wheel, std::vector<OccurrenceRow>& rows, int numPresenze);
  // Removes the forecast in row `row` (1..) of Fg_ZZ and uncovers its rows; false when there
  // is no such row.
  bool remove(int row, std::vector<OccurrenceRow>& rows);
  void clear();  // the forecasts and the covered counts, not the outcome counts
  void resetOutcomeCounts();
  void highlight(int row);

  // "Visualizza sfaldamenti": writes the first outcome of every window up to `limit`; false
  // (and nothing written but the emptied counts) when the list has no row.
  bool verify(const DrawArchive& archive, int wheel, int limit, std::vector<OccurrenceRow>& rows,
              int numPresenze);
  // Sets "Coperti" and "Scoperti" from the rows whose "Pr" names a forecast.
  void countCoveredRows(const std::vector<OccurrenceRow>& rows, int numPresenze);
  int esitiTotal() const;  // rows covered by the forecasts when they were added

  const std::vector<Previsione>& forecasts() const { return forecasts_; }
  const std::array<bool, kMaxNumeroPrevisione + 1>& PrevisioniUsate() const {
    return previsioniUsate_;
  }
  const EsitiTable& EsitiPrevisione() const { return esitiPrevisione_; }
  // Index 1..20 (more when Colpi is above 20); [0] unused.
  const std::vector<int>& EsitiPerColpo() const { return esitiPerColpo_; }
  // Covered and uncovered counters ("Coperti", "Scoperti"); empty captions are nothing.
  std::optional<int> coveredCount() const { return lblT_; }
  std::optional<int> uncoveredCount() const { return lblS_; }
  bool everyPresenceCovered() const { return lblTGreen_; }

  // --- Reports (read only) ------------------------------------------------------------

  // "Verifica previsione": the twenty draws after the occurrence in row `row`, with every
  // forecast hit; nothing when the row does not exist.
  std::optional<Grid> occurrenceDetail(const PlayWindows& windows, int row) const;
  // "Riepilogo statistico".
  RiepilogoStatistico statisticalSummary() const;
  // "Elenco ristretto" and "Elenco completo" for the forecast in Fg_ZZ row `row`.
  std::optional<ForecastDrawList> restrictedDrawList(const PlayWindows& windows, int row) const;
  std::optional<ForecastDrawList> completeDrawList(const PlayWindows& windows, int row) const;
  // The forecast delays report fGR at draw `reference`; nothing when there is no forecast.
  std::optional<Grid> delaysReport(const PlayWindows& windows, int reference) const;
  // Every forecast against chance over the windows, in list order, and its grid.
  std::vector<ChanceComparison> chanceComparison(const PlayWindows& windows) const;
  Grid chanceReport(const PlayWindows& windows) const;

 private:
  // The forecast in Fg_ZZ row `row` (from 1); none outside the list.
  const Previsione* forecastAt(int row) const;
  int smallestFreeNumero() const;
  void setCoveredCount(int covered, int numPresenze);

  std::vector<Previsione> forecasts_;
  std::array<bool, kMaxNumeroPrevisione + 1> previsioniUsate_{};
  std::optional<int> lblT_;
  std::optional<int> lblS_;
  bool lblTGreen_ = false;
  EsitiTable esitiPrevisione_{};
  std::vector<int> esitiPerColpo_ = std::vector<int>(kColpiRiepilogo + 1, 0);
};

}  // namespace quintello
