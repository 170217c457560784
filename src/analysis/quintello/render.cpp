// The grids of the Quintello window, rendered from the session's typed state.

#include <algorithm>
#include <string>

#include "analysis/quintello/grid_cells.h"
#include "analysis/quintello/grid_columns.h"
#include "analysis/quintello/session.h"
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

Grid QuintelloSession::renderFg1() const {
  Grid grid = Grid::withHeader(
      "N°   |Estr     |Data Estraz    |Inizio   |Fine    |End    |Pr   |RR  |RG  |1  |2  |3  "
      "|4  |5  |C  |N° Est  |Data Esito     |S    |Ge   ");
  grid.setAllAlignments(Alignment::Center);
  for (const auto& row : rows_) {
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

Grid QuintelloSession::renderFgN() const {
  Grid grid = Grid::withHeader("N°|TU|ES|SC|RIT ");
  grid.setAllAlignments(Alignment::Center);
  if (!stats_.computed) return grid;
  for (int n = 1; n <= kHighestNumber; ++n) {
    const auto i = static_cast<size_t>(n);
    auto count = [](int v) { return v > 0 ? std::to_string(v) : std::string(); };
    grid.addRow({std::to_string(n), count(stats_.TU[i]), count(stats_.ES[i]), count(stats_.SC[i]),
                 stats_.RIT[i] >= 0 ? std::to_string(stats_.RIT[i]) : std::string()});
  }
  grid.setBold(dataColumns(grid, fgN::kNumero), true);
  grid.setBackColor(dataColumns(grid, fgN::kNumero), GialloMedio);
  return grid;
}

Grid QuintelloSession::renderFg_ZZ() const {
  Grid grid = Grid::withHeader("N° |Sorte|Esiti|ET  |1|2|3|4|5|6|7");
  int highlighted = 0;
  for (const auto& forecast : forecasts_) {
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

Grid QuintelloSession::renderFg_CC() const {
  Grid grid = Grid::withHeader("CC   |N1 |N2 |N3 |N4 |N5 |N6 |N7 ");
  int highlighted = 0;
  for (const auto& combination : combinations_) {
    const int r = grid.addRow({combination.CC ? std::to_string(*combination.CC) : std::string()});
    for (int c = 0; c < kNumeriPrevisione; ++c)
      grid.setText(r, fgCC::kNumeri + c, numberText(combination.numbers[static_cast<size_t>(c)]));
    if (combination.highlighted) highlighted = r;
  }
  highlightRow(grid, highlighted);
  return grid;
}

Grid QuintelloSession::renderFgU() const {
  Grid grid(1, fgU::kColumns, 1, 0);
  for (const auto& draw : uncovered_) {
    const int r = grid.addRow({std::to_string(draw.row)});
    for (int k = 0; k < kPositions; ++k)
      grid.setText(r, fgU::kNumeri + k, std::to_string(draw.numbers[static_cast<size_t>(k)]));
    grid.setText(r, fgU::kDraw, std::to_string(draw.draw));
  }
  return grid;
}

Grid QuintelloSession::renderFg_I2() const {
  Grid grid(1, fgI2::kColumns, 1, 0);
  for (const auto& combination : ranked_) {
    const int r = grid.addRow({std::to_string(combination.score)});
    for (int c = 0; c < rankedSize_; ++c)
      grid.setText(r, fgI2::kNumeri + c, numberText(combination.numbers[static_cast<size_t>(c)]));
  }
  for (int c = fgI2::kNumeri + combinationSize(); c < fgI2::kColumns; ++c)
    grid.setColumnHidden(c, true);
  return grid;
}

Grid QuintelloSession::renderFg9090() const {
  Grid grid = Grid::withHeader(" |N1 |N2 |CC  ");
  for (const auto& pair : pairs_)
    grid.addRow({"", std::to_string(pair.N1), std::to_string(pair.N2), std::to_string(pair.CC)});
  if (grid.dataRows() > 0) {
    const auto counts = dataColumns(grid, fg9090::kCC);
    grid.setBackColor(counts, GialloMedio);
    grid.setBold(counts, true);
  }
  return grid;
}

Grid QuintelloSession::renderList3() const {
  Grid grid(0, 1, 0, 0);
  for (const auto& line : list3_) grid.addRow({line});
  return grid;
}

Grid QuintelloSession::renderFg90() const {
  Grid board = numberBoardGrid();
  markBoardNumbers(board, boardNumbers());
  return board;
}

Grid QuintelloSession::renderFga(int draw, int outcomeRow) const {
  Grid grid(kWheelCount, fga::kColumns, 0, 0);
  grid.setAllAlignments(Alignment::Center);
  const OccurrenceRow* outcome = outcomeRow >= 1 && outcomeRow <= static_cast<int>(rows_.size())
                                     ? &rows_[static_cast<size_t>(outcomeRow - 1)]
                                     : nullptr;
  for (int w = 0; w < kWheelCount; ++w) {
    grid.setText(w, fga::kWheel, wheelCode(w));
    const auto numbers = archive_.wheel(draw, w);
    for (int k = 0; k < kPositions; ++k) {
      const int n = numbers[static_cast<size_t>(k)];
      grid.setText(w, fga::kNumeri + k, std::to_string(n));
      Color back = isLottoNumber(n) && n == inputs_.NumeroCercato ? kYellow : kWhite;
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

}  // namespace quintello
