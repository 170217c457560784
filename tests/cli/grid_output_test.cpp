#include "cli/grid_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quintello::cli {
namespace {

TEST(GridText, NameLineThenEveryRowWithTabs) {
  Grid grid = Grid::withHeader("N°   |Estr     |Pr   ");
  grid.addRow({"1", "10776", ""});
  grid.addRow({"2", "", "3"});
  grid.addRow({});
  grid.setBackColor(1, 1, kRed);  // marks never show in the text
  std::ostringstream out;
  printGrid(out, "elenco", grid);
  EXPECT_EQ(out.str(),
            "# elenco\n"
            "N°   \tEstr     \tPr   \n"
            "1\t10776\t\n"
            "2\t\t3\n"
            "\t\t\n");
}

TEST(GridText, HeaderOnlyAndNoHeader) {
  std::ostringstream out;
  printGrid(out, "coppie", Grid::withHeader(" |N1 |N2 |CC  "));
  Grid board(2, 3, 0, 0);
  board.setText(0, 0, "1");
  board.setText(1, 2, "6");
  printGrid(out, "tabellone", board);
  EXPECT_EQ(out.str(), "# coppie\n \tN1 \tN2 \tCC  \n# tabellone\n1\t\t\n\t\t6\n");
}

TEST(GridText, TheRowsAreTheClipTextOnSeparateLines) {
  Grid grid = Grid::withHeader("a|b|c");
  grid.addRow({"1", "2", "3"});
  grid.addRow({"x", "", "z"});
  std::ostringstream out;
  printGrid(out, "g", grid);
  std::string clip = grid.clipText();
  for (char& c : clip)
    if (c == '\r') c = '\n';
  EXPECT_EQ(out.str(), "# g\n" + clip + "\n");
}

TEST(GridText, Labels) {
  std::ostringstream out;
  printLabels(out, {{"LBL_NC", "12"}, {"Lbl_T", ""}, {"Label7", "N° Estraz. = 115  Freq = 9.58"}});
  EXPECT_EQ(out.str(), "LBL_NC\t12\nLbl_T\t\nLabel7\tN° Estraz. = 115  Freq = 9.58\n");
}

}  // namespace
}  // namespace quintello::cli
