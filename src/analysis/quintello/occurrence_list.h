#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/quintello/limits.h"
#include "core/color.h"
#include "core/draw_archive.h"

namespace quintello {

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

// The per-number statistics of Statistica_Numeri (grid FgN); index 1..90, 0 unused.
struct NumberStatistics {
  std::array<int, kHighestNumber + 1> TU{};
  std::array<int, kHighestNumber + 1> ES{};
  std::array<int, kHighestNumber + 1> SC{};
  std::array<int, kHighestNumber + 1> RIT{};  // -1 = never drawn up to EstrazioneCorrente
  bool computed = false;                      // false until the first list
};

// The play windows of an occurrence list on the game wheel: what the forecasts are measured
// on and the searches count.
struct PlayWindows {
  const DrawArchive& archive;
  int wheel;  // RuotaGioco
  const std::vector<OccurrenceRow>& rows;
};

// The occurrence list of "ELENCO": the draws where the number came out on the detection
// wheel, each with its play window on the game wheel and its marks, and the statistics of the
// numbers drawn in those windows. The forecasts write the coverage and outcomes of its rows.
class OccurrenceList {
 public:
  // Searches backwards from draw `reference` for at most NumPresenze occurrences; the windows
  // end at `limit` (LimiteFine).
  void build(const DrawArchive& archive, const QuintelloInputs& inputs, int reference, int limit);
  // Statistica_Numeri: the numbers drawn on `wheel` in the windows, with delays at `reference`.
  void computeStatistics(const DrawArchive& archive, int wheel, int reference);
  void clear() { rows_.clear(); }

  std::vector<OccurrenceRow>& rows() { return rows_; }
  const std::vector<OccurrenceRow>& rows() const { return rows_; }
  const NumberStatistics& statistics() const { return stats_; }
  int ContaPresenze() const { return static_cast<int>(rows_.size()); }
  // NumPresenze as captured by the last "ELENCO".
  int NumPresenze() const { return numPresenze_; }
  // Rows found; nothing before the first list that found any.
  std::optional<int> foundCount() const { return lblNC_; }
  const std::string& spanSummary() const { return label7_; }

 private:
  void markWindows(int colpi, int limit);
  void summarizeSpan();

  int numPresenze_ = kPresenzeChoice.initial;
  std::vector<OccurrenceRow> rows_;
  NumberStatistics stats_{};
  std::optional<int> lblNC_;
  std::string label7_;
};

}  // namespace quintello
