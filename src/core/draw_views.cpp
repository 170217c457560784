#include "core/draw_views.h"

#include "core/text_number.h"
#include "core/wheels.h"

namespace quintello {

namespace {

constexpr std::string_view kMiniListHeader = "Ruota| N1 | N2 | N3 | N4 | N5 ";
constexpr std::string_view kDrawListHeader = "Rif  |N° Estr|Data Estraz  |Ruota|N1|N2|N3|N4|N5|QN";

Grid::Range numberCells(const Grid& grid) {
  return {grid.fixedRows(), grid.fixedCols(), grid.rows() - 1, grid.cols() - 1};
}

}  // namespace

Grid miniListGrid() {
  Grid grid = Grid::withHeader(kMiniListHeader);
  grid.setFixedCols(1);
  grid.setRows(kWheelCount + 1);
  for (int w = 0; w < kWheelCount; ++w)
    grid.setText(w + 1, 0, std::string(SiglaRuota[static_cast<size_t>(w)]));
  grid.setBold({0, 0, kWheelCount, 0}, true);
  grid.setAllAlignments(Alignment::Center);
  clearHighlights(grid);
  return grid;
}

void showDrawInMiniList(Grid& grid, const DrawArchive& archive, int draw) {
  clearHighlights(grid);
  for (int w = 0; w < kWheelCount; ++w)
    for (int k = 1; k <= kPositions; ++k)
      grid.setText(w + 1, k, std::to_string(archive.number(draw, w, k)));
}

std::string ordinalsText(const DrawArchive& archive, int draw) {
  return "PM=" + std::to_string(archive.monthOrdinal(draw)) +
         "   PA=" + std::to_string(archive.yearOrdinal(draw));
}

bool toggleHighlight(Grid& grid, int row, int col) {
  if (row < grid.fixedRows() || row >= grid.rows() || col < grid.fixedCols() || col >= grid.cols())
    return false;
  grid.setBackColor(row, col, grid.backColor(row, col) == kHighlight ? kWhite : kHighlight);
  return true;
}

void clearHighlights(Grid& grid) {
  if (grid.rows() > grid.fixedRows() && grid.cols() > grid.fixedCols())
    grid.setBackColor(numberCells(grid), kWhite);
}

std::optional<int> drawIndexFromAnswer(std::string_view answer, int drawCount) {
  if (!isWholeNumber(answer)) return std::nullopt;
  const int index = leadingInteger(answer);
  if (index < 1 || index > drawCount) return std::nullopt;
  return index;
}

std::optional<int> findDrawByDate(const DrawArchive& archive, std::string_view dateText) {
  for (int d = 1; d <= archive.count(); ++d)
    if (archive.dateText(d) == dateText) return d;
  return std::nullopt;
}

Grid drawListWindowGrid() {
  Grid grid = Grid::withHeader(kDrawListHeader);
  grid.setAllAlignments(Alignment::Center);
  return grid;
}

Grid numberBoardGrid() {
  Grid board(kBoardRows, kBoardCols, 0, 0);
  for (int r = 0; r < kBoardRows; ++r)
    for (int c = 0; c < kBoardCols; ++c) board.setText(r, c, std::to_string(boardNumber(r, c)));
  board.setAllAlignments(Alignment::Center);
  board.setBackColor({0, 0, kBoardRows - 1, kBoardCols - 1}, kWhite);
  return board;
}

int boardNumber(int row, int col) {
  if (row < 0 || row >= kBoardRows || col < 0 || col >= kBoardCols) return 0;
  return kBoardCols * row + col + 1;
}

void markBoardNumbers(Grid& board, std::span<const int> numbers) {
  board.setBackColor({0, 0, kBoardRows - 1, kBoardCols - 1}, kWhite);
  for (const int n : numbers)
    if (isLottoNumber(n))
      board.setBackColor((n - 1) / kBoardCols, (n - 1) % kBoardCols, kHighlight);
}

int pickBoardNumber(Grid& board, int row, int col) {
  if (boardNumber(row, col) == 0) return 0;
  board.setBackColor({0, 0, kBoardRows - 1, kBoardCols - 1}, kWhite);
  board.setBackColor(row, col, kPickedNumber);
  return static_cast<int>(board.value(row, col));
}

}  // namespace quintello
