#pragma once

#include <QString>

#include "core/grid.h"

namespace quintello {
class GridView;
}

namespace quintello::test {

// What a view shows against the grid the core renders: header texts, then every cell's
// text, back colour, text colour and bold, and the hidden columns. Empty when they agree, else
// the first difference, named by the view's objectName.
QString differences(const GridView* view, const Grid& expected);

}  // namespace quintello::test
