#include "archive/draw_navigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TestDraw;

DrawArchive smallArchive(int count) { return test::makeArchive(test::weeklyDraws(count)); }

TEST(DrawSearch, ByDateComparesTheTextLiterally) {
  const DrawArchive archive = test::makeArchive({{"05/01/2023", {}}, {"07/01/2023", {}}});
  const struct {
    const char* answer;
    std::optional<int> draw;
  } cases[] = {
      {"05/01/2023", 1},
      {"07/01/2023", 2},
      {"5/1/2023", std::nullopt},
      {"", std::nullopt},
      {"05/01/2023 ", std::nullopt},
      {"2023-01-05", std::nullopt},
      {"06/01/2023", std::nullopt},
  };
  for (const auto& c : cases) {
    const SearchResult result = searchByDate(archive, c.answer);
    EXPECT_EQ(result.draw, c.draw) << c.answer;
    EXPECT_EQ(result.message.has_value(), !c.draw) << c.answer;
    if (result.message) {
      EXPECT_EQ(result.message->text, "Data non trovata");
      EXPECT_EQ(result.message->title, "Cerca data");
      EXPECT_EQ(result.message->icon, Notice::Icon::Information);
    }
  }
  EXPECT_TRUE(searchByDate(DrawArchive(), "").message);  // the empty date of index 0
}

TEST(DrawSearch, ByIndexFrom20ToTheLatestDraw) {
  const DrawArchive archive = smallArchive(25);
  const struct {
    const char* answer;
    std::optional<int> draw;
  } cases[] = {
      {"19", std::nullopt},
      {"20", 20},
      {"25", 25},
      {" 21 ", 21},
      {"26", std::nullopt},
      {"1", std::nullopt},
      {"0", std::nullopt},
      {"-20", std::nullopt},
      {"", std::nullopt},
      {"2O", std::nullopt},
      {"20.5", std::nullopt},
      {"abc", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    const SearchResult result = searchByIndex(archive, c.answer);
    EXPECT_EQ(result.draw, c.draw) << c.answer;
    EXPECT_FALSE(result.message) << c.answer;  // refused silently
  }
  EXPECT_FALSE(searchByIndex(smallArchive(19), "19").draw);
}

TEST(DrawSearch, IndexInputKeepsToTheScrollRange) {
  const DrawArchive archive = smallArchive(25);
  EXPECT_EQ(indexInputDraw("1", archive), 1);
  EXPECT_EQ(indexInputDraw("25", archive), 25);
  EXPECT_FALSE(indexInputDraw("0", archive));
  EXPECT_FALSE(indexInputDraw("26", archive));
  EXPECT_FALSE(indexInputDraw(kIndexInput.defaultAnswer, archive));
  EXPECT_FALSE(indexInputDraw("", archive));
  EXPECT_EQ(indexInputDraw(kIndexInput.defaultAnswer, smallArchive(3894)), 3894);
}

TEST(ArchiveWindowLabels, ShownDrawAndLatestDraw) {
  const DrawArchive archive = test::makeArchive(
      {{"30/12/2022", {}}, {"31/12/2022", {}}, {"03/01/2023", {}}, {"05/01/2023", {}}});
  EXPECT_EQ(shownDrawLabels(archive, 2), (ShownDrawLabels{"31/12/2022", "2", "2", "2"}));
  EXPECT_EQ(shownDrawLabels(archive, 4), (ShownDrawLabels{"05/01/2023", "4", "2", "2"}));
  EXPECT_EQ(AggiornaEtichette(archive), (ArchiveLabels{"4", "05/01/2023", 1, 4, 4}));
  EXPECT_EQ(AggiornaEtichette(DrawArchive()), (ArchiveLabels{"0", "", 0, 0, 0}));
  EXPECT_EQ(Label9Text(archive), "4");
}

TEST(FgDBGrid, OneRowPerDrawWithTheStoredWheels) {
  const DrawArchive archive =
      test::makeArchive({{"05/01/1920", {{"BA", {5, 23, 78, 1, 44}}}},
                         {"07/01/2023", {{"CA", {90, 9, 10, 11, 12}}, {"NZ", {1, 2, 3, 4, 5}}}}});
  const Grid grid = FgDBGrid(archive);
  ASSERT_EQ(grid.rows(), 3);
  ASSERT_EQ(grid.cols(), 13);
  EXPECT_EQ(grid.fixedCols(), 1);
  EXPECT_EQ(grid.text(1, 1), "05/01/1920");
  EXPECT_EQ(grid.text(1, 2), "05-23-78-01-44");
  EXPECT_EQ(grid.text(1, 3), "");
  EXPECT_EQ(grid.text(1, 12), "");  // no Nazionale
  EXPECT_EQ(grid.text(2, 1), "07/01/2023");
  EXPECT_EQ(grid.text(2, 3), "90-09-10-11-12");
  EXPECT_EQ(grid.text(2, 12), "01-02-03-04-05");
  EXPECT_EQ(FgDBGrid(DrawArchive()).rows(), 1);
}

TEST(FgDBGrid, CurrentRowIsYellowAndSelectsItsDraw) {
  Grid grid = FgDBGrid(smallArchive(5));
  highlightFgDBRow(grid, 2);
  highlightFgDBRow(grid, 4);
  for (int r = 1; r < grid.rows(); ++r)
    for (int c = 1; c < grid.cols(); ++c)
      EXPECT_EQ(grid.backColor(r, c), r == 4 ? kYellow : kWhite) << r << ',' << c;
  EXPECT_FALSE(grid.hasBackColor(4, 0));
  highlightFgDBRow(grid, 9);  // no such row: every row white
  EXPECT_EQ(grid.backColor(4, 1), kWhite);

  const auto selection = FgDBSelection(grid, 3);
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->draw, 3);
  EXPECT_EQ(selection->dateText, "15/01/2000");
  EXPECT_FALSE(FgDBSelection(grid, 0));
  EXPECT_FALSE(FgDBSelection(grid, 6));
}

}  // namespace
}  // namespace quintello
