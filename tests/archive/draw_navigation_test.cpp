// What the archive window shows around the entry boxes: its searches, labels and list of
// draws, and the year calendar.
#include "archive/draw_navigation.h"

#include <gtest/gtest.h>

#include "archive/calendar.h"
#include "archive/helpers.h"
#include "core/sqlite.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using Rows = std::vector<std::string>;

DrawArchive weekly(int count) { return test::makeArchive(test::weeklyDraws(count)); }

TEST(DrawNavigation, Searches) {
  const DrawArchive archive = weekly(25);
  for (const auto& c : test::caseRows("archive/cases/draw_searches.txt")) {
    SCOPED_TRACE(c.at(0) + " \"" + c.at(1) + "\"");
    const std::optional<int> expected =
        c.at(2) == "-" ? std::nullopt : std::optional<int>(std::stoi(c[2]));
    if (c[0] == "click") {
      EXPECT_EQ(indexInputDraw(c[1], archive), expected);
      continue;
    }
    const SearchResult result =
        c[0] == "date" ? searchByDate(archive, c[1]) : searchByIndex(archive, c[1]);
    EXPECT_EQ(result.draw, expected);
    // A date not found is told; a refused index is not.
    EXPECT_EQ(result.message.has_value(), !expected && c[0] == "date");
    EXPECT_EQ(result.message.value_or(kDateNotFound).text, kDateNotFound.text);
  }
  EXPECT_TRUE(searchByDate(DrawArchive(), "").message);  // the empty date of index 0
  EXPECT_EQ(indexInputDraw(kIndexInput.defaultAnswer, weekly(3894)), 3894);
}

TEST(DrawNavigation, Labels) {
  const DrawArchive archive = test::makeArchive(
      {{"30/12/2022", {}}, {"31/12/2022", {}}, {"03/01/2023", {}}, {"05/01/2023", {}}});
  EXPECT_EQ(shownDrawLabels(archive, 2), (ShownDrawLabels{"31/12/2022", "2", "2", "2"}));
  EXPECT_EQ(shownDrawLabels(archive, 4), (ShownDrawLabels{"05/01/2023", "4", "2", "2"}));
  EXPECT_EQ(AggiornaEtichette(archive), (ArchiveLabels{"4", "05/01/2023", 1, 4, 4}));
  EXPECT_EQ(AggiornaEtichette(DrawArchive()), (ArchiveLabels{"0", "", 0, 0, 0}));
  EXPECT_EQ(Label9Text(archive), "4");
}

// "Elenco estrazioni": one row per draw with the stored wheels; the current row yellow.
TEST(DrawNavigation, DrawList) {
  const Grid grid = FgDBGrid(
      test::makeArchive({{"05/01/1920", {{"BA", {5, 23, 78, 1, 44}}}},
                         {"07/01/2023", {{"CA", {90, 9, 10, 11, 12}}, {"NZ", {1, 2, 3, 4, 5}}}}}));
  const auto rows = test::gridRows(grid);
  EXPECT_EQ(Rows(rows.begin() + 1, rows.end()),
            (Rows{"|05/01/1920|05-23-78-01-44||||||||||",
                  "|07/01/2023||90-09-10-11-12|||||||||01-02-03-04-05"}));
  EXPECT_EQ(FgDBGrid(DrawArchive()).rows(), 1);

  Grid list = FgDBGrid(weekly(5));
  highlightFgDBRow(list, 2);
  highlightFgDBRow(list, 4);
  for (int r = 1; r < list.rows(); ++r)
    for (int c = 1; c < list.cols(); ++c)
      EXPECT_EQ(list.backColor(r, c), r == 4 ? kYellow : kWhite) << r << ',' << c;
  EXPECT_FALSE(list.hasBackColor(4, 0));
  highlightFgDBRow(list, 9);  // no such row: every row white
  EXPECT_EQ(list.backColor(4, 1), kWhite);
  const auto selection = FgDBSelection(list, 3).value_or(DrawSelection{});
  EXPECT_EQ(std::to_string(selection.draw) + " " + selection.dateText, "3 15/01/2000");
  EXPECT_FALSE(FgDBSelection(list, 0));
  EXPECT_FALSE(FgDBSelection(list, 6));
}

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

TEST_F(CalendarTest, OneRowPerMonthOneColumnPerDrawDayAndItsDraw) {
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
  // A click shows the day's draw. Row 1 = January, row 2 = March; columns 3.. = days 1, 3, 4,
  // 5, 7; 4 January has no draw.
  const Grid grid = caricaCalendario(db, "2023", true)->Fg1;
  const DrawArchive archive = test::loadedArchive(path);
  const int clicks[][3] = {{1, 6, 4}, {2, 3, 6}, {2, 5, 7}, {1, 5, 0}, {0, 6, 0},
                           {1, 1, 0}, {1, 2, 0}, {3, 6, 0}, {1, 8, 0}};  // row, column, draw
  for (const auto& [row, col, draw] : clicks)
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
