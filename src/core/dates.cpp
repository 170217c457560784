#include "core/dates.h"

#include <chrono>
#include <ctime>

namespace quintello {

namespace {

bool digitsAt(std::string_view text, std::initializer_list<size_t> positions) {
  for (size_t p : positions)
    if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
  return true;
}

int numberAt(std::string_view text, size_t from, size_t length) {
  int value = 0;
  for (size_t i = from; i < from + length; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool isCalendarDate(int year, int month, int day) {
  return std::chrono::year_month_day{std::chrono::year(year), std::chrono::month(unsigned(month)),
                                     std::chrono::day(unsigned(day))}
      .ok();
}

bool isTimeOfDay(std::string_view rest) {
  if (rest.empty()) return true;
  if (rest.front() != ' ' && rest.front() != 'T') return false;
  rest.remove_prefix(1);
  return rest.size() <= 15 && rest.find_first_not_of("0123456789:.") == std::string_view::npos;
}

}  // namespace

std::optional<std::string> dateTextFromStored(std::string_view stored) {
  if (stored.size() < 10 || stored[4] != '-' || stored[7] != '-' ||
      !digitsAt(stored, {0, 1, 2, 3, 5, 6, 8, 9}) || !isTimeOfDay(stored.substr(10)) ||
      !isCalendarDate(numberAt(stored, 0, 4), numberAt(stored, 5, 2), numberAt(stored, 8, 2)))
    return std::nullopt;
  return dateTextFromIso(stored.substr(0, 10));
}

std::string dateTextFromIso(std::string_view stored) {
  const bool iso = stored.size() >= 10 && stored[4] == '-' && stored[7] == '-' &&
                   digitsAt(stored, {0, 1, 2, 3, 5, 6, 8, 9});
  if (!iso) return std::string(stored);
  std::string text;
  text.reserve(10);
  text.append(stored.substr(8, 2)).append("/").append(stored.substr(5, 2)).append("/");
  text.append(stored.substr(0, 4));
  return text;
}

std::optional<std::string> isoFromDateText(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/' ||
      !digitsAt(text, {0, 1, 3, 4, 6, 7, 8, 9}))
    return std::nullopt;
  if (!isCalendarDate(numberAt(text, 6, 4), numberAt(text, 3, 2), numberAt(text, 0, 2)))
    return std::nullopt;
  std::string iso;
  iso.append(text.substr(6, 4)).append("-").append(text.substr(3, 2)).append("-");
  iso.append(text.substr(0, 2));
  return iso;
}

bool isAfterToday(std::string_view isoDate) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char today[16];
  std::strftime(today, sizeof today, "%Y-%m-%d", &local);
  return isoDate > std::string_view(today);
}

}  // namespace quintello
