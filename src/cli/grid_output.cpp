#include "cli/grid_output.h"

#include "cli/json.h"
#include "core/one_line_text.h"

namespace quintello::cli {

void printGrid(std::ostream& out, const std::string& name, const Grid& grid) {
  out << "# " << oneLineText(name) << '\n';
  for (int row = 0; row < grid.rows(); ++row) {
    for (int col = 0; col < grid.cols(); ++col) {
      if (col > 0) out << '\t';
      out << oneLineText(grid.text(row, col));
    }
    out << '\n';
  }
}

void printLabels(std::ostream& out, const std::vector<LabelOutput>& labels) {
  for (const auto& label : labels)
    out << oneLineText(label.name) << '\t' << oneLineText(label.text) << '\n';
}

namespace {

Json cellJson(const Grid& grid, int row, int col) {
  Json cell = {{"text", grid.text(row, col)},
               {"back", grid.backColor(row, col).hex()},
               {"fore", grid.foreColor(row, col).hex()},
               {"bold", grid.bold(row, col)}};
  if (const auto& flood = grid.flood(row, col))
    cell["flood"] = {{"color", flood->color.hex()}, {"percent", flood->percent}};
  return cell;
}

Json gridJson(const GridOutput& output) {
  Json rows = Json::array();
  for (int row = 0; row < output.grid->rows(); ++row) {
    Json cells = Json::array();
    for (int col = 0; col < output.grid->cols(); ++col)
      cells.push_back(cellJson(*output.grid, row, col));
    rows.push_back(std::move(cells));
  }
  return {{"name", output.name}, {"rows", std::move(rows)}};
}

}  // namespace

std::string gridsJson(const std::vector<GridOutput>& grids,
                      const std::vector<LabelOutput>& labels) {
  Json document = {{"grids", Json::array()}, {"labels", Json::object()}};
  for (const auto& grid : grids) document["grids"].push_back(gridJson(grid));
  for (const auto& label : labels)
    document["labels"][label.name] = {
        {"text", label.text}, {"back", label.back.hex()}, {"fore", label.fore.hex()}};
  return jsonText(document);
}

}  // namespace quintello::cli
