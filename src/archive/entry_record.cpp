#include "archive/entry_record.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "core/dates.h"
#include "core/error.h"
#include "core/number_format.h"
#include "core/one_line_text.h"
#include "core/wheels.h"

namespace quintello {

namespace {

constexpr int kPasteSlotMax = std::numeric_limits<std::int16_t>::max();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string twoDigits(long long value) { return formatZeroPadded(value, 2); }

}  // namespace

const std::string& EntryBoxes::text(int box) const {
  static const std::string none;
  return isEntryBox(box) ? texts_[static_cast<size_t>(box - 1)] : none;
}

void EntryBoxes::setText(int box, std::string_view text) {
  if (isEntryBox(box)) texts_[static_cast<size_t>(box - 1)] = filterBoxText(text);
}

EntryBoxes MostraEstrazione(const DrawArchive& archive, int draw) {
  EntryBoxes boxes;
  for (int w = 0; w < kWheelCount; ++w)
    for (int p = 1; p <= kPositions; ++p)
      boxes.setText(entryBox(w, p), twoDigits(archive.number(draw, w, p)));
  return boxes;
}

PasteResult parsePastedDraw(std::string_view clipboardText) {
  std::array<int, kEntryBoxCount> slots{};
  int count = 0;
  long long value = 0;
  bool inNumber = false;
  // The text ends as if followed by a blank, which closes a number standing at the very end.
  for (size_t i = 0; i <= clipboardText.size(); ++i) {
    const char c = i < clipboardText.size() ? clipboardText[i] : ' ';
    if (isDigit(c)) {
      inNumber = true;
      value = value * 10 + (c - '0');
      if (value > kPasteSlotMax) return {std::nullopt, kPasteRefused};
      continue;
    }
    if (!inNumber) continue;
    if (count == kEntryBoxCount) return {std::nullopt, kPasteRefused};
    slots[static_cast<size_t>(count++)] = static_cast<int>(value);
    value = 0;
    inNumber = false;
  }
  EntryBoxes boxes;
  for (int box = 1; box <= kEntryBoxCount; ++box)
    boxes.setText(box, twoDigits(slots[static_cast<size_t>(box - 1)]));
  return {boxes, std::nullopt};
}

std::string storedWheelText(const EntryBoxes& boxes, int wheel) {
  std::string text;
  for (int p = 1; p <= kPositions; ++p) {
    if (p > 1) text += '-';
    text += boxes.text(entryBox(wheel, p));
  }
  return text;
}

namespace {

// The number a box holds: 0 for an empty box ("", "0", "00"), -1 for anything but one or two
// digits.
int boxNumber(std::string_view text) {
  if (text.empty()) return 0;
  if (text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit)) return -1;
  return std::stoi(std::string(text));
}

std::string wheelProblem(const EntryBoxes& boxes, int wheel) {
  const std::string name(kWheelNames[static_cast<size_t>(wheel)]);
  std::vector<int> numbers;
  for (int p = 1; p <= kPositions; ++p) {
    const std::string& text = boxes.text(entryBox(wheel, p));
    const int number = boxNumber(text);
    if (number == 0) continue;
    if (!isLottoNumber(number))
      return "Il numero \"" + shortOneLineText(text) + "\" di " + name + " non è tra 1 e 90.";
    if (std::find(numbers.begin(), numbers.end(), number) != numbers.end())
      return "Il numero " + std::to_string(number) + " compare due volte su " + name + ".";
    numbers.push_back(number);
  }
  if (!numbers.empty() && numbers.size() < kPositions)
    return "La ruota di " + name + " ha " + std::to_string(numbers.size()) +
           " numeri su 5: completarla o svuotarla. Nulla è stato salvato.";
  return {};
}

}  // namespace

std::string entryProblem(const EntryBoxes& boxes) {
  for (int w = 0; w < kWheelCount; ++w)
    if (std::string problem = wheelProblem(boxes, w); !problem.empty()) return problem;
  return {};
}

StoredDraw recordToWrite(const EntryBoxes& boxes, std::string isoDate) {
  StoredDraw draw{std::move(isoDate), {}};
  for (int w = 0; w < kWheelCount; ++w)
    draw.wheels[static_cast<size_t>(w)] = storedWheelText(boxes, w);
  return draw;
}

std::string dateText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
  return text;
}

std::optional<std::string> isoDate(const CalendarDate& date) {
  if (date.year < 1 || date.year > 9999) return std::nullopt;
  return isoFromDateText(dateText(date));
}

std::optional<CalendarDate> calendarDate(std::string_view text) {
  const auto iso = isoFromDateText(text);
  if (!iso) return std::nullopt;
  const auto number = [&](size_t from, size_t length) {
    return std::stoi(iso->substr(from, length));
  };
  return CalendarDate{number(0, 4), number(5, 2), number(8, 2)};
}

std::optional<StoredDraw> findStoredDraw(ArchiveDatabase& db, std::string_view isoDate) {
  try {
    auto seek = db.database().prepare(
        "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz "
        "FROM EstrazioniLotto WHERE DataEstrazione = ?");
    seek.bind(1, isoDate);
    if (!seek.step()) return std::nullopt;
    StoredDraw draw{std::string(seek.text(0)), {}};
    for (int w = 0; w < kWheelCount; ++w)
      draw.wheels[static_cast<size_t>(w)] = std::string(seek.text(w + 1));
    return draw;
  } catch (const sqlite::Failure& failure) {
    throw Error("Impossibile leggere l'archivio \"" + db.path() + "\": " + failure.what());
  }
}

}  // namespace quintello
