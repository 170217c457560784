#pragma once

#include <QString>

#include "core/grid.h"

namespace quintello {
class GridView;
}

namespace quintello::test {

// The first difference between what a view shows (headers, hidden columns, each cell's text,
// colours and bold) and the grid the core rendered, named by the view; empty when none.
QString differences(const GridView* view, const Grid& expected);

}  // namespace quintello::test
