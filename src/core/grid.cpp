#include "core/grid.h"

#include <algorithm>

#include "core/text_number.h"

namespace quintello {

namespace {

std::vector<std::string> splitFormat(std::string_view format) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t bar = format.find('|', start);
    parts.emplace_back(format.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return parts;
}

}  // namespace

Grid::Grid(int rows, int cols, int fixedRows, int fixedCols)
    : cols_(std::max(cols, 0)), fixedRows_(fixedRows), fixedCols_(fixedCols) {
  columns_.resize(static_cast<size_t>(cols_));
  setRows(rows);
}

Grid Grid::withHeader(std::string_view format) {
  Grid grid(1, 1, 1, 0);
  grid.setHeaderFormat(format);
  return grid;
}

void Grid::setRows(int rows) {
  cells_.resize(static_cast<size_t>(std::max(rows, 0)),
                std::vector<Cell>(static_cast<size_t>(cols_)));
}

void Grid::setCols(int cols) {
  cols_ = std::max(cols, 0);
  columns_.resize(static_cast<size_t>(cols_));
  for (auto& row : cells_) row.resize(static_cast<size_t>(cols_));
}

void Grid::setHeaderFormat(std::string_view format) {
  const auto parts = splitFormat(format);
  setCols(static_cast<int>(parts.size()));
  if (rows() < 1) setRows(1);
  for (size_t c = 0; c < parts.size(); ++c) cells_[0][c].text = parts[c];
}

int Grid::addRow(const std::vector<std::string>& texts) {
  cells_.emplace_back(static_cast<size_t>(cols_));
  auto& row = cells_.back();
  for (size_t c = 0; c < texts.size() && c < row.size(); ++c) row[c].text = texts[c];
  return rows() - 1;
}

bool Grid::inside(int row, int col) const {
  return row >= 0 && row < rows() && col >= 0 && col < cols_;
}

const Grid::Cell& Grid::cell(int row, int col) const {
  static const Cell kEmpty;
  return inside(row, col) ? cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] : kEmpty;
}

const std::string& Grid::text(int row, int col) const { return cell(row, col).text; }

void Grid::setText(int row, int col, std::string text) {
  if (inside(row, col))
    cells_[static_cast<size_t>(row)][static_cast<size_t>(col)].text = std::move(text);
}

double Grid::value(int row, int col) const { return leadingNumber(text(row, col)); }

Color Grid::backColor(int row, int col) const { return cell(row, col).back.value_or(kWhite); }
Color Grid::foreColor(int row, int col) const { return cell(row, col).fore.value_or(kBlack); }
bool Grid::hasBackColor(int row, int col) const { return cell(row, col).back.has_value(); }
bool Grid::hasForeColor(int row, int col) const { return cell(row, col).fore.has_value(); }
bool Grid::bold(int row, int col) const { return cell(row, col).bold; }
const std::optional<FloodBar>& Grid::flood(int row, int col) const { return cell(row, col).flood; }

template <class F>
void Grid::forRange(Range range, F&& apply) {
  const int r1 = std::max(std::min(range.row1, range.row2), 0);
  const int r2 = std::min(std::max(range.row1, range.row2), rows() - 1);
  const int c1 = std::max(std::min(range.col1, range.col2), 0);
  const int c2 = std::min(std::max(range.col1, range.col2), cols_ - 1);
  for (int r = r1; r <= r2; ++r)
    for (int c = c1; c <= c2; ++c) apply(cells_[static_cast<size_t>(r)][static_cast<size_t>(c)]);
}

void Grid::setBackColor(Range range, Color color) {
  forRange(range, [color](Cell& cell) { cell.back = color; });
}

void Grid::setForeColor(Range range, Color color) {
  forRange(range, [color](Cell& cell) { cell.fore = color; });
}

void Grid::setBold(Range range, bool bold) {
  forRange(range, [bold](Cell& cell) { cell.bold = bold; });
}

void Grid::setFlood(int row, int col, Color color, double percent) {
  forRange({row, col, row, col}, [&](Cell& cell) {
    cell.flood = FloodBar{color, std::clamp(percent, 0.0, 100.0)};
  });
}

Alignment Grid::alignment(int col) const {
  return col >= 0 && col < cols_ ? columns_[static_cast<size_t>(col)].alignment : Alignment::Left;
}

void Grid::setAlignment(int col, Alignment alignment) {
  if (col >= 0 && col < cols_) columns_[static_cast<size_t>(col)].alignment = alignment;
}

void Grid::setAllAlignments(Alignment alignment) {
  for (auto& column : columns_) column.alignment = alignment;
}

bool Grid::columnHidden(int col) const {
  return col >= 0 && col < cols_ && columns_[static_cast<size_t>(col)].hidden;
}

void Grid::setColumnHidden(int col, bool hidden) {
  if (col >= 0 && col < cols_) columns_[static_cast<size_t>(col)].hidden = hidden;
}

bool Grid::columnMerged(int col) const {
  return col >= 0 && col < cols_ && columns_[static_cast<size_t>(col)].merged;
}

void Grid::setColumnMerged(int col, bool merged) {
  if (col >= 0 && col < cols_) columns_[static_cast<size_t>(col)].merged = merged;
}

int Grid::columnWidth(int col) const {
  return col >= 0 && col < cols_ ? columns_[static_cast<size_t>(col)].width : 0;
}

void Grid::setColumnWidth(int col, int twips) {
  if (col >= 0 && col < cols_) columns_[static_cast<size_t>(col)].width = std::max(twips, 0);
}

std::string Grid::clipText() const { return clipText({0, 0, rows() - 1, cols_ - 1}); }

std::string Grid::clipText(Range range) const {
  std::string out;
  const int r1 = std::max(range.row1, 0), r2 = std::min(range.row2, rows() - 1);
  const int c1 = std::max(range.col1, 0), c2 = std::min(range.col2, cols_ - 1);
  for (int r = r1; r <= r2; ++r) {
    if (r > r1) out += '\r';
    for (int c = c1; c <= c2; ++c) {
      if (c > c1) out += '\t';
      out += text(r, c);
    }
  }
  return out;
}

std::string Grid::csvText() const {
  std::string out;
  for (int r = 0; r < rows(); ++r) {
    bool first = true;
    for (int c = 0; c < cols_; ++c) {
      if (columnHidden(c)) continue;
      if (!first) out += ';';
      first = false;
      const std::string& cell = text(r, c);
      if (cell.find_first_of(";\"\r\n") == std::string::npos) {
        out += cell;
        continue;
      }
      out += '"';
      for (const char ch : cell) {
        if (ch == '"') out += '"';
        out += ch;
      }
      out += '"';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace quintello
