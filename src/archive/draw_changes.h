#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/entry_record.h"
#include "archive/notice.h"
#include "core/archive_database.h"

namespace quintello {

// "SALVA ESTRAZIONE", "MODIFICA ESTRAZIONE" and "ELIMINA ESTRAZIONE": the question each asks,
// the change it makes to the draw table and the message it ends with. Each change is one
// transaction, so a failure leaves the file as it was; the caller reloads the in-memory
// archive when, and only when, the table changed.

// A Yes/No question before a change.
struct Question {
  std::string text;
  std::string_view title;
};

inline constexpr std::string_view kProgramTitle = "Quintello";
inline constexpr std::string_view kAnomalyTitle = "Anomalia archivio";

inline constexpr Notice kDrawSaved{"Dati salvati correttamente. Ricarico archivio.",
                                   "Salvataggio estrazione", Notice::Icon::Information};
inline constexpr Notice kDateAlreadyStored{
    "Attenzione probabilmente hai inserito una data già memorizzata...", kAnomalyTitle,
    Notice::Icon::Critical};
inline constexpr Notice kDrawModified{"Modifica effettuata. Ricarico archivio.",
                                      "Salvataggio estrazione", Notice::Icon::Information};
inline constexpr Notice kDrawNotFound{"Elemento non trovato. Possibile anomalia", kProgramTitle,
                                      Notice::Icon::None};
inline constexpr Notice kDrawDeleted{"Estrazione cancellata. L'archivio verrà ricaricato.",
                                     "Sistemazione Archivio estrazioni", Notice::Icon::Information};

// "Confermi il salvataggio dell'estrazione del GG/MM/AAAA ?"
Question saveQuestion(const CalendarDate& date);
// The shown draw's date text (LBLESTRAZIONE) is the key of a modification and a deletion.
Question modifyQuestion(std::string_view shownDate);
Question deleteQuestion(std::string_view shownDate);

// What a change did.
struct DrawChange {
  bool changed = false;          // the draw table changed: reload the archive
  std::optional<Notice> notice;  // the message to show, if any
  std::string failure;  // a database failure, in Italian (shown under kAnomalyTitle); else empty
};

// Boxes that cannot be stored (entryProblem) are refused by both, naming the wheel as a
// failure; nothing is written.
//
// A new draw under the calendar's date, the boxes as they stand. A date already stored is
// refused by the table's key: nothing is written and kDateAlreadyStored is shown.
DrawChange salvaEstrazione(ArchiveDatabase& db, const EntryBoxes& boxes, const CalendarDate& date);
// New numbers for the draw stored under the shown date, which stays as it is.
DrawChange modificaEstrazione(ArchiveDatabase& db, const EntryBoxes& boxes,
                              std::string_view shownDate);
// Removes the draw stored under the shown date; a date not stored changes nothing and shows
// nothing.
DrawChange eliminaEstrazione(ArchiveDatabase& db, std::string_view shownDate);

}  // namespace quintello
