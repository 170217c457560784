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

std::string gridsJson(const std::vector<GridOutput>& grids,
                      const std::vector<LabelOutput>& labels) {
  JsonWriter json;
  json.beginObject().key("grids").beginArray();
  for (const auto& [name, grid] : grids) {
    json.beginObject().key("name").value(name).key("rows").beginArray();
    for (int row = 0; row < grid->rows(); ++row) {
      json.beginArray();
      for (int col = 0; col < grid->cols(); ++col) {
        json.beginObject()
            .key("text")
            .value(grid->text(row, col))
            .key("back")
            .value(grid->backColor(row, col).hex())
            .key("fore")
            .value(grid->foreColor(row, col).hex())
            .key("bold")
            .value(grid->bold(row, col));
        if (const auto& flood = grid->flood(row, col)) {
          json.key("flood").beginObject();
          json.key("color").value(flood->color.hex()).key("percent").value(flood->percent);
          json.endObject();
        }
        json.endObject();
      }
      json.endArray();
    }
    json.endArray().endObject();
  }
  json.endArray().key("labels").beginObject();
  for (const auto& label : labels) {
    json.key(label.name).beginObject();
    json.key("text").value(label.text).key("back").value(label.back.hex());
    json.key("fore").value(label.fore.hex()).endObject();
  }
  json.endObject().endObject();
  return json.text();
}

}  // namespace quintello::cli
