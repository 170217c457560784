#pragma once

#include <string>
#include <string_view>

#include "core/color.h"
#include "core/wheels.h"

namespace quintello {

// The 55 entry boxes txtin(1..55) of the archive window: eleven rows (wheels BA..NZ) of five
// boxes (positions 1..5), box = 5 x wheel + position. The window forwards every change of a
// box's text, every key press and every focus change here and applies the answer; the rules
// keep no state of their own.

inline constexpr int kEntryBoxCount = kWheelCount * kPositions;
// A box holds two characters at most ("01".."90", "00" = no number): a longer text would
// shift every later number of its wheel in the stored form.
inline constexpr int kEntryBoxMaxLength = 2;

inline constexpr Color kFocusedBoxColor = kYellow;
inline constexpr Color kBoxColor = kWhite;

constexpr int entryBox(int wheel, int position) { return kPositions * wheel + position; }
constexpr int entryBoxWheel(int box) { return (box - 1) / kPositions; }
constexpr int entryBoxPosition(int box) { return (box - 1) % kPositions + 1; }
constexpr bool isEntryBox(int box) { return box >= 1 && box <= kEntryBoxCount; }

// The caption of a row of boxes: "BA".."VE" (label_r(1..10)), "NAZ" (Label11) for the
// Nazionale.
std::string_view entryRowLabel(int wheel);

// The change filter, run on every change of a box's text (typing, pasting, or code): returns
// the text the box keeps. "99" passes; a value above 90 is emptied; one character that is not
// a digit, or two characters whose last is not a digit, are emptied. Applying it to its own
// result changes nothing, so the window may run it again when it writes the answer back.
std::string filterBoxText(std::string_view text);

// The text a box gets when it loses the focus: a single digit gets a leading zero ("7" ->
// "07"); anything else, the empty box included, stays as it is.
std::string boxTextOnLeave(std::string_view text);

// Background of a box with and without the focus.
constexpr Color boxColor(bool focused) { return focused ? kFocusedBoxColor : kBoxColor; }

// The keys the key filter acts on; every other key is left to the box.
enum class EntryKey { Enter, Left, Right, Up, Down, Other };

struct KeyOutcome {
  bool swallowed = false;  // the box must not see the key
  std::string text;        // the text of the box the key was pressed in, afterwards
  int focusBox = 0;        // the box holding the focus afterwards (the same box when it stays)
};

// The key filter for a key pressed in box `box` (1..55) holding `text`.
//  Enter: a text of value 0 (empty, "0", "00", no leading digits) is emptied and the focus
//         stays; otherwise the focus moves to the next box (55 -> 1) and a one-character text
//         gets a leading "0".
//  Arrows: a text that is neither empty nor two characters long is emptied and the focus
//         stays; otherwise the focus moves, wrapping inside the row (Left, Right) or the
//         column (Up, Down).
KeyOutcome filterBoxKey(int box, std::string_view text, EntryKey key);

// The box an arrow or Enter moves to from `box`, wrapping as the key filter does.
int nextEntryBox(int box, EntryKey key);

}  // namespace quintello
