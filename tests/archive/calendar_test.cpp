#include "archive/calendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sqlite.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;
using test::TestDraw;

// Sunday 1, Tuesday 3, Thursday 5 and Saturday 7 January, Wednesday 1 and Saturday 4 March
// 2023; one draw in 2022 and one in 2025, none in 2024.
const std::vector<TestDraw> kDraws = {
    {"31/12/2022", {{"BA", {1, 2, 3, 4, 5}}}}, {"01/01/2023", {{"BA", {1, 2, 3, 4, 5}}}},
    {"03/01/2023", {{"BA", {1, 2, 3, 4, 5}}}}, {"05/01/2023", {{"BA", {1, 2, 3, 4, 5}}}},
    {"07/01/2023", {{"BA", {1, 2, 3, 4, 5}}}}, {"01/03/2023", {{"BA", {1, 2, 3, 4, 5}}}},
    {"04/03/2023", {{"BA", {1, 2, 3, 4, 5}}}}, {"11/01/2025", {{"BA", {1, 2, 3, 4, 5}}}},
};

// Every row of a grid as its cells joined by "|", header first.
std::vector<std::string> rowTexts(const Grid& grid) {
  std::vector<std::string> rows;
  for (int r = 0; r < grid.rows(); ++r) {
    std::string line;
    for (int c = 0; c < grid.cols(); ++c) line += (c > 0 ? "|" : "") + grid.text(r, c);
    rows.push_back(line);
  }
  return rows;
}

class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override { test::writeArchiveFile(path_, kDraws); }
  TempDir dir_;
  std::string path_ = dir_.file("archivio.mdb");
};

TEST_F(CalendarTest, OneRowPerMonthOneColumnPerDrawDay) {
  auto db = ArchiveDatabase::open(path_);
  const struct {
    const char* year;
    bool letters;
    std::vector<std::string> rows;
    std::optional<CalendarCell> current;
  } cases[] = {
      {"2023", false, {"|A|M|1|3|4|5|7", "|2023|1|1|3||5|7", "|2023|3|4||7||"}, CalendarCell{2, 5}},
      {"2023", true, {"|A|M|1|3|4|5|7", "|2023|1|D|M||G|S", "|2023|3|m||S||"}, CalendarCell{2, 5}},
      {"2022", false, {"|A|M|31", "|2022|12|7"}, CalendarCell{1, 3}},
      {"2022", true, {"|A|M|31", "|2022|12|S"}, CalendarCell{1, 3}},
      {"2024", false, {"|A|M"}, std::nullopt},
      {"1871", true, {"|A|M"}, std::nullopt},
      {"", false, {"|A|M"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.year) + (c.letters ? " letters" : " numbers"));
    const auto calendar = caricaCalendario(db, c.year, c.letters);
    ASSERT_TRUE(calendar);
    EXPECT_EQ(rowTexts(calendar->Fg1), c.rows);
    EXPECT_EQ(calendar->current, c.current);
  }
}

TEST_F(CalendarTest, ClickingADayShowsItsDraw) {
  auto db = ArchiveDatabase::open(path_);
  NoProgress progress;
  DrawArchive archive;
  loadArchive(db, archive, 1, progress);
  const Grid grid = caricaCalendario(db, "2023", true)->Fg1;
  // Row 1 = January, row 2 = March; columns 3.. = days 1, 3, 4, 5, 7.
  EXPECT_EQ(calendarClick(grid, 1, 6, archive), (CalendarPick{4, "05/01/2023"}));
  EXPECT_EQ(calendarClick(grid, 2, 3, archive), (CalendarPick{6, "01/03/2023"}));
  EXPECT_EQ(calendarClick(grid, 2, 5, archive), (CalendarPick{7, "04/03/2023"}));
  EXPECT_FALSE(calendarClick(grid, 1, 5, archive));  // 4 January: no draw
  EXPECT_FALSE(calendarClick(grid, 0, 6, archive));  // header
  EXPECT_FALSE(calendarClick(grid, 1, 1, archive));  // year
  EXPECT_FALSE(calendarClick(grid, 1, 2, archive));  // month
  EXPECT_FALSE(calendarClick(grid, 3, 6, archive));
  EXPECT_FALSE(calendarClick(grid, 1, 8, archive));
  const Grid latestYear = caricaCalendario(db, "2025", false)->Fg1;
  EXPECT_EQ(calendarClick(latestYear, 1, 3, archive), (CalendarPick{8, "11/01/2025"}));
}

TEST_F(CalendarTest, OldArchiveGetsTheViewWhenOpenedForWriting) {
  {
    sqlite::Database raw(path_, sqlite::Database::Mode::ReadWrite);
    raw.execute("DROP VIEW Query_AAMMGG");
  }
  {
    auto reading = ArchiveDatabase::openForReading(path_);
    EXPECT_FALSE(caricaCalendario(reading, "2023", false));  // the window keeps its calendar
    EXPECT_THROW(calendarDays(reading, 2023), sqlite::Failure);
  }
  auto db = ArchiveDatabase::open(path_);
  const auto calendar = caricaCalendario(db, "2022", false);
  ASSERT_TRUE(calendar);
  EXPECT_EQ(rowTexts(calendar->Fg1), (std::vector<std::string>{"|A|M|31", "|2022|12|7"}));
  // Opening again finds it and leaves it alone.
  auto again = ArchiveDatabase::open(path_);
  EXPECT_EQ(calendarDays(again, 2025), (std::vector<CalendarDay>{{1, 11, 7}}));
}

TEST(CalendarGrid, DaysOutsideTheCalendarAreLeftOut) {
  const std::vector<CalendarDay> days = {{2, 30, 0}, {13, 1, 2}, {0, 5, 2},
                                         {5, 32, 2}, {5, 2, 8},  {5, 3, 1}};
  const auto calendar = calendarGrid(1999, days, false);
  EXPECT_EQ(rowTexts(calendar.Fg1), (std::vector<std::string>{"|A|M|3", "|1999|5|1"}));
}

TEST(CalendarYears, FromTheFirstDrawOrFrom1939ToTheCurrentYear) {
  const auto years = [](const std::vector<TestDraw>& draws, int currentYear) {
    const auto list = Combo1Years(test::makeArchive(draws), currentYear);
    return std::vector<std::string>{list.front(), list.back(), std::to_string(list.size())};
  };
  const TestDraw from1871{"07/01/1871", {}}, from2000{"01/01/2000", {}}, in2030{"02/01/2030", {}};
  EXPECT_EQ(years({}, 2026), (std::vector<std::string>{"1939", "2026", "88"}));
  EXPECT_EQ(years({from2000}, 2026), (std::vector<std::string>{"1939", "2026", "88"}));
  EXPECT_EQ(years({from1871, from2000}, 2026), (std::vector<std::string>{"1871", "2026", "156"}));
  EXPECT_EQ(years({from2000, in2030}, 2026), (std::vector<std::string>{"1939", "2030", "92"}));
}

}  // namespace
}  // namespace quintello
