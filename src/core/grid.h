#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace quintello {

enum class Alignment { Left, Center, Right };

struct FloodBar {
  Color color;
  double percent = 0;  // 0..100, drawn behind the text from the left edge
};

// A working table of the windows: row 0 is the header (when the grid has a fixed row) and
// data rows start at 1. Cells hold text plus the marks the windows and reports show: back
// and text colour, bold, a flood bar. Columns carry alignment, width, hidden and merged
// flags. The grid knows nothing of the screen: one Qt model shows any Grid.
class Grid {
 public:
  struct Range {
    int row1, col1, row2, col2;  // inclusive
  };

  explicit Grid(int rows = 1, int cols = 1, int fixedRows = 1, int fixedCols = 0);
  // A grid with one fixed header row whose texts are the "|"-separated parts of format.
  static Grid withHeader(std::string_view format);

  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cols_; }
  void setRows(int rows);  // adds empty rows at the end or drops rows from the end
  void setCols(int cols);
  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  void setFixedRows(int fixed) { fixedRows_ = fixed; }
  void setFixedCols(int fixed) { fixedCols_ = fixed; }
  int dataRows() const { return rows() > fixedRows_ ? rows() - fixedRows_ : 0; }

  // Header texts from a "|"-separated format; sets the column count to the number of parts.
  void setHeaderFormat(std::string_view format);
  // Appends a row with the given texts in columns 0.. and returns its index.
  int addRow(const std::vector<std::string>& texts = {});

  // Cells outside the grid read empty, white on black, and ignore writes.
  const std::string& text(int row, int col) const;
  void setText(int row, int col, std::string text);
  double value(int row, int col) const;  // leading number of the text; empty or none is 0

  Color backColor(int row, int col) const;  // white when never set
  Color foreColor(int row, int col) const;  // black when never set
  bool hasBackColor(int row, int col) const;
  bool hasForeColor(int row, int col) const;
  bool bold(int row, int col) const;
  const std::optional<FloodBar>& flood(int row, int col) const;

  void setBackColor(int row, int col, Color color) { setBackColor({row, col, row, col}, color); }
  void setForeColor(int row, int col, Color color) { setForeColor({row, col, row, col}, color); }
  void setBold(int row, int col, bool bold) { setBold({row, col, row, col}, bold); }
  void setBackColor(Range range, Color color);
  void setForeColor(Range range, Color color);
  void setBold(Range range, bool bold);
  void setFlood(int row, int col, Color color, double percent);

  Alignment alignment(int col) const;
  void setAlignment(int col, Alignment alignment);
  void setAllAlignments(Alignment alignment);
  bool columnHidden(int col) const;
  void setColumnHidden(int col, bool hidden);
  bool columnMerged(int col) const;  // equal adjacent cells shown as one
  void setColumnMerged(int col, bool merged);
  int columnWidth(int col) const;  // twips; 0 = fit to contents
  void setColumnWidth(int col, int twips);

  // Cells of a row joined by a tab, rows separated by a carriage return.
  std::string clipText() const;
  std::string clipText(Range range) const;
  // The texts as shown (hidden columns left out) for Italian spreadsheets: cells separated by
  // ";", every row ended by CR LF; a cell holding ";", a quote or a line break goes between
  // quotes, its quotes doubled.
  std::string csvText() const;

 private:
  struct Cell {
    std::string text;
    std::optional<Color> back;
    std::optional<Color> fore;
    bool bold = false;
    std::optional<FloodBar> flood;
  };
  struct Column {
    Alignment alignment = Alignment::Left;
    bool hidden = false;
    bool merged = false;
    int width = 0;
  };

  bool inside(int row, int col) const;
  const Cell& cell(int row, int col) const;
  template <class F>
  void forRange(Range range, F&& apply);

  int cols_;
  int fixedRows_;
  int fixedCols_;
  std::vector<std::vector<Cell>> cells_;
  std::vector<Column> columns_;
};

}  // namespace quintello
