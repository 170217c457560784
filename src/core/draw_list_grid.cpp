#include "core/draw_list_grid.h"

#include <string>

namespace quintello {

Grid drawListGrid(const DrawArchive& archive) {
  Grid grid(archive.count() + 1, 5, 1, 1);
  for (int r = 1; r <= archive.count(); ++r) {
    grid.setText(r, 1, std::to_string(r));
    grid.setText(r, 2, archive.dateText(r));
    grid.setText(r, 3, std::to_string(archive.yearOrdinal(r)));
    grid.setText(r, 4, std::to_string(archive.monthOrdinal(r)));
  }
  grid.setColumnWidth(0, 300);
  for (int c = 1; c <= 4; ++c) grid.setAlignment(c, Alignment::Center);
  return grid;
}

}  // namespace quintello
