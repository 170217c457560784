#pragma once

#include "core/draw_archive.h"
#include "core/grid.h"

namespace quintello {

// The main window's list of every draw: rows 1..N, column 1 the index, 2 the date,
// 3 the ordinal in the year, 4 the ordinal in the month; row 0 and column 0 are fixed
// and blank.
Grid drawListGrid(const DrawArchive& archive);

}  // namespace quintello
