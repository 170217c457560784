#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_database.h"
#include "core/draw_archive.h"
#include "core/grid.h"

namespace quintello {

// The year calendar of the archive window's first tab: one row per month of the chosen year
// that has draws, one column per day of the month on which that year has a draw, and in each
// cell the weekday of the draw on that date.

inline constexpr int kFirstCalendarYear = 1939;
inline constexpr int kCalendarDayWidth = 260;  // twips, columns 3..last
inline constexpr int kCalendarYearColumn = 1;
inline constexpr int kCalendarMonthColumn = 2;
inline constexpr int kCalendarFirstDayColumn = 3;

inline constexpr std::string_view kCheck2Caption = "Sigla giorno settimana";
inline constexpr std::string_view Label16 =
    "1=(D) Domenica  2=(L) Lunedì   3=(M) Martedì  4=(m) Mercoledì  5=(G) Giovedì  "
    "6=(V) Venerdì  7=(S) Sabato";
// The letter of weekday 1 (Sunday) .. 7 (Saturday); [0] is unused.
inline constexpr std::array<std::string_view, 8> kWeekdayLetters = {"",  "D", "L", "M",
                                                                    "m", "G", "V", "S"};

// Combo1: the years 1939 .. the current year as text, ascending; the window selects the last
// one. An archive reaching further back (the bundled one starts in 1871) or past the current
// year widens the list so that every draw can be reached.
std::vector<std::string> Combo1Years(const DrawArchive& archive, int currentYear);

// One draw day of a year: month 1..12, day 1..31, weekday 1 = Sunday .. 7 = Saturday.
struct CalendarDay {
  int month = 0;
  int day = 0;
  int weekday = 0;
  friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

// The draw days of `year` from the archive's view Query_AAMMGG, in month and day order.
// Throws sqlite::Failure when the query fails (a file without the view).
std::vector<CalendarDay> calendarDays(ArchiveDatabase& db, int year);

struct CalendarCell {
  int row = 0;
  int col = 0;
  friend bool operator==(const CalendarCell&, const CalendarCell&) = default;
};

// The calendar grid Fg1 and its current cell.
struct Calendario {
  Grid Fg1;
  std::optional<CalendarCell> current;  // the year's latest draw; nothing for a year without
};

// Fg1 for the days of one year: header row ("", "A", "M", then the day numbers), a blank
// fixed column 0, column 1 the year and column 2 the month (bold, light yellow and light green
// backgrounds), the weekday numbers, or their letters when `letters`, in the day columns
// (260 twips wide). Every column centred. The current cell is the last non-empty cell of the
// last row. A day that is no calendar day (a damaged stored date) is left out.
Calendario calendarGrid(int year, std::span<const CalendarDay> days, bool letters);

// "Carica calendario" for the year shown in Combo1 (its numeric value); nothing when the
// query fails, and the window keeps the calendar it shows.
std::optional<Calendario> caricaCalendario(ArchiveDatabase& db, std::string_view yearText,
                                           bool letters);

// A click on a cell of Fg1: the draw of that day, searched from the latest draw back, and its
// date text for the calendar MonthView1 and Text1. Nothing for a day without a draw, the
// header, the year and month columns.
struct CalendarPick {
  int draw = 0;
  std::string dateText;
  friend bool operator==(const CalendarPick&, const CalendarPick&) = default;
};
std::optional<CalendarPick> calendarClick(const Grid& Fg1, int row, int col,
                                          const DrawArchive& archive);

}  // namespace quintello
