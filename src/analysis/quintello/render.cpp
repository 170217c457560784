// The grids of the Quintello window, rendered from the typed state of its parts.

#include "analysis/quintello/render.h"

#include <algorithm>
#include <string>

#include "analysis/quintello/grid_cells.h"
#include "analysis/quintello/grid_columns.h"
#include "core/draw_views.h"

namespace quintello {

namespace {

constexpr Color kAzzurroPr{192, 255, 255};

// After a click on a row: every data cell but column 0 white, the row yellow.
void highlightRow(Grid& grid, int row) {
  if (row < 1 || grid.rows() < 2) return;
  grid.setBackColor({1, 1, grid.rows() - 1, grid.cols() - 1}, kWhite);
  grid.setBackColor({row, 1, row, grid.cols() - 1}, kYellow);
}

}  // namespace

Grid renderFg1(const OccurrenceList& list) {
  Grid grid = Grid::withHeader(
      "N°   |Estr     |Data Estraz    |Inizio   |Fine    |End    |Pr   |RR  |RG  |1  |2  |3  "
      "|4  |5  |C  |N° Est  |Data Esito     |S    |Ge   ");
  grid.setAllAlignments(Alignment::Center);
  for (const auto& row : list.rows()) {
    const int r =
        grid.addRow({std::to_string(row.Numero), std::to_string(row.Estr), row.DataEstraz,
                     std::to_string(row.Inizio), std::to_string(row.Fine), std::to_string(row.End),
                     numberText(row.Pr), wheelCode(row.RR), wheelCode(row.RG)});
    if (row.hasOutcome()) {
      for (int k = 0; k < kPositions; ++k) {
        grid.setText(r, fg1::kEsito + k, std::to_string(row.esitoNumeri[static_cast<size_t>(k)]));
        if (row.esitoVerde[static_cast<size_t>(k)]) grid.setBackColor(r, fg1::kEsito + k, kGreen);
      }
      grid.setText(r, fg1::kC, std::to_string(row.C));
      grid.setText(r, fg1::kNEst, std::to_string(row.NEst));
      grid.setText(r, fg1::kDataEsito, row.DataEsito);
      grid.setText(r, fg1::kS, row.S);
      grid.setText(r, fg1::kGe, row.Ge);
    }
    if (row.estrRed) grid.setBackColor(r, fg1::kEstr, kRed);
    if (row.inizioGreen) grid.setBackColor(r, fg1::kInizio, kGreen);
    if (row.endCut) grid.setBackColor(r, fg1::kEnd, kYellow);
    if (row.incomplete) grid.setBackColor(r, fg1::kNumero, kYellow);
  }
  if (grid.dataRows() > 0) {
    grid.setBackColor(dataColumns(grid, fg1::kPr), kAzzurroPr);
    grid.setBold(dataColumns(grid, fg1::kPr), true);
    grid.setBackColor(dataColumns(grid, fg1::kRR), VerdeChiaro);
    grid.setBackColor(dataColumns(grid, fg1::kRG), GialloMedio);
    grid.setBold(dataColumns(grid, fg1::kRG), true);
  }
  return grid;
}

Grid renderFgN(const OccurrenceList& list) {
  const NumberStatistics& stats = list.statistics();
  Grid grid = Grid::withHeader("N°|TU|ES|SC|RIT ");
  grid.setAllAlignments(Alignment::Center);
  if (!stats.computed) return grid;
  for (int n = 1; n <= kHighestNumber; ++n) {
    const auto i = static_cast<size_t>(n);
    auto count = [](int v) { return v > 0 ? std::to_string(v) : std::string(); };
    grid.addRow({std::to_string(n), count(stats.TU[i]), count(stats.ES[i]), count(stats.SC[i]),
                 stats.RIT[i] >= 0 ? std::to_string(stats.RIT[i]) : std::string()});
  }
  grid.setBold(dataColumns(grid, fgN::kNumero), true);
  grid.setBackColor(dataColumns(grid, fgN::kNumero), GialloMedio);
  return grid;
}

Grid renderFg_ZZ(const ForecastBook& book) {
  Grid grid = Grid::withHeader("N° |Sorte|Esiti|ET  |1|2|3|4|5|6|7");
  int highlighted = 0;
  for (const auto& forecast : book.forecasts()) {
    const int r = grid.addRow({std::to_string(forecast.Numero), std::to_string(forecast.Sorte),
                               std::to_string(forecast.Esiti), ""});
    for (int c = 0; c < kNumeriPrevisione; ++c)
      grid.setText(r, fgZZ::kNumeri + c, numberText(forecast.Numeri[static_cast<size_t>(c)]));
    if (forecast.highlighted) highlighted = r;
  }
  if (grid.dataRows() > 0) {
    const auto numbers = dataColumns(grid, fgZZ::kNumeri, fgZZ::kColumns - 1);
    grid.setBold(numbers, true);
    grid.setForeColor(numbers, kBlue);
  }
  highlightRow(grid, highlighted);
  return grid;
}

Grid renderFg_CC(const CombinationSearch& search) {
  Grid grid = Grid::withHeader("CC   |N1 |N2 |N3 |N4 |N5 |N6 |N7 ");
  int highlighted = 0;
  for (const auto& combination : search.combinations()) {
    const int r = grid.addRow({combination.CC ? std::to_string(*combination.CC) : std::string()});
    for (int c = 0; c < kNumeriPrevisione; ++c)
      grid.setText(r, fgCC::kNumeri + c, numberText(combination.numbers[static_cast<size_t>(c)]));
    if (combination.highlighted) highlighted = r;
  }
  highlightRow(grid, highlighted);
  return grid;
}

Grid renderFgU(const CombinationSearch& search) {
  Grid grid(1, fgU::kColumns, 1, 0);
  for (const auto& draw : search.EstrazioniScoperte()) {
    const int r = grid.addRow({std::to_string(draw.row)});
    for (int k = 0; k < kPositions; ++k)
      grid.setText(r, fgU::kNumeri + k, std::to_string(draw.numbers[static_cast<size_t>(k)]));
    grid.setText(r, fgU::kDraw, std::to_string(draw.draw));
  }
  return grid;
}

Grid renderFg_I2(const CombinationSearch& search, int k) {
  Grid grid(1, fgI2::kColumns, 1, 0);
  for (const auto& combination : search.rankedCombinations()) {
    const int r = grid.addRow({std::to_string(combination.score)});
    for (int c = 0; c < search.rankedSize(); ++c)
      grid.setText(r, fgI2::kNumeri + c, numberText(combination.numbers[static_cast<size_t>(c)]));
  }
  for (int c = fgI2::kNumeri + k; c < fgI2::kColumns; ++c) grid.setColumnHidden(c, true);
  return grid;
}

Grid renderFg9090(const CombinationSearch& search) {
  Grid grid = Grid::withHeader(" |N1 |N2 |CC  ");
  for (const auto& pair : search.pairs())
    grid.addRow({"", std::to_string(pair.N1), std::to_string(pair.N2), std::to_string(pair.CC)});
  if (grid.dataRows() > 0) {
    const auto counts = dataColumns(grid, fg9090::kCC);
    grid.setBackColor(counts, GialloMedio);
    grid.setBold(counts, true);
  }
  return grid;
}

Grid renderList3(const CombinationSearch& search) {
  Grid grid(0, 1, 0, 0);
  for (const auto& line : search.list3()) grid.addRow({line});
  return grid;
}

Grid renderFg90(std::span<const int> marked) {
  Grid board = numberBoardGrid();
  markBoardNumbers(board, marked);
  return board;
}

Grid renderFga(const DrawArchive& archive, int draw, int number, const OccurrenceList& list,
               int outcomeRow) {
  const auto& rows = list.rows();
  Grid grid(kWheelCount, fga::kColumns, 0, 0);
  grid.setAllAlignments(Alignment::Center);
  const OccurrenceRow* outcome = outcomeRow >= 1 && outcomeRow <= static_cast<int>(rows.size())
                                     ? &rows[static_cast<size_t>(outcomeRow - 1)]
                                     : nullptr;
  for (int w = 0; w < kWheelCount; ++w) {
    grid.setText(w, fga::kWheel, wheelCode(w));
    const auto numbers = archive.wheel(draw, w);
    for (int k = 0; k < kPositions; ++k) {
      const int n = numbers[static_cast<size_t>(k)];
      grid.setText(w, fga::kNumeri + k, std::to_string(n));
      Color back = isLottoNumber(n) && n == number ? kYellow : kWhite;
      if (outcome && w == outcome->RG && isLottoNumber(n)) {
        for (int j = 0; j < kPositions; ++j)
          if (outcome->esitoVerde[static_cast<size_t>(j)] &&
              outcome->esitoNumeri[static_cast<size_t>(j)] == n)
            back = kGreen;
      }
      grid.setBackColor(w, fga::kNumeri + k, back);
    }
  }
  return grid;
}

QuintelloLabels renderLabels(const OccurrenceList& list, const ForecastBook& book) {
  auto caption = [](std::optional<int> count) {
    return count ? std::to_string(*count) : std::string();
  };
  QuintelloLabels labels;
  labels.LBL_NC.text = caption(list.foundCount());
  labels.Label7.text = list.spanSummary();
  labels.Lbl_T = {caption(book.coveredCount()), book.everyPresenceCovered() ? kGreen : kWhite,
                  kBlue};
  labels.Lbl_S = {caption(book.uncoveredCount()), kWhite, kBlue};
  return labels;
}

}  // namespace quintello
