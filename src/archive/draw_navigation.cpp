#include "archive/draw_navigation.h"

#include <algorithm>

#include "core/draw_views.h"
#include "core/text_number.h"
#include "core/wheel_text.h"
#include "core/wheels.h"

namespace quintello {

namespace {

constexpr int kFgDBDateColumn = 1;
constexpr int kFgDBFirstWheelColumn = 2;
constexpr int kFgDBColumns = kFgDBFirstWheelColumn + kWheelCount;

// A whole number from `first` to N, or nothing.
std::optional<int> drawInRange(std::string_view answer, int first, int drawCount) {
  if (!isWholeNumber(answer)) return std::nullopt;
  const int index = leadingInteger(answer);
  if (index < first || index > drawCount) return std::nullopt;
  return index;
}

Grid::Range fgdbCells(const Grid& grid) { return {1, 1, grid.rows() - 1, grid.cols() - 1}; }

}  // namespace

ShownDrawLabels shownDrawLabels(const DrawArchive& archive, int draw) {
  return {archive.dateText(draw), std::to_string(draw), std::to_string(archive.monthOrdinal(draw)),
          std::to_string(archive.yearOrdinal(draw))};
}

ArchiveLabels AggiornaEtichette(const DrawArchive& archive) {
  const int n = archive.count();
  return {std::to_string(n), archive.dateText(n), n > 0 ? 1 : 0, n, n};
}

std::optional<int> indexInputDraw(std::string_view answer, const DrawArchive& archive) {
  return drawInRange(answer, 1, archive.count());
}

SearchResult searchByDate(const DrawArchive& archive, std::string_view answer) {
  if (const auto draw = findDrawByDate(archive, answer); draw && !answer.empty())
    return {draw, std::nullopt};
  return {std::nullopt, kDateNotFound};
}

SearchResult searchByIndex(const DrawArchive& archive, std::string_view answer) {
  return {drawInRange(answer, kIndexSearchFirst, archive.count()), std::nullopt};
}

Grid FgDBGrid(const DrawArchive& archive) {
  const int n = archive.count();
  Grid grid(n + 1, kFgDBColumns, 1, 1);
  grid.setText(0, kFgDBDateColumn, "DataEstrazione");
  for (int w = 0; w < kWheelCount; ++w)
    grid.setText(0, kFgDBFirstWheelColumn + w, std::string(kWheelFields[static_cast<size_t>(w)]));
  for (int r = 1; r <= n; ++r) {
    grid.setText(r, kFgDBDateColumn, archive.dateText(r));
    for (int w = 0; w < kWheelCount; ++w) {
      const auto numbers = archive.wheel(r, w);
      WheelNumbers wheel;
      std::copy(numbers.begin(), numbers.end(), wheel.begin());
      grid.setText(r, kFgDBFirstWheelColumn + w, encodeWheelText(wheel));
    }
  }
  grid.setColumnWidth(0, 300);
  for (int c = 1; c < kFgDBColumns; ++c) grid.setAlignment(c, Alignment::Center);
  return grid;
}

void highlightFgDBRow(Grid& grid, int row) {
  if (grid.rows() < 2 || grid.cols() < 2) return;
  grid.setBackColor(fgdbCells(grid), kWhite);
  if (row >= 1 && row < grid.rows())
    grid.setBackColor({row, 1, row, grid.cols() - 1}, kFgDBCurrentRow);
}

std::string Label9Text(const DrawArchive& archive) { return std::to_string(archive.count()); }

std::optional<DrawSelection> FgDBSelection(const Grid& grid, int row) {
  if (row < 1 || row >= grid.rows()) return std::nullopt;
  return DrawSelection{row, grid.text(row, kFgDBDateColumn)};
}

}  // namespace quintello
