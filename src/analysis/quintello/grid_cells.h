#pragma once

#include <string>

#include "core/grid.h"
#include "core/wheels.h"

namespace quintello {

// What the renderers of the Quintello grids share.

// The code of a wheel index ("BA".."NZ", "TU"); empty for any other index.
inline std::string wheelCode(int wheel) {
  return wheel >= 0 && wheel < static_cast<int>(SiglaRuota.size())
             ? std::string(SiglaRuota[static_cast<size_t>(wheel)])
             : std::string();
}

// A number cell of a forecast or combination: empty for 0, the empty cell.
inline std::string numberText(int n) { return n == 0 ? std::string() : std::to_string(n); }

// The data rows (1..) of columns first..last.
inline Grid::Range dataColumns(const Grid& grid, int first, int last) {
  return {1, first, grid.rows() - 1, last};
}
inline Grid::Range dataColumns(const Grid& grid, int column) {
  return dataColumns(grid, column, column);
}

}  // namespace quintello
