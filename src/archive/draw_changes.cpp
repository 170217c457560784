#include "archive/draw_changes.h"

#include "core/dates.h"
#include "core/error.h"

namespace quintello {

namespace {

// Runs one change of the draw table; a database failure becomes the outcome's
// failure text.
template <class Change>
DrawChange attempt(Change&& change) {
  try {
    return change();
  } catch (const Error& error) {
    return {false, std::nullopt, error.what()};
  }
}

}  // namespace

Question saveQuestion(const CalendarDate& date) {
  return {"Confermi il salvataggio dell'estrazione del " + dateText(date) + " ?",
          "Salvataggio estrazione"};
}

Question modifyQuestion(std::string_view shownDate) {
  return {"Confermi la modifica dell'estrazione del " + std::string(shownDate) +
              " ?  La modifica è relativa agli estratti e viene mantenuta la "
              "stessa data.",
          "Salvataggio estrazione"};
}

Question deleteQuestion(std::string_view shownDate) {
  return {"Attenzione: sarà eliminata l'estrazione del " + std::string(shownDate) + ".  Confermi ?",
          "Eliminazione record"};
}

DrawChange salvaEstrazione(ArchiveDatabase& db, const EntryBoxes& boxes, const CalendarDate& date) {
  if (std::string problem = entryProblem(boxes); !problem.empty()) return {false, {}, problem};
  return attempt([&]() -> DrawChange {
    const auto iso = isoDate(date);
    if (!iso) return {false, std::nullopt, "La data " + dateText(date) + " non esiste."};
    if (!db.insertDraw(recordToWrite(boxes, *iso))) return {false, kDateAlreadyStored, {}};
    return {true, kDrawSaved, {}};
  });
}

DrawChange modificaEstrazione(ArchiveDatabase& db, const EntryBoxes& boxes,
                              std::string_view shownDate) {
  if (std::string problem = entryProblem(boxes); !problem.empty()) return {false, {}, problem};
  return attempt([&]() -> DrawChange {
    const auto iso = isoFromDateText(shownDate);
    if (!iso || !db.updateDraw(recordToWrite(boxes, *iso))) return {false, kDrawNotFound, {}};
    return {true, kDrawModified, {}};
  });
}

DrawChange eliminaEstrazione(ArchiveDatabase& db, std::string_view shownDate) {
  return attempt([&]() -> DrawChange {
    const auto iso = isoFromDateText(shownDate);
    if (!iso || !db.deleteDraw(*iso)) return {};
    return {true, kDrawDeleted, {}};
  });
}

}  // namespace quintello
