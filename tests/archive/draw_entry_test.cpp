// The entry boxes of the archive window: what each box keeps, the keys, a paste, the draw
// shown in them and the record written from them.
#include "archive/draw_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "archive/entry_record.h"
#include "archive/helpers.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

TEST(DrawEntry, BoxTexts) {
  for (const auto& c : test::caseRows("archive/cases/entry_boxes.txt")) {
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
  for (const auto& c : test::caseRows("archive/cases/entry_keys.txt")) {
    SCOPED_TRACE(c.at(0) + " " + c.at(1) + " " + c.at(2));
    const auto outcome = filterBoxKey(std::stoi(c[0]), c[1], keys.at(c[2]));
    EXPECT_TRUE(outcome.swallowed);
    EXPECT_EQ(outcome.text, c.at(3));
    EXPECT_EQ(outcome.focusBox, std::stoi(c.at(4)));
  }
  EXPECT_FALSE(filterBoxKey(12, "7", Other).swallowed);
  EXPECT_FALSE(filterBoxKey(0, "12", Enter).swallowed);
  EXPECT_FALSE(filterBoxKey(56, "12", Right).swallowed);
}

// Boxes first..last joined by "|".
std::string joined(const EntryBoxes& boxes, int first = 1, int last = kEntryBoxCount) {
  std::string line;
  for (int box = first; box <= last; ++box) line += (box > first ? "|" : "") + boxes.text(box);
  return line;
}

// A paste writes every box through the change filter, as a write to the real box does.
TEST(EntryRecord, Paste) {
  for (const auto& c : test::caseRows("archive/cases/entry_paste.txt")) {
    SCOPED_TRACE(c.at(2));
    const auto result = parsePastedDraw(c[2]);
    EXPECT_EQ(result.boxes ? joined(*result.boxes, 1, 6) : "refused", c[0]);
    EXPECT_EQ(result.boxes ? joined(*result.boxes, 7, kEntryBoxCount) : "", c.at(1));
    EXPECT_EQ(result.refusal.value_or(Notice{}).text, result.boxes ? "" : kPasteRefused.text);
  }
}

TEST(EntryRecord, ShownAndWritten) {
  const DrawArchive archive =
      test::makeArchive({{"03/01/1920", {{"BA", {5, 23, 78, 1, 44}}, {"VE", {90, 9, 10, 11, 12}}}},
                         {"05/01/1920", {{"NZ", {1, 2, 3, 4, 5}}}}});
  const EntryBoxes first = MostraEstrazione(archive, 1);
  EXPECT_EQ(joined(first, 1, 5) + " " + joined(first, 46, 55),
            "05|23|78|01|44 90|09|10|11|12|00|00|00|00|00");  // no Nazionale that day
  EXPECT_EQ(joined(MostraEstrazione(archive, 2), 51, 55), "01|02|03|04|05");
  for (const int draw : {0, 3})  // no draw: every box "00"
    EXPECT_EQ(MostraEstrazione(archive, draw), *parsePastedDraw("").boxes);
  EXPECT_EQ(recordToWrite(first, "1920-01-03").wheels[0], "05-23-78-01-44");
  // Written as the boxes stand: a one-digit box, empty boxes.
  EntryBoxes boxes;
  for (const auto& [box, text] : {std::pair{6, "7"}, {8, "99"}, {12, "12"}})
    boxes.setText(box, text);
  const StoredDraw record = recordToWrite(boxes, "2024-03-05");
  EXPECT_EQ(record.isoDate, "2024-03-05");
  EXPECT_EQ(record.wheels[0] + " " + record.wheels[1] + " " + record.wheels[2],
            "---- 7--99-- -12---");
  EXPECT_EQ(isoDate({2024, 2, 29}), "2024-02-29");
  EXPECT_FALSE(isoDate({2023, 2, 29}));
}

// Boxes keyed in with repeated numbers, half-empty wheels, "99" or a box left at one digit
// (as older versions saved them unchecked) are stored as they stand and load by the reading
// rule; the analyses' own tests run on such draws.
TEST(EntryRecord, UncheckedBoxesAreStoredAsTheyStand) {
  test::TempDir dir;
  auto db = ArchiveDatabase::create(dir.file("archivio.mdb"));
  EntryBoxes boxes;
  const char* texts[] = {"07", "07", "07", "12", "13", "",   "12", "34", "56", "78",
                         "05", "",   "",   "90", "",   "99", "7",  "07", "01", "02"};
  for (int box = 1; box <= 20; ++box) boxes.setText(box, texts[box - 1]);
  db.insertDraws({recordToWrite(boxes, "2001-02-20")});
  EXPECT_EQ(findStoredDraw(db, "2001-02-20")->wheels,
            (std::array<std::string, kWheelCount>{"07-07-07-12-13", "-12-34-56-78", "05---90-",
                                                  "99-7-07-01-02", "----", "----", "----", "----",
                                                  "----", "----", "----"}));
  EXPECT_FALSE(findStoredDraw(db, "2001-02-21"));
  const DrawArchive archive = test::loadedArchive(dir.file("archivio.mdb"));
  for (const auto& [w, numbers] : {std::pair{1, std::array{-1, -3, -5, -7, 0}},
                                   {3, std::array{99, 7, 7, 1, 2}},
                                   {10, std::array{0, 0, 0, 0, 0}}})
    EXPECT_TRUE(std::ranges::equal(archive.wheel(1, w), numbers)) << w;
}

}  // namespace
}  // namespace quintello
