#include "archive/draw_entry.h"

#include <gtest/gtest.h>

#include <map>

#include "archive/tables.h"

namespace quintello {
namespace {

TEST(DrawEntry, BoxTexts) {
  for (const auto& c : test::caseRows("entry_boxes.txt")) {
    SCOPED_TRACE('"' + c.at(0) + '"');
    EXPECT_EQ(filterBoxText(c[0]), c.at(1));
    // The window writes the answer back, which runs the filter again: nothing may change.
    EXPECT_EQ(filterBoxText(c[1]), c[1]);
    EXPECT_EQ(boxTextOnLeave(c[1]), c.at(2));
  }
}

TEST(DrawEntry, Keys) {
  using enum EntryKey;
  const std::map<std::string, EntryKey> keys = {
      {"Enter", Enter}, {"Left", Left}, {"Right", Right}, {"Up", Up}, {"Down", Down}};
  for (const auto& c : test::caseRows("entry_keys.txt")) {
    SCOPED_TRACE(c.at(0) + " " + c.at(1) + " " + c.at(2));
    const auto outcome = filterBoxKey(std::stoi(c[0]), c[1], keys.at(c[2]));
    EXPECT_TRUE(outcome.swallowed);
    EXPECT_EQ(outcome.text, c.at(3));
    EXPECT_EQ(outcome.focusBox, std::stoi(c.at(4)));
  }
  EXPECT_FALSE(filterBoxKey(12, "7", Other).swallowed);
  EXPECT_FALSE(filterBoxKey(0, "12", Enter).swallowed);
  EXPECT_FALSE(filterBoxKey(56, "12", Right).swallowed);
  // From every box the arrows walk round its row and column, and back.
  for (int box = 1; box <= kEntryBoxCount; ++box) {
    int right = box, down = box;
    for (int i = 0; i < kPositions; ++i) right = nextEntryBox(right, Right);
    for (int i = 0; i < kWheelCount; ++i) down = nextEntryBox(down, Down);
    EXPECT_EQ(right, box);
    EXPECT_EQ(down, box);
    EXPECT_EQ(nextEntryBox(nextEntryBox(box, Right), Left), box);
    EXPECT_EQ(nextEntryBox(nextEntryBox(box, Down), Up), box);
    EXPECT_EQ(entryBoxWheel(nextEntryBox(box, Right)), entryBoxWheel(box));
    EXPECT_EQ(entryBoxPosition(nextEntryBox(box, Down)), entryBoxPosition(box));
    EXPECT_EQ(nextEntryBox(box, Enter), box % kEntryBoxCount + 1);
    EXPECT_EQ(entryBox(entryBoxWheel(box), entryBoxPosition(box)), box);
  }
}

}  // namespace
}  // namespace quintello
