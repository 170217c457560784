#include "archive/draw_navigation.h"

#include <gtest/gtest.h>

#include "archive/tables.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

DrawArchive weekly(int count) { return test::makeArchive(test::weeklyDraws(count)); }

TEST(DrawNavigation, Searches) {
  const DrawArchive archive = weekly(25);
  for (const auto& c : test::caseRows("draw_searches.txt")) {
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
  EXPECT_FALSE(searchByIndex(weekly(19), "19").draw);
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
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "|05/01/1920|05-23-78-01-44||||||||||");
  EXPECT_EQ(rows[2], "|07/01/2023||90-09-10-11-12|||||||||01-02-03-04-05");
  EXPECT_EQ(grid.fixedCols(), 1);
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
  const auto selection = FgDBSelection(list, 3);
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->draw, 3);
  EXPECT_EQ(selection->dateText, "15/01/2000");
  EXPECT_FALSE(FgDBSelection(list, 0));
  EXPECT_FALSE(FgDBSelection(list, 6));
}

}  // namespace
}  // namespace quintello
