#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/grid.h"

namespace quintello::cli {

// A label of a window as the command line shows it: its name ("LBL_NC"), caption and colours.
struct LabelOutput {
  std::string name;
  std::string text;
  Color back = kWhite;
  Color fore = kBlack;
};

// A grid to print under a name.
struct GridOutput {
  std::string name;
  const Grid* grid;
};

// The grid's clip text, one row per line: a line "# name", then every row (header included)
// with its cells joined by a tab.
void printGrid(std::ostream& out, const std::string& name, const Grid& grid);
// Labels as lines "name<TAB>text".
void printLabels(std::ostream& out, const std::vector<LabelOutput>& labels);

// The JSON document of the printed grids and the labels:
//   {"grids":[{"name":N,"rows":[[{"text":T,"back":"#rrggbb","fore":"#rrggbb","bold":B}, ...],
//   ...]}, ...], "labels":{NAME:{"text":T,"back":"#rrggbb","fore":"#rrggbb"}, ...}}
// A cell with a flood bar adds "flood":{"color":"#rrggbb","percent":P}.
std::string gridsJson(const std::vector<GridOutput>& grids, const std::vector<LabelOutput>& labels);

}  // namespace quintello::cli
