// Each forecast against chance: the outcomes of its play windows beside what the same numbers
// played at random would give over the same windows.

#include "analysis/quintello/chance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/quintello/draw_numbers.h"
#include "analysis/quintello/forecast_book.h"
#include "analysis/quintello/grid_cells.h"
#include "analysis/quintello/grid_columns.h"
#include "core/number_format.h"

namespace quintello {

namespace {

// C(n, k) in whole numbers; every value the Lotto needs (n <= 90, k <= 5) is far from the limit.
constexpr std::uint64_t binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  std::uint64_t result = 1;
  for (int i = 0; i < k; ++i)
    result = result * static_cast<std::uint64_t>(n - i) / static_cast<std::uint64_t>(i + 1);
  return result;
}

constexpr std::uint64_t kFiveOfNinety = binomial(kHighestNumber, kPositions);
static_assert(kFiveOfNinety == 43'949'268);

std::string joinedNumbers(const std::array<int, kNumeriPrevisione>& numbers) {
  std::string text;
  for (const int n : numbers)
    if (n != 0) text += (text.empty() ? "" : "-") + std::to_string(n);
  return text;
}

}  // namespace

double drawHitProbability(int numbers, int sorte) {
  if (numbers < 0 || numbers > kHighestNumber) return 0;
  std::uint64_t favourable = 0;
  for (int j = std::max(sorte, 0); j <= std::min(numbers, kPositions); ++j)
    favourable += binomial(numbers, j) * binomial(kHighestNumber - numbers, kPositions - j);
  // Both whole numbers are below 2^53: the quotient is the exact one, rounded once.
  return static_cast<double>(favourable) / static_cast<double>(kFiveOfNinety);
}

double windowHitProbability(double drawProbability, int draws) {
  if (draws <= 0 || drawProbability <= 0) return 0;
  if (drawProbability >= 1) return 1;
  // 1 - (1 - p)^L without losing the digits of a small p.
  return -std::expm1(draws * std::log1p(-drawProbability));
}

double atLeastOutcomes(std::span<const double> windowProbabilities, int outcomes) {
  if (outcomes <= 0) return 1;
  if (static_cast<size_t>(outcomes) > windowProbabilities.size()) return 0;
  // ways[j]: the chance of exactly j successes so far, and ways[outcomes] of that many or more.
  const auto top = static_cast<size_t>(outcomes);
  std::vector<double> ways(top + 1, 0.0);
  ways[0] = 1;
  for (const double p : windowProbabilities) {
    const double miss = 1 - p;
    ways[top] += ways[top - 1] * p;
    for (size_t j = top - 1; j >= 1; --j) ways[j] = ways[j] * miss + ways[j - 1] * p;
    ways[0] *= miss;
  }
  return ways[top];
}

std::vector<ChanceComparison> ForecastBook::chanceComparison(const PlayWindows& windows) const {
  const auto& rows = windows.rows;
  // The full draws of each window, the same for every forecast.
  std::vector<int> fullDraws;
  fullDraws.reserve(rows.size());
  for (const auto& row : rows) {
    int count = 0;
    for (int d = row.Inizio; d <= row.End; ++d)
      count += holdsFullDraw(windows.archive, d, windows.wheel) ? 1 : 0;
    fullDraws.push_back(count);
  }

  std::vector<ChanceComparison> table;
  std::vector<double> windowChances(rows.size());
  for (const auto& forecast : forecasts_) {
    ChanceComparison row{forecast.Numero, forecast.Sorte, forecast.Numeri};
    const NumberMask set = NumberMask::of(forecast.Numeri);
    const double p = drawHitProbability(set.count(), forecast.Sorte);
    for (size_t i = 0; i < rows.size(); ++i) {
      if (fullDraws[i] >= 1) ++row.Finestre;
      if (windowScores(windows.archive, windows.wheel, rows[i].Inizio, rows[i].End, set,
                       forecast.Sorte))
        ++row.Esiti;
      windowChances[i] = windowHitProbability(p, fullDraws[i]);
      row.Attesi += windowChances[i];
    }
    row.Probabilita = atLeastOutcomes(windowChances, row.Esiti);
    table.push_back(row);
  }
  return table;
}

Grid ForecastBook::chanceReport(const PlayWindows& windows) const {
  Grid grid = Grid::withHeader("N°|Sorte|Numeri|Finestre|Esiti|Attesi|Rapporto|Probabilità");
  grid.setAllAlignments(Alignment::Center);
  for (const auto& row : chanceComparison(windows)) {
    const auto ratio = row.Rapporto();
    grid.addRow({std::to_string(row.Numero), std::to_string(row.Sorte), joinedNumbers(row.Numeri),
                 std::to_string(row.Finestre), std::to_string(row.Esiti),
                 formatNumber(row.Attesi, "0.00"), ratio ? formatNumber(*ratio, "0.00") : "",
                 formatNumber(row.Probabilita, "0.0000")});
  }
  if (grid.dataRows() > 0) {
    grid.setBold(dataColumns(grid, caso::kNumeri), true);
    grid.setForeColor(dataColumns(grid, caso::kNumeri), kBlue);
    grid.setBackColor(dataColumns(grid, caso::kProbabilita), GialloMedio);
  }
  return grid;
}

}  // namespace quintello
