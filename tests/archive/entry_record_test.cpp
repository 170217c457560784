#include "archive/entry_record.h"

#include <gtest/gtest.h>

#include "analysis/quintello/session.h"
#include "archive/tables.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

// Boxes first..last joined by "|".
std::string joined(const EntryBoxes& boxes, int first = 1, int last = kEntryBoxCount) {
  std::string line;
  for (int box = first; box <= last; ++box) line += (box > first ? "|" : "") + boxes.text(box);
  return line;
}

TEST(EntryRecord, BoxesTakeTheFilteredText) {
  EntryBoxes boxes;
  for (const auto& [box, text] : {std::pair{1, "95"}, {2, "99"}, {55, "7"}, {56, "12"}})
    boxes.setText(box, text);
  EXPECT_EQ(joined(boxes, 1, 2) + "|" + boxes.text(55) + "|" + boxes.text(56), "|99|7|");
}

TEST(EntryRecord, Paste) {
  for (const auto& c : test::caseRows("entry_paste.txt")) {
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
  EXPECT_EQ(dateText({1871, 1, 7}), "07/01/1871");
  EXPECT_EQ(isoDate({2024, 2, 29}), "2024-02-29");
  EXPECT_FALSE(isoDate({2023, 2, 29}));
  EXPECT_EQ(calendarDate("05/01/2023"), (CalendarDate{2023, 1, 5}));
  EXPECT_FALSE(calendarDate("5/1/2023"));
}

// Draws stored with repeated numbers, half-empty wheels, "99" or a box left at one digit (as
// older versions saved them unchecked) load by the reading rule and leave every analysis whole.
TEST(EntryRecord, UncheckedDrawsLoadAndAnalysesStillRun) {
  test::TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(60));  // up to 16/02/2001
  EntryBoxes boxes;
  const char* texts[] = {
      "07", "07", "07", "12", "13",  // BA: 7 three times
      "",   "12", "34", "56", "78",  // CA: first box empty, every later piece shifted
      "05", "",   "",   "90", "",    // FI: partly filled
      "99", "7",  "07", "01", "02",  // GE: "99" and a box left at one digit
  };
  for (int box = 1; box <= 20; ++box) boxes.setText(box, texts[box - 1]);
  auto db = ArchiveDatabase::open(path);
  db.insertDraws({recordToWrite(boxes, "2001-02-20")});
  EXPECT_EQ(findStoredDraw(db, "2001-02-20")->wheels[1], "-12-34-56-78");
  EXPECT_FALSE(findStoredDraw(db, "2001-02-21"));
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
        EXPECT_TRUE(isLottoNumber(ranked.numbers[size_t(k)]));
    EXPECT_TRUE(session.addFromCombinationList(1));
    session.verifyForecasts();
    EXPECT_TRUE(session.delaysReport());
    EXPECT_GT(session.statisticalSummary().Fg1.rows(), 1);
    EXPECT_EQ(session.renderFga(61).text(3, 1), "99");
  }
}

}  // namespace
}  // namespace quintello
