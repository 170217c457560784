#include "archive/calendar.h"

#include <algorithm>
#include <iterator>

#include "archive/entry_record.h"
#include "core/number_format.h"
#include "core/text_number.h"

namespace quintello {

namespace {

bool isCalendarDay(const CalendarDay& day) {
  return day.month >= 1 && day.month <= 12 && day.day >= 1 && day.day <= 31 && day.weekday >= 1 &&
         day.weekday <= 7;
}

std::optional<int> drawYear(const DrawArchive& archive, int draw) {
  const auto date = calendarDate(archive.dateText(draw));
  if (!date) return std::nullopt;
  return date->year;
}

// Each distinct value of `field` over the days, ascending.
template <class Field>
std::vector<int> distinct(const std::vector<CalendarDay>& days, Field field) {
  std::vector<int> values;
  for (const auto& day : days) values.push_back(field(day));
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

int indexOf(const std::vector<int>& values, int value) {
  return static_cast<int>(std::lower_bound(values.begin(), values.end(), value) - values.begin());
}

void formatCalendar(Grid& grid) {
  const int lastRow = grid.rows() - 1;
  for (int c = kCalendarFirstDayColumn; c < grid.cols(); ++c)
    grid.setColumnWidth(c, kCalendarDayWidth);
  if (lastRow >= 1) {
    grid.setBold({1, kCalendarYearColumn, lastRow, kCalendarMonthColumn}, true);
    grid.setBackColor({1, kCalendarYearColumn, lastRow, kCalendarYearColumn}, GialloChiaro);
    grid.setBackColor({1, kCalendarMonthColumn, lastRow, kCalendarMonthColumn}, VerdeChiaro);
  }
  grid.setAllAlignments(Alignment::Center);
}

std::optional<CalendarCell> latestDrawCell(const Grid& grid) {
  const int lastRow = grid.rows() - 1;
  if (lastRow < 1) return std::nullopt;
  for (int c = grid.cols() - 1; c >= kCalendarFirstDayColumn; --c)
    if (!grid.text(lastRow, c).empty()) return CalendarCell{lastRow, c};
  return std::nullopt;
}

}  // namespace

std::vector<std::string> Combo1Years(const DrawArchive& archive, int currentYear) {
  int first = kFirstCalendarYear;
  int last = currentYear;
  if (archive.count() > 0) {
    first = std::min(first, drawYear(archive, 1).value_or(first));
    last = std::max(last, drawYear(archive, archive.count()).value_or(last));
  }
  std::vector<std::string> years;
  for (int year = first; year <= last; ++year) years.push_back(std::to_string(year));
  return years;
}

std::vector<CalendarDay> calendarDays(ArchiveDatabase& db, int year) {
  db.ensureCalendarView();
  auto query = db.database().prepare(
      "SELECT M, G, CAST(strftime('%w', DataEstrazione) AS INTEGER) + 1 FROM Query_AAMMGG "
      "WHERE A = ? ORDER BY M, G");
  query.bind(1, year);
  std::vector<CalendarDay> days;
  while (query.step()) {
    const CalendarDay day{query.integer(0), query.integer(1), query.integer(2)};
    if (isCalendarDay(day)) days.push_back(day);
  }
  return days;
}

Calendario calendarGrid(int year, std::span<const CalendarDay> allDays, bool letters) {
  std::vector<CalendarDay> days;
  std::copy_if(allDays.begin(), allDays.end(), std::back_inserter(days), isCalendarDay);
  const auto months = distinct(days, [](const CalendarDay& d) { return d.month; });
  const auto dayNumbers = distinct(days, [](const CalendarDay& d) { return d.day; });
  Grid grid(static_cast<int>(months.size()) + 1,
            kCalendarFirstDayColumn + static_cast<int>(dayNumbers.size()), 1, 1);
  grid.setText(0, kCalendarYearColumn, "A");
  grid.setText(0, kCalendarMonthColumn, "M");
  for (size_t j = 0; j < dayNumbers.size(); ++j)
    grid.setText(0, kCalendarFirstDayColumn + static_cast<int>(j), std::to_string(dayNumbers[j]));
  for (size_t i = 0; i < months.size(); ++i) {
    grid.setText(static_cast<int>(i) + 1, kCalendarYearColumn, std::to_string(year));
    grid.setText(static_cast<int>(i) + 1, kCalendarMonthColumn, std::to_string(months[i]));
  }
  for (const auto& day : days) {
    const auto weekday = static_cast<size_t>(day.weekday);
    grid.setText(indexOf(months, day.month) + 1,
                 kCalendarFirstDayColumn + indexOf(dayNumbers, day.day),
                 letters ? std::string(kWeekdayLetters[weekday]) : std::to_string(day.weekday));
  }
  formatCalendar(grid);
  const auto current = latestDrawCell(grid);
  return {std::move(grid), current};
}

std::optional<Calendario> caricaCalendario(ArchiveDatabase& db, std::string_view yearText,
                                           bool letters) {
  const int year = leadingInteger(yearText);
  try {
    const auto days = calendarDays(db, year);
    return calendarGrid(year, days, letters);
  } catch (const sqlite::Failure&) {
    return std::nullopt;
  }
}

std::optional<CalendarPick> calendarClick(const Grid& Fg1, int row, int col,
                                          const DrawArchive& archive) {
  if (row < 1 || row >= Fg1.rows() || col < kCalendarFirstDayColumn || col >= Fg1.cols())
    return std::nullopt;
  const auto day = static_cast<long long>(Fg1.value(0, col));
  const auto month = static_cast<long long>(Fg1.value(row, kCalendarMonthColumn));
  const std::string date = formatZeroPadded(day, 2) + "/" + formatZeroPadded(month, 2) + "/" +
                           Fg1.text(row, kCalendarYearColumn);
  for (int draw = archive.count(); draw >= 1; --draw)
    if (archive.dateText(draw) == date) return CalendarPick{draw, date};
  return std::nullopt;
}

}  // namespace quintello
