#include "analysis/quadrature/quadrature.h"

#include <cstdlib>

#include "core/color.h"

namespace quintello {

namespace {

constexpr int kRing = 90;
constexpr std::string_view kGridHeader = "Somma / Distanza            |Elementi|Numeri |Valore";
constexpr int kNumbersColumn = 2;
constexpr int kValueColumn = 3;

}  // namespace

int cyclicSum(long long total) {
  const long long rest = ((total % kRing) + kRing) % kRing;
  return rest == 0 ? kRing : static_cast<int>(rest);
}

int cyclicSum(int a, int b) { return cyclicSum(static_cast<long long>(a) + b); }

int cyclicDistance(int a, int b) {
  // Reduced on the ring first, so that values outside 0..90 still give 0..45.
  const long long d = std::llabs(static_cast<long long>(a) - b) % kRing;
  return static_cast<int>(d > kRing / 2 ? kRing - d : d);
}

QuadratureValues computeQuadrature(const std::array<int, 4>& corners) {
  QuadratureValues result;
  result.corners = corners;
  for (size_t i = 0; i < kQuadratureTable.size(); ++i) {
    const auto& measure = kQuadratureTable[i];
    const int a = corners[static_cast<size_t>(measure.first)];
    const int b = corners[static_cast<size_t>(measure.second)];
    result.values[i] =
        measure.kind == QuadratureMeasure::Kind::Sum ? cyclicSum(a, b) : cyclicDistance(a, b);
  }
  long long total = 0;
  for (const int n : corners) total += n;
  result.total = cyclicSum(total);
  return result;
}

std::string cornerText(int number) { return number == 0 ? std::string() : std::to_string(number); }

Grid quadratureGrid() {
  Grid grid = Grid::withHeader(kGridHeader);
  for (const auto& measure : kQuadratureTable)
    grid.addRow({std::string(measure.name), std::string(measure.pair)});
  for (int col = 1; col < grid.cols(); ++col) grid.setAlignment(col, Alignment::Center);
  return grid;
}

void fillQuadratureGrid(Grid& grid, const QuadratureValues& values) {
  for (int row = 1; row <= kQuadratureMeasures; ++row) {
    grid.setText(row, kNumbersColumn, {});
    grid.setText(row, kValueColumn, {});
  }
  for (int row = 1; row <= kQuadratureMeasures; ++row) {
    const auto i = static_cast<size_t>(row - 1);
    const auto& measure = kQuadratureTable[i];
    grid.setText(row, kNumbersColumn,
                 cornerText(values.corners[static_cast<size_t>(measure.first)]) + " " +
                     cornerText(values.corners[static_cast<size_t>(measure.second)]));
    grid.setText(row, kValueColumn, std::to_string(values.values[i]));
  }
  const Grid::Range valueRange{1, kValueColumn, kQuadratureMeasures, kValueColumn};
  grid.setBackColor(valueRange, GialloMedio);
  grid.setForeColor(valueRange, kRed);
  grid.setForeColor({1, kNumbersColumn, kQuadratureMeasures, kNumbersColumn}, kBlue);
}

}  // namespace quintello
