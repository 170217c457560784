#pragma once

#include <span>

#include "analysis/quintello/combination_search.h"
#include "analysis/quintello/forecast_book.h"
#include "analysis/quintello/occurrence_list.h"
#include "core/grid.h"

namespace quintello {

// The grids and labels of the Quintello window, rendered from the typed state of its parts.

// Labels of the window under the result list and the forecast list.
struct QuintelloLabels {
  Label LBL_NC;  // rows found
  Label Label7;  // span summary
  Label Lbl_T;   // "Coperti"
  Label Lbl_S;   // "Scoperti"
  friend bool operator==(const QuintelloLabels&, const QuintelloLabels&) = default;
};

Grid renderFg1(const OccurrenceList& list);
Grid renderFgN(const OccurrenceList& list);
Grid renderFg_ZZ(const ForecastBook& book);
Grid renderFg_CC(const CombinationSearch& search);
Grid renderFgU(const CombinationSearch& search);
// The ranked combinations of the last search, the columns beyond k hidden.
Grid renderFg_I2(const CombinationSearch& search, int k);
Grid renderFg9090(const CombinationSearch& search);
Grid renderList3(const CombinationSearch& search);  // one line per row, no header
// The number board, 9 x 10, no header, the given numbers marked.
Grid renderFg90(std::span<const int> marked);
// The draw display fga for a draw, `number` yellow; with outcomeRow, the numbers of that row
// of the list that hit are green on the row of its game wheel.
Grid renderFga(const DrawArchive& archive, int draw, int number, const OccurrenceList& list,
               int outcomeRow = 0);
QuintelloLabels renderLabels(const OccurrenceList& list, const ForecastBook& book);

}  // namespace quintello
