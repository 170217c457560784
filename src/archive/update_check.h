#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"
#include "core/grid.h"
#include "core/progress.h"

namespace quintello {

// The texts of the "Aggiornamenti" tab's messages and of its list of findings.
namespace update_text {
inline constexpr std::string_view kManca = "Manca estrazione del: ";
inline constexpr std::string_view kErrori = "Errori Estrazione del ";
inline constexpr std::string_view kIncompleta = "Estrazione incompleta del ";
inline constexpr std::string_view kNessunaAnomalia = "Nessuna anomalia rilevata";
inline constexpr std::string_view kAggiunta = "Aggiunta estrazione del";
inline constexpr std::string_view kModificata = "Modificata estrazione del";
inline constexpr std::string_view kAggiunti = "aggiunti N° ";  // + count + " record"
inline constexpr std::string_view kFormatoNonCorretto =
    "Attenzione, sembra che il file non sia del formato corretto";
inline constexpr std::string_view kNonCiSono = "Non ci sono estrazioni da aggiornare.";
inline constexpr std::string_view kDatiSalvati = "Dati salvati correttamente.";
inline constexpr std::string_view kTitoloAvviso = "Avviso";
inline constexpr std::string_view kTitoloAggiornamento = "Aggiornamento archivio";
// NomeFase: the step in progress, named by the failure message.
inline constexpr std::string_view kFaseCollegamento = "Collegamento al sito";
inline constexpr std::string_view kFaseElenco = "Elenco nuove estrazioni";
inline constexpr std::string_view kFaseControllo = "Controllo estrazioni mancanti";
inline constexpr std::string_view kQualcosaStorto =
    "Attenzione qualcosa è andato strorto nella procedura ";
inline constexpr std::string_view kFgImportaHeader =
    "|Data    estraz   |Bari|Cagliari|Firenze|Genova|Milano|Napoli|Palermo|Roma|Torino|Venezia|"
    "Nazionale";
}  // namespace update_text

// A read or a check that went wrong. what() is the tab's failure message for the step in
// progress ("Attenzione qualcosa è andato strorto nella procedura " + NomeFase), shown with
// the critical icon and the title "Avviso"; detail() says what happened, for a second line.
class UpdateFailure : public Error {
 public:
  UpdateFailure(std::string_view phase, std::string detail);
  const std::string& phase() const { return phase_; }
  const std::string& detail() const { return detail_; }

