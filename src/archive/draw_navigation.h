#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/notice.h"
#include "core/color.h"
#include "core/draw_archive.h"
#include "core/grid.h"

namespace quintello {

// What the archive window shows around the entry boxes, which draw its searches bring in,
// and its "Elenco estrazioni" list.

// --- Labels ---

// The labels of the shown draw (a scroll change): its date (the key of MODIFICA and ELIMINA),
// its index, and its month and year ordinals ("Mensile", "Annuale").
struct ShownDrawLabels {
  std::string LBLESTRAZIONE;
  std::string pAN_DC;
  std::string LabelPM;
  std::string LabelPA;
  friend bool operator==(const ShownDrawLabels&, const ShownDrawLabels&) = default;
};
ShownDrawLabels shownDrawLabels(const DrawArchive& archive, int draw);

// AggiornaEtichette, after every change to the archive: the draw count ("Num estraz"), the
// date of the latest draw ("Dati aggiornati al") and the scroll bar HScrestrazione, which
// shows the latest draw. Its minimum is 1, so index 0, which holds no draw, is out of reach
// (0 only while the archive is empty).
struct ArchiveLabels {
  std::string Label2;
  std::string LBLAGGIORNATO;
  int scrollMinimum = 0;
  int scrollMaximum = 0;
  int scrollValue = 0;
  friend bool operator==(const ArchiveLabels&, const ArchiveLabels&) = default;
};
ArchiveLabels AggiornaEtichette(const DrawArchive& archive);

// --- Choosing a draw by its index (a click on pAN_DC) ---

inline constexpr InputRequest kIndexInput{"Digitare il numero indice", "Indice estrazione", "3894"};
// The draw the answer names: a whole number within the scroll bar's range 1..N. Anything
// else (Cancel is an empty answer) leaves the shown draw as it is and shows nothing.
std::optional<int> indexInputDraw(std::string_view answer, const DrawArchive& archive);

// --- Searches ---

// The outcome of a search: the draw to show, or the message shown instead (none for a refused
// index).
struct SearchResult {
  std::optional<int> draw;
  std::optional<Notice> message;
};

inline constexpr InputRequest kDateSearchInput{"Data ?", "Ricerca per data GG/MM/AAAA", ""};
inline constexpr Notice kDateNotFound{"Data non trovata", "Cerca data", Notice::Icon::Information};
// "Ricerca per data": the first draw whose date text is exactly the answer ("GG/MM/AAAA",
// leading zeros included: "5/1/2023" is not found). Cancel is an empty answer.
SearchResult searchByDate(const DrawArchive& archive, std::string_view answer);

inline constexpr InputRequest kIndexSearchInput{"Inserire il n° indice dell'archivio modello.",
                                                "Scelta estrazione", ""};
inline constexpr int kIndexSearchFirst = 20;
// "Ricerca per numero indice": a whole number from 20 to N names that draw; anything else is
// refused without a message.
SearchResult searchByIndex(const DrawArchive& archive, std::string_view answer);

// --- "Elenco estrazioni" ---

inline constexpr Color kFgDBCurrentRow = kYellow;

// FgDB: the header row and a blank fixed column 0, then one row per draw in index order
// (row r = draw r): column 1 the date text, columns 2..12 the wheels BA..NZ in the stored form
// ("NN-NN-NN-NN-NN", empty for a wheel without numbers).
Grid FgDBGrid(const DrawArchive& archive);
// Moving to a row: every cell white, then the row (columns 1..last) yellow.
void highlightFgDBRow(Grid& grid, int row);
// Label9: the number of draws.
std::string Label9Text(const DrawArchive& archive);

// "Selezione estrazione" on a row of FgDB: the draw to show and its date for the calendar.
struct DrawSelection {
  int draw = 0;
  std::string dateText;
};
std::optional<DrawSelection> FgDBSelection(const Grid& grid, int row);

}  // namespace quintello
