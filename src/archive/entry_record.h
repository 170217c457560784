#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "archive/draw_entry.h"
#include "archive/notice.h"
#include "core/archive_database.h"
#include "core/draw_archive.h"

namespace quintello {

// The texts of the 55 entry boxes, addressed by box 1..55. Every write goes through the
// change filter, as a write to the real box does. A new set is all empty ("AZZERA GRID ").
class EntryBoxes {
 public:
  const std::string& text(int box) const;  // empty outside 1..55
  void setText(int box, std::string_view text);
  friend bool operator==(const EntryBoxes&, const EntryBoxes&) = default;

 private:
  std::array<std::string, kEntryBoxCount> texts_;
};

// MostraEstrazione(draw): the boxes showing a draw of the archive, every number written with
// two digits, "00" where the wheel had no number (the Nazionale row before that wheel existed).
EntryBoxes MostraEstrazione(const DrawArchive& archive, int draw);

// --- "INCOLLA ESTRAZIONE" ---

inline constexpr Notice kPasteRefused{"Attenzione i dati di origine sono di formato incompatibile",
                                      "Avviso", Notice::Icon::Critical};

// What a paste gives: the 55 box texts, or the refusal shown instead (no box is written).
struct PasteResult {
  std::optional<EntryBoxes> boxes;
  std::optional<Notice> refusal;
};

// Reads the clipboard's text as the numbers of a draw in box order (Bari positions 1..5,
// Cagliari 1..5, ... Nazionale 1..5). Every run of digits is one number and anything else
// separates numbers, so a date in the text gives numbers too: "12/05/2023" fills three boxes,
// the third emptied at once as above 90. Boxes left without a number read "00". A 56th number
// or a number above 32767 refuses the whole paste.
PasteResult parsePastedDraw(std::string_view clipboardText);

// --- The record "SALVA ESTRAZIONE" and "MODIFICA ESTRAZIONE" write ---

// The stored text of a wheel: its five boxes joined by "-" exactly as they stand, so an empty
// row gives "----" and a one-digit box a one-character piece. Nothing is checked here.
std::string storedWheelText(const EntryBoxes& boxes, int wheel);
// Why the boxes cannot be stored, naming the wheel, or empty when they can: every wheel must
// be empty (or "00", no draw on that wheel) or hold five different numbers 1..90.
std::string entryProblem(const EntryBoxes& boxes);
// The draw to store under `isoDate` ("AAAA-MM-GG"): the calendar's date for a new draw, the
// shown draw's own date for a modification. datareg and orareg are stamped when writing.
StoredDraw recordToWrite(const EntryBoxes& boxes, std::string isoDate);

// --- Dates of the calendar MonthView1 ---

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// "GG/MM/AAAA" of a calendar date: Text1 ("Data selezionata") and the confirmation questions.
std::string dateText(const CalendarDate& date);
// "AAAA-MM-GG" as the draw table keys a draw, or nothing for a date that does not exist.
std::optional<std::string> isoDate(const CalendarDate& date);
// The calendar date of a "GG/MM/AAAA" text (LBLESTRAZIONE, a calendar cell, a draw list row),
// or nothing when the text is not a real date in that form.
std::optional<CalendarDate> calendarDate(std::string_view dateText);

// Reads back the draw stored under `isoDate`, or nothing when the table has no such row.
std::optional<StoredDraw> findStoredDraw(ArchiveDatabase& db, std::string_view isoDate);

}  // namespace quintello
