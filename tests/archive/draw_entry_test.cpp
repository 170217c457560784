#include "archive/draw_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace quintello {
namespace {

TEST(DrawEntry, BoxesAreNumberedWheelByWheel) {
  EXPECT_EQ(entryBox(1, 1), 6);
  EXPECT_EQ(entryBox(10, 5), 55);
  for (int box = 1; box <= kEntryBoxCount; ++box)
    EXPECT_EQ(entryBox(entryBoxWheel(box), entryBoxPosition(box)), box) << box;
}

TEST(DrawEntry, ChangeFilter) {
  const struct {
    const char* text;
    const char* kept;
  } cases[] = {
      {"", ""},       {"9", "9"},   {"90", "90"}, {"91", ""},     {"95", ""},   {"99", "99"},
      {"98", ""},     {"00", "00"}, {"0", "0"},   {"a", ""},      {"-", ""},    {" ", ""},
      {"é", ""},      {"7a", ""},   {"7 ", ""},   {"a7", "a7"},   {"-5", "-5"}, {"100", ""},
      {"055", "055"}, {"999", ""},  {"99 ", ""},  {"1.5", "1.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(filterBoxText(c.text), c.kept) << '"' << c.text << '"';
    // The window writes the answer back, which runs the filter again: nothing may change.
    EXPECT_EQ(filterBoxText(filterBoxText(c.text)), c.kept) << '"' << c.text << '"';
  }
}

// Keys typed one by one into a box, each change filtered as the box does.
std::string typed(const std::string& keys) {
  std::string text;
  for (const char key : keys) text = filterBoxText(text + key);
  return text;
}

TEST(DrawEntry, TypingIntoAnEmptyBox) {
  EXPECT_EQ(typed("95"), "");
  EXPECT_EQ(typed("99"), "99");
  EXPECT_EQ(typed("90"), "90");
  EXPECT_EQ(typed("x7"), "7");    // the letter is emptied at once
  EXPECT_EQ(typed("95 7"), "7");  // the box was emptied, the blank too
  EXPECT_EQ(typed("0"), "0");
}

TEST(DrawEntry, LeavingABoxPadsOneDigit) {
  const struct {
    const char* text;
    const char* left;
  } cases[] = {{"7", "07"}, {"0", "00"}, {"", ""}, {"07", "07"}, {"99", "99"}, {"a7", "a7"}};
  for (const auto& c : cases) EXPECT_EQ(boxTextOnLeave(c.text), c.left) << c.text;
}

TEST(DrawEntry, KeyFilter) {
  using enum EntryKey;
  const struct {
    int box;
    const char* text;
    EntryKey key;
    const char* after;
    int focus;
  } cases[] = {
      // Enter: a value of 0 empties the box and keeps the focus.
      {1, "", Enter, "", 1},
      {1, "00", Enter, "", 1},
      {1, "a7", Enter, "", 1},
      {1, "7", Enter, "07", 2},
      {1, "12", Enter, "12", 2},
      {55, "12", Enter, "12", 1},
      {55, "5", Enter, "05", 1},
      // Arrows: a text neither empty nor two long is emptied and the focus stays.
      {1, "7", Right, "", 1},
      {20, "7", Left, "", 20},
      {20, "123", Up, "", 20},
      // Otherwise the focus moves, wrapping inside the row or the column.
      {1, "12", Right, "12", 2},
      {10, "", Right, "", 6},
      {55, "12", Right, "12", 51},
      {2, "12", Left, "12", 1},
      {6, "", Left, "", 10},
      {7, "", Up, "", 2},
      {2, "", Up, "", 52},
      {3, "", Down, "", 8},
      {53, "", Down, "", 3},
      {51, "99", Down, "99", 1},
  };
  for (const auto& c : cases) {
    const auto outcome = filterBoxKey(c.box, c.text, c.key);
    EXPECT_TRUE(outcome.swallowed) << c.box << ' ' << c.text;
    EXPECT_EQ(outcome.text, c.after) << c.box << ' ' << c.text;
    EXPECT_EQ(outcome.focusBox, c.focus) << c.box << ' ' << c.text;
  }
}

TEST(DrawEntry, OtherKeysAreLeftToTheBox) {
  const auto outcome = filterBoxKey(12, "7", EntryKey::Other);
  EXPECT_FALSE(outcome.swallowed);
  EXPECT_EQ(outcome.text, "7");
  EXPECT_EQ(outcome.focusBox, 12);
  EXPECT_FALSE(filterBoxKey(0, "12", EntryKey::Enter).swallowed);
  EXPECT_FALSE(filterBoxKey(56, "12", EntryKey::Right).swallowed);
}

TEST(DrawEntry, ArrowsWalkRoundTheGrid) {
  for (int box = 1; box <= kEntryBoxCount; ++box) {
    int right = box, down = box;
    for (int i = 0; i < kPositions; ++i) {
      right = nextEntryBox(right, EntryKey::Right);
      EXPECT_EQ(entryBoxWheel(right), entryBoxWheel(box)) << "Right stays in the row of " << box;
    }
    for (int i = 0; i < kWheelCount; ++i) {
      down = nextEntryBox(down, EntryKey::Down);
      EXPECT_EQ(entryBoxPosition(down), entryBoxPosition(box)) << "Down stays in the column";
    }
    EXPECT_EQ(right, box);
    EXPECT_EQ(down, box);
    EXPECT_EQ(nextEntryBox(nextEntryBox(box, EntryKey::Right), EntryKey::Left), box);
    EXPECT_EQ(nextEntryBox(nextEntryBox(box, EntryKey::Down), EntryKey::Up), box);
  }
  int box = 1;
  for (int i = 0; i < kEntryBoxCount; ++i) box = nextEntryBox(box, EntryKey::Enter);
  EXPECT_EQ(box, 1);
}

}  // namespace
}  // namespace quintello
