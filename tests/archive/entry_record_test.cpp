#include "archive/entry_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/quintello/session.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

// The boxes as one line, "|" between boxes, for comparing a whole set at a glance.
std::string joined(const EntryBoxes& boxes, int first = 1, int last = kEntryBoxCount) {
  std::string line;
  for (int box = first; box <= last; ++box) line += (box > first ? "|" : "") + boxes.text(box);
  return line;
}

std::string repeated(const std::string& text, int times) {
  std::string line;
  for (int i = 0; i < times; ++i) line += (i > 0 ? "|" : "") + text;
  return line;
}

// The numbers 1..count separated by `separator`.
std::string numbers(int count, const std::string& separator) {
  std::string text;
  for (int n = 1; n <= count; ++n) text += (n > 1 ? separator : "") + std::to_string(n);
  return text;
}

TEST(EntryBoxes, WritesGoThroughTheChangeFilter) {
  EntryBoxes boxes;
  EXPECT_EQ(joined(boxes), repeated("", kEntryBoxCount));
  boxes.setText(1, "95");
  boxes.setText(2, "99");
  boxes.setText(55, "7");
  boxes.setText(56, "12");  // no such box
  EXPECT_EQ(joined(boxes, 1, 2), "|99");
  EXPECT_EQ(boxes.text(55), "7");
  EXPECT_EQ(boxes.text(56), "");
}

