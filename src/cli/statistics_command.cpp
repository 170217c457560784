#include "analysis/statistics/number_statistics.h"
#include "cli/commands.h"
#include "cli/grid_output.h"

namespace quintello::cli {

namespace {

constexpr std::string_view kGridName = "statistiche";

}  // namespace

void runStatistiche(const Options& options, const DrawArchive& archive, std::ostream& out) {
  const StatisticheOptions& s = options.statistiche;
  const DrawRange range = drawsBetween(archive, s.dal, s.al);
  const Grid grid = statisticsGrid(archive, numberStatistics(archive, s.ruota, range));
  if (options.json)
    out << gridsJson({{std::string(kGridName), &grid}}, {}) << '\n';
  else
    printGrid(out, std::string(kGridName), grid);
}

}  // namespace quintello::cli
