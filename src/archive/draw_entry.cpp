#include "archive/draw_entry.h"

#include "core/text_number.h"

namespace quintello {

namespace {

constexpr std::string_view kPassingText = "99";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Characters as the user sees them: the box's text arrives as UTF-8, and an accented letter
// is one character, not two.
size_t characterCount(std::string_view text) {
  size_t count = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

}  // namespace

std::string_view entryRowLabel(int wheel) {
  if (wheel < 0 || wheel >= kWheelCount) return {};
  return wheel == kWheelCount - 1 ? "NAZ" : SiglaRuota[static_cast<size_t>(wheel)];
}

std::string filterBoxText(std::string_view text) {
  if (text == kPassingText) return std::string(text);
  if (leadingNumber(text) > kHighestNumber) return {};
  const size_t length = characterCount(text);
  if (length == 1 && !isDigit(text[0])) return {};
  if (length == 2 && !isDigit(text.back())) return {};
  return std::string(text);
}

std::string boxTextOnLeave(std::string_view text) {
  if (text.size() == 1 && isDigit(text[0])) return "0" + std::string(text);
  return std::string(text);
}

int nextEntryBox(int box, EntryKey key) {
  if (!isEntryBox(box)) return box;
  const bool rowEnd = box % kPositions == 0;
  const bool rowStart = box % kPositions == 1;
  switch (key) {
    case EntryKey::Enter:
      return box == kEntryBoxCount ? 1 : box + 1;
    case EntryKey::Right:
      return rowEnd ? box - (kPositions - 1) : box + 1;
    case EntryKey::Left:
      return rowStart ? box + (kPositions - 1) : box - 1;
    case EntryKey::Up:
      return box <= kPositions ? box + kEntryBoxCount - kPositions : box - kPositions;
    case EntryKey::Down:
      return box > kEntryBoxCount - kPositions ? box - (kEntryBoxCount - kPositions)
                                               : box + kPositions;
    case EntryKey::Other:
      break;
  }
  return box;
}

KeyOutcome filterBoxKey(int box, std::string_view text, EntryKey key) {
  KeyOutcome outcome{false, std::string(text), box};
  if (!isEntryBox(box) || key == EntryKey::Other) return outcome;
  outcome.swallowed = true;
  const size_t length = characterCount(text);
  if (key == EntryKey::Enter) {
    if (leadingNumber(text) == 0) {
      outcome.text.clear();
      return outcome;
    }
    outcome.focusBox = nextEntryBox(box, key);
    if (length == 1) outcome.text.insert(0, "0");
    return outcome;
  }
  if (length != 0 && length != 2) {  // an arrow
    outcome.text.clear();
    return outcome;
  }
  outcome.focusBox = nextEntryBox(box, key);
  return outcome;
}

}  // namespace quintello