TEST(EntryPaste, ClipboardTexts) {
  const struct {
    const char* name;
    std::string clipboard;
    std::string first;  // boxes 1..6
    std::string rest;   // boxes 7..55, when all alike
  } cases[] = {
      {"Empty", "", repeated("00", 6), repeated("00", 49)},
      {"DateBeforeTheNumbers", "12/05/2023 1 2 3", "12|05||01|02|03", repeated("00", 49)},
      {"FiftyFiveNumbers", numbers(55, "-"), "01|02|03|04|05|06", ""},
      {"NumberAtTheVeryEnd", "\r\n  4\t5", "04|05|00|00|00|00", repeated("00", 49)},
      {"AnySeparator", "BA 07.90/99x95 é 0", "07|90|99||00|00", repeated("00", 49)},
      {"LeadingZerosDoNotCount", "0000000000000000000000000000000000088", "88|00|00|00|00|00",
       repeated("00", 49)},
      {"LargestNumberFits", "32767 5", "|05|00|00|00|00", repeated("00", 49)},
      {"FiftyFiveThenText", numbers(55, " ") + " fine.", "01|02|03|04|05|06", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = parsePastedDraw(c.clipboard);
    ASSERT_TRUE(result.boxes);
    EXPECT_FALSE(result.refusal);
    EXPECT_EQ(joined(*result.boxes, 1, 6), c.first);
    if (!c.rest.empty()) {
      EXPECT_EQ(joined(*result.boxes, 7, kEntryBoxCount), c.rest);
    }
  }
  const auto full = parsePastedDraw(numbers(55, ","));
  ASSERT_TRUE(full.boxes);
  EXPECT_EQ(full.boxes->text(55), "55");
  EXPECT_EQ(full.boxes->text(50), "50");
}

TEST(EntryPaste, RefusedBeforeAnyBoxIsWritten) {
  const std::string refused[] = {numbers(56, " "), numbers(55, " ") + " 0", "1 2 32768",
                                 "99999999999999999999999999999999999999999"};
  for (const auto& clipboard : refused) {
    const auto result = parsePastedDraw(clipboard);
    EXPECT_FALSE(result.boxes) << clipboard;
    ASSERT_TRUE(result.refusal) << clipboard;
    EXPECT_EQ(result.refusal->text, "Attenzione i dati di origine sono di formato incompatibile");
    EXPECT_EQ(result.refusal->title, "Avviso");
    EXPECT_EQ(result.refusal->icon, Notice::Icon::Critical);
  }
}

TEST(EntryRecord, WheelsJoinTheBoxesAsTheyStand) {
  EntryBoxes boxes;
  const std::string bari[] = {"05", "23", "78", "01", "44"};
  for (int p = 1; p <= kPositions; ++p) boxes.setText(entryBox(0, p), bari[p - 1]);
  boxes.setText(entryBox(1, 1), "7");
  boxes.setText(entryBox(1, 3), "99");
  boxes.setText(entryBox(2, 2), "12");
  const StoredDraw record = recordToWrite(boxes, "2024-03-05");
  EXPECT_EQ(record.isoDate, "2024-03-05");
  EXPECT_EQ(record.wheels[0], "05-23-78-01-44");
  EXPECT_EQ(record.wheels[1], "7--99--");  // a one-digit box, empty boxes
  EXPECT_EQ(record.wheels[2], "-12---");
  for (int w = 3; w < kWheelCount; ++w) EXPECT_EQ(record.wheels[static_cast<size_t>(w)], "----");
}

TEST(EntryRecord, MostraEstrazioneShowsTwoDigitsAndZerosForNoNumber) {
  const DrawArchive archive =
      test::makeArchive({{"03/01/1920", {{"BA", {5, 23, 78, 1, 44}}, {"VE", {90, 9, 10, 11, 12}}}},
                         {"05/01/1920", {{"NZ", {1, 2, 3, 4, 5}}}}});
  const EntryBoxes first = MostraEstrazione(archive, 1);
  EXPECT_EQ(joined(first, 1, 5), "05|23|78|01|44");
  EXPECT_EQ(joined(first, 46, 50), "90|09|10|11|12");
  EXPECT_EQ(joined(first, 51, 55), repeated("00", 5));  // no Nazionale that day
  EXPECT_EQ(joined(MostraEstrazione(archive, 2), 51, 55), "01|02|03|04|05");
  EXPECT_EQ(joined(MostraEstrazione(archive, 0)), repeated("00", kEntryBoxCount));
  EXPECT_EQ(joined(MostraEstrazione(archive, 3)), repeated("00", kEntryBoxCount));
  // Shown and written back, a complete wheel keeps its stored form.
  EXPECT_EQ(recordToWrite(first, "1920-01-03").wheels[0], "05-23-78-01-44");
}

TEST(EntryRecord, CalendarDates) {
  EXPECT_EQ(dateText({1871, 1, 7}), "07/01/1871");
  EXPECT_EQ(isoDate({2024, 2, 29}), "2024-02-29");
  EXPECT_FALSE(isoDate({2023, 2, 29}));
  EXPECT_EQ(calendarDate("05/01/2023"), (CalendarDate{2023, 1, 5}));
  EXPECT_FALSE(calendarDate("5/1/2023"));
}

// Draws keyed in with repeated numbers, half-empty wheels, "99" or a box left at one digit
// are stored unchecked. They must load by the reading rule and leave every analysis whole.
TEST(EntryRecord, UncheckedDrawsLoadAndAnalysesStillRun) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(60));  // up to 16/02/2001

  EntryBoxes boxes;
  const char* texts[kEntryBoxCount] = {
      "07", "07", "07", "12", "13",  // BA: 7 three times
      "",   "12", "34", "56", "78",  // CA: first box empty, every later piece shifted
      "05", "",   "",   "90", "",    // FI: partly filled
      "99", "7",  "07", "01", "02",  // GE: "99" and a box left at one digit
  };
  for (int box = 1; box <= kEntryBoxCount; ++box)
    if (texts[box - 1] != nullptr) boxes.setText(box, texts[box - 1]);
  const StoredDraw record = recordToWrite(boxes, "2001-02-20");
  {
    auto db = ArchiveDatabase::open(path);
    db.insertDraws({record});
    const auto stored = findStoredDraw(db, "2001-02-20");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->wheels, record.wheels);
    EXPECT_EQ(stored->wheels[1], "-12-34-56-78");
    EXPECT_EQ(stored->wheels[10], "----");
    EXPECT_FALSE(findStoredDraw(db, "2001-02-21"));
  }

  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  NoProgress progress;
  CaricaArchivioExNovo(db, archive, progress);
  ASSERT_EQ(archive.count(), 61);
  const auto wheel = [&](int w) {
    const auto numbers = archive.wheel(61, w);
    return std::vector<int>(numbers.begin(), numbers.end());
  };
  EXPECT_EQ(wheel(0), (std::vector<int>{7, 7, 7, 12, 13}));
  EXPECT_EQ(wheel(1), (std::vector<int>{-1, -3, -5, -7, 0}));
  EXPECT_EQ(wheel(2), (std::vector<int>{5, 0, 0, 0, 0}));
  EXPECT_EQ(wheel(3), (std::vector<int>{99, 7, 7, 1, 2}));  // "99-7-07-01-02"
  EXPECT_EQ(wheel(10), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(archive.dateText(61), "20/02/2001");

  for (const int game : {1, 3, 10}) {
    SCOPED_TRACE(game);
    QuintelloSession session(archive);
    session.inputs() = QuintelloSession::defaultInputs(archive);
    session.inputs().NumeroCercato = 7;
    session.inputs().RuotaRilevazione = 0;
    session.inputs().RuotaGioco = game;
    session.elenco();
    ASSERT_FALSE(session.occurrences().empty());
    EXPECT_EQ(session.occurrences().front().Estr, 61);  // 7 three times counts once
    session.elabora();
    ASSERT_FALSE(session.rankedCombinations().empty());
    for (const auto& ranked : session.rankedCombinations())
      for (int k = 0; k < session.inputs().NumeriCombinazione; ++k)
        EXPECT_TRUE(isLottoNumber(ranked.numbers[static_cast<size_t>(k)]));
    EXPECT_TRUE(session.addFromCombinationList(1));
    session.verifyForecasts();
    EXPECT_TRUE(session.delaysReport());
    EXPECT_GT(session.statisticalSummary().Fg1.rows(), 1);
    EXPECT_EQ(session.renderFga(61).text(3, 1), "99");
  }
}

}  // namespace
}  // namespace quintello