 private:
  std::string phase_, detail_;
};

// One line of the file: a row of FgImporta and, after the check, what it found.
struct UpdateRow {
  enum class Finding {
    Unchecked,
    Invalid,  // the line cannot be a draw (see problem); never written
    Missing,  // the date is not stored: a draw to import (date on orange)
    Wrong,    // the date is stored and at least one wheel differs (date red and bold)
    Equal,    // the date is stored with the same eleven wheels
    // A date of the official archive that is not a whole draw: a single wheel, or after the
    // last stored draw with fewer wheels than it. Listed, never written.
    Incomplete,
  };
  size_t lineNumber = 0;  // 1 = first line of the file
  UpdateLine line;        // the grid's columns 1..12, as they stand in the file
  std::string isoDate;    // the date as stored; empty for an invalid line
  std::string problem;    // why the line cannot be a draw; empty for a usable line
  Finding finding = Finding::Unchecked;
  // From the official archive: a wheel the file lacks on a date is unknown, not empty.
  bool official = false;
  std::array<bool, kWheelCount> agrees{};  // wheel equals the stored wheel (green)
};

enum class FirstLine {
  Check,  // "AGGIORNA DA FILE": the first line must be 178 characters ending in "pr"
  Skip,   // "CONTROLLO AGGIORNAMENTI": the downloaded file is taken as it is
};

// "CONTROLLO AGGIORNAMENTI" keeps the downloaded text in the program folder under this name.
inline constexpr std::string_view kDownloadedUpdateFile = "Estr_Agg.txt";
// Writes the downloaded text followed by CR LF, replacing the previous copy only when the new
// one is complete. Throws UpdateFailure (step kFaseCollegamento) when the text is larger than
// kUpdateFileMaxBytes or the file cannot be written. Then readDrawFile(path, FirstLine::Skip).
void saveDownloadedUpdateFile(const std::string& path, std::string_view body);

// The rows of an update file's text, dropping empty lines (and lines of blanks). Each line is
// validated: a calendar date "GG/MM/AAAA" in columns 1..10, every wheel group either blank
// (no draw on that wheel) or five numbers 01..90, at least one wheel with numbers, no comma
// or double quote, and all ten classic wheel groups present (a line cut short could otherwise
// wipe stored wheels). A line that fails is kept as an invalid row, never written.
// Throws Error when the text holds more than kMaxUpdateRows lines.
std::vector<UpdateRow> updateRowsFromText(std::string_view text);
// The same from lines already in memory (line numbers from 1).
std::vector<UpdateRow> updateRowsFromLines(const std::vector<std::string>& lines);
// Rows for draws that come from elsewhere (the official historical archive), in their order.
std::vector<UpdateRow> updateRowsFromDraws(const std::vector<StoredDraw>& draws);

// The draw a usable row stands for, as it is stored: its ISO date and its wheel groups, a
// blank group (no draw on that wheel) as the empty text.
StoredDraw storedDrawOfRow(const UpdateRow& row);

// The result of the check: the rows with their findings and the list of messages List4.
struct UpdateCheck {
  std::vector<UpdateRow> rows;        // FgImporta's rows 1.., file order
  std::vector<std::string> messages;  // List4, in the order produced (last line first)
  int errorCount = 0;
  // False when there were no rows: nothing was checked and List4 keeps what it showed.
  bool ran() const { return !rows.empty(); }
  // Lines that cannot be draws: while there is any, nothing is applied.
  size_t invalidCount() const;
};

// Looks every row up among the stored draws, last line first, reporting progress (maximum
// rows, one step per row). A wheel agrees when its text equals the stored text, or when both
// mean "no draw on that wheel": a blank group in the file and an empty stored field (or one
// of blanks and hyphens, as an empty entry is stored). Every draw before the Nazionale wheel
// existed would otherwise count as wrong. Throws UpdateFailure on a database failure.
UpdateCheck checkUpdateRows(std::vector<UpdateRow> rows, StoredDrawLookup& stored,
                            Progress& progress);
// The same against the archive file, read as one consistent state.
UpdateCheck checkUpdateRows(std::vector<UpdateRow> rows, ArchiveDatabase& db, Progress& progress);

// FgImporta: the header, one row per line (column 1 the date, columns 2..12 the wheel
// groups) and the check's colours: ArancioMedio behind a date to import; a red bold date for
// a stored draw that differs; VerdeMedio behind each wheel that agrees.
Grid importGrid(const UpdateCheck& check);

// The result of "AGGIORNAMENTO".
struct ApplyResult {
  bool nothingToApply = false;        // no rows: show kNonCiSono, select the first tab, no reload
  std::vector<std::string> messages;  // List4
  std::vector<std::string> added;     // dates (GG/MM/AAAA) stored as new draws
  std::vector<std::string> modified;  // dates whose wheels were rewritten
  // Set when nothing was stored: the file holds invalid lines, or the archive refused the
  // write (an Italian message saying why).
  std::optional<std::string> failure;
};

// "AGGIORNAMENTO": stores the draws to import and, with correct ("Corregge estrazioni
// errate"), rewrites the wrong ones, first line first, all in one transaction: the archive
// takes the whole update or, on any failure, nothing. A check with invalid lines is refused
// whole. A date is looked up again before it is written, so a draw stored since the check is
// left alone; a wheel the official archive lacks keeps what is stored. Progress: maximum rows, one
// step per row. Afterwards the caller reloads the archive (CaricaArchivioExNovo) and empties
// FgImporta, unless nothingToApply.
ApplyResult applyUpdate(const UpdateCheck& check, ArchiveDatabase& db, bool correct,
                        Progress& progress);

// The information box after an apply (title kTitoloAggiornamento), if any: kNonCiSono when
// there was nothing to apply, kDatiSalvati when draws were added and nothing failed. A
// failure is shown instead with the critical icon.
std::optional<std::string_view> applyNotice(const ApplyResult& result);

// Stored draws held in memory, for checking against a draws file rather than an archive.
class StoredDrawList final : public StoredDrawLookup {
 public:
  explicit StoredDrawList(std::vector<StoredDraw> draws);  // any order; a date once
  std::optional<StoredDraw> find(std::string_view isoDate) override;
  std::optional<StoredDraw> last() override;

 private:
  std::vector<StoredDraw> draws_;  // by date
};

}  // namespace quintello
