#include "analysis/quadrature/quadrature.h"
#include "cli/commands.h"
#include "cli/grid_output.h"

namespace quintello::cli {

namespace {

constexpr std::string_view kGridName = "quadratura";

// The labels of the square: sums on GialloMedio, distances on VerdeMedio, the total in
// white on blue.
std::vector<LabelOutput> quadratureLabels(const QuadratureValues& values) {
  std::vector<LabelOutput> labels;
  for (size_t i = 0; i < kQuadratureTable.size(); ++i) {
    const auto& measure = kQuadratureTable[i];
    labels.push_back({std::string(measure.label), std::to_string(values.values[i]),
                      measure.kind == QuadratureMeasure::Kind::Sum ? GialloMedio : VerdeMedio,
                      kBlack});
  }
  labels.push_back(
      {std::string(kQuadratureTotalLabel), std::to_string(values.total), kBlue, kWhite});
  return labels;
}

}  // namespace

void runQuadratura(const Options& options, std::ostream& out) {
  const QuadratureValues values = computeQuadrature(options.quadratura);
  Grid grid = quadratureGrid();
  fillQuadratureGrid(grid, values);
  if (options.json) {
    out << gridsJson({{std::string(kGridName), &grid}}, quadratureLabels(values)) << '\n';
    return;
  }
  printGrid(out, std::string(kGridName), grid);
  out << "# totale\n"
      << "Somma totale\t" << values.total << '\n';
}

}  // namespace quintello::cli
