#pragma once

#include "core/grid.h"

namespace quintello {

// What the renderers of the Quintello grids share.

// The data rows (1..) of columns first..last.
inline Grid::Range dataColumns(const Grid& grid, int first, int last) {
  return {1, first, grid.rows() - 1, last};
}
inline Grid::Range dataColumns(const Grid& grid, int column) {
  return dataColumns(grid, column, column);
}

}  // namespace quintello
