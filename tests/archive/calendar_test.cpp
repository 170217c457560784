#include "archive/calendar.h"

#include <gtest/gtest.h>

#include "archive/tables.h"
#include "core/sqlite.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using Rows = std::vector<std::string>;

// Sunday 1, Tuesday 3, Thursday 5 and Saturday 7 January, Wednesday 1 and Saturday 4 March
// 2023; one draw in 2022 and one in 2025, none in 2024.
class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<test::TestDraw> draws;
    for (const char* date : {"31/12/2022", "01/01/2023", "03/01/2023", "05/01/2023", "07/01/2023",
                             "01/03/2023", "04/03/2023", "11/01/2025"})
      draws.push_back({date, {{"BA", {1, 2, 3, 4, 5}}}});
    test::writeArchiveFile(path, draws);
  }
  test::TempDir dir;
  std::string path = dir.file("archivio.mdb");
};

TEST_F(CalendarTest, OneRowPerMonthOneColumnPerDrawDay) {
  auto db = ArchiveDatabase::open(path);
  const struct {
    const char* year;
    bool letters;
    Rows rows;
    std::optional<CalendarCell> current;
  } cases[] = {
      {"2023", false, {"|A|M|1|3|4|5|7", "|2023|1|1|3||5|7", "|2023|3|4||7||"}, CalendarCell{2, 5}},
      {"2023", true, {"|A|M|1|3|4|5|7", "|2023|1|D|M||G|S", "|2023|3|m||S||"}, CalendarCell{2, 5}},
      {"2022", true, {"|A|M|31", "|2022|12|S"}, CalendarCell{1, 3}},
      {"2024", false, {"|A|M"}, std::nullopt},
      {"", false, {"|A|M"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.year) + (c.letters ? " letters" : " numbers"));
    const auto calendar = caricaCalendario(db, c.year, c.letters);
    ASSERT_TRUE(calendar);
    EXPECT_EQ(test::gridRows(calendar->Fg1), c.rows);
    EXPECT_EQ(calendar->current, c.current);
  }
  // Days that are no calendar days (a damaged stored date) are left out.
  const std::vector<CalendarDay> days = {{2, 30, 0}, {13, 1, 2}, {0, 5, 2},
                                         {5, 32, 2}, {5, 2, 8},  {5, 3, 1}};
  EXPECT_EQ(test::gridRows(calendarGrid(1999, days, false).Fg1), (Rows{"|A|M|3", "|1999|5|1"}));
}

TEST_F(CalendarTest, ClickingADayShowsItsDraw) {
  auto db = ArchiveDatabase::open(path);
  NoProgress progress;
  DrawArchive archive;
  loadArchive(db, archive, 1, progress);
  const Grid grid = caricaCalendario(db, "2023", true)->Fg1;
  // Row 1 = January, row 2 = March; columns 3.. = days 1, 3, 4, 5, 7; 4 January has no draw.
  const int cases[][3] = {{1, 6, 4}, {2, 3, 6}, {2, 5, 7}, {1, 5, 0}, {0, 6, 0},
                          {1, 1, 0}, {1, 2, 0}, {3, 6, 0}, {1, 8, 0}};  // row, column, draw
  for (const auto& [row, col, draw] : cases)
    EXPECT_EQ(calendarClick(grid, row, col, archive).value_or(CalendarPick{}),
              (CalendarPick{draw, archive.dateText(draw)}))
        << row << "," << col;
  EXPECT_EQ(calendarClick(caricaCalendario(db, "2025", false)->Fg1, 1, 3, archive),
            (CalendarPick{8, "11/01/2025"}));
}

TEST_F(CalendarTest, OldArchiveGetsTheViewWhenOpenedForWriting) {
  sqlite::Database(path, sqlite::Database::Mode::ReadWrite).execute("DROP VIEW Query_AAMMGG");
  {
    auto reading = ArchiveDatabase::openForReading(path);
    EXPECT_FALSE(caricaCalendario(reading, "2023", false));  // the window keeps its calendar
  }
  auto db = ArchiveDatabase::open(path);
  EXPECT_EQ(test::gridRows(caricaCalendario(db, "2022", false)->Fg1),
            (Rows{"|A|M|31", "|2022|12|7"}));
  // Opening again finds it and leaves it alone.
  auto again = ArchiveDatabase::open(path);
  EXPECT_EQ(calendarDays(again, 2025), (std::vector<CalendarDay>{{1, 11, 7}}));
}

TEST(CalendarYears, FromTheFirstDrawOrFrom1939ToTheCurrentYear) {
  const auto years = [](const std::vector<test::TestDraw>& draws) {
    const auto list = Combo1Years(test::makeArchive(draws), 2026);
    return list.front() + " " + list.back() + " " + std::to_string(list.size());
  };
  const test::TestDraw from1871{"07/01/1871", {}}, from2000{"01/01/2000", {}},
      in2030{"02/01/2030", {}};
  EXPECT_EQ(years({}), "1939 2026 88");
  EXPECT_EQ(years({from2000}), "1939 2026 88");
  EXPECT_EQ(years({from1871, from2000}), "1871 2026 156");
  EXPECT_EQ(years({from2000, in2030}), "1939 2030 92");
}

}  // namespace
}  // namespace quintello
