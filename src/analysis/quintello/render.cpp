// The grids of the Quintello window, rendered from the session's typed state.

#include <algorithm>
#include <string>

#include "analysis/quintello/session.h"

namespace quintello {

namespace {

constexpr Color kAzzurroPr{192, 255, 255};

std::string wheelCode(int wheel) {
  return wheel >= 0 && wheel < static_cast<int>(SiglaRuota.size())
             ? std::string(SiglaRuota[static_cast<size_t>(wheel)])
             : std::string();
}

std::string numberText(int n) { return n == 0 ? std::string() : std::to_string(n); }

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
        grid.setText(r, 9 + k, std::to_string(row.esitoNumeri[static_cast<size_t>(k)]));
        if (row.esitoVerde[static_cast<size_t>(k)]) grid.setBackColor(r, 9 + k, kGreen);
      }
      grid.setText(r, 14, std::to_string(row.C));
      grid.setText(r, 15, std::to_string(row.NEst));
      grid.setText(r, 16, row.DataEsito);
      grid.setText(r, 17, row.S);
      grid.setText(r, 18, row.Ge);
    }
    if (row.estrRed) grid.setBackColor(r, 1, kRed);
    if (row.inizioGreen) grid.setBackColor(r, 3, kGreen);
    if (row.endCut) grid.setBackColor(r, 5, kYellow);
    if (row.incomplete) grid.setBackColor(r, 0, kYellow);
  }
  if (grid.dataRows() > 0) {
    const int last = grid.rows() - 1;
    grid.setBackColor({1, 6, last, 6}, kAzzurroPr);
    grid.setBold({1, 6, last, 6}, true);
    grid.setBackColor({1, 7, last, 7}, VerdeChiaro);
    grid.setBackColor({1, 8, last, 8}, GialloMedio);
    grid.setBold({1, 8, last, 8}, true);
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
  grid.setBold({1, 0, kHighestNumber, 0}, true);
  grid.setBackColor({1, 0, kHighestNumber, 0}, GialloMedio);
  return grid;
}

Grid QuintelloSession::renderFg_ZZ() const {
  Grid grid = Grid::withHeader("N° |Sorte|Esiti|ET  |1|2|3|4|5|6|7");
  int highlighted = 0;
  for (const auto& forecast : forecasts_) {
    const int r = grid.addRow({std::to_string(forecast.Numero), std::to_string(forecast.Sorte),
                               std::to_string(forecast.Esiti), ""});
    for (int c = 0; c < kNumeriPrevisione; ++c)
      grid.setText(r, 4 + c, numberText(forecast.Numeri[static_cast<size_t>(c)]));
    if (forecast.highlighted) highlighted = r;
  }
  if (grid.dataRows() > 0) {
    grid.setBold({1, 4, grid.rows() - 1, 10}, true);
    grid.setForeColor({1, 4, grid.rows() - 1, 10}, kBlue);
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
      grid.setText(r, 1 + c, numberText(combination.numbers[static_cast<size_t>(c)]));
    if (combination.highlighted) highlighted = r;
  }
  highlightRow(grid, highlighted);
  return grid;
}

Grid QuintelloSession::renderFgU() const {
  Grid grid(1, 7, 1, 0);
  for (const auto& draw : uncovered_) {
    const int r = grid.addRow({std::to_string(draw.row)});
    for (int k = 0; k < kPositions; ++k)
      grid.setText(r, 1 + k, std::to_string(draw.numbers[static_cast<size_t>(k)]));
    grid.setText(r, 6, std::to_string(draw.draw));
  }
  return grid;
}

Grid QuintelloSession::renderFg_I2() const {
  constexpr int kColumns = 86;
  Grid grid(1, kColumns, 1, 0);
  for (const auto& combination : ranked_) {
    const int r = grid.addRow({std::to_string(combination.score)});
    for (int c = 0; c < rankedSize_; ++c)
      grid.setText(r, 1 + c, numberText(combination.numbers[static_cast<size_t>(c)]));
  }
  const int k = combinationSize();
  for (int c = k + 1; c < kColumns; ++c) grid.setColumnHidden(c, true);
  return grid;
}

Grid QuintelloSession::renderFg9090() const {
  Grid grid = Grid::withHeader(" |N1 |N2 |CC  ");
  for (const auto& pair : pairs_)
    grid.addRow({"", std::to_string(pair.N1), std::to_string(pair.N2), std::to_string(pair.CC)});
  if (grid.dataRows() > 0) {
    grid.setBackColor({1, 3, grid.rows() - 1, 3}, GialloMedio);
    grid.setBold({1, 3, grid.rows() - 1, 3}, true);
  }
  return grid;
}

Grid QuintelloSession::renderList3() const {
  Grid grid(0, 1, 0, 0);
  for (const auto& line : list3_) grid.addRow({line});
  return grid;
}

Grid QuintelloSession::renderFg90() const {
  Grid grid(9, 10, 0, 0);
  grid.setAllAlignments(Alignment::Center);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 10; ++c) {
      const int n = 10 * r + c + 1;
      grid.setText(r, c, std::to_string(n));
      grid.setBackColor(r, c, board_[static_cast<size_t>(n)] ? kGreen : kWhite);
    }
  }
  return grid;
}

Grid QuintelloSession::renderFga(int draw, int outcomeRow) const {
  Grid grid(kWheelCount, 1 + kPositions, 0, 0);
  grid.setAllAlignments(Alignment::Center);
  const OccurrenceRow* outcome = outcomeRow >= 1 && outcomeRow <= static_cast<int>(rows_.size())
                                     ? &rows_[static_cast<size_t>(outcomeRow - 1)]
                                     : nullptr;
  for (int w = 0; w < kWheelCount; ++w) {
    grid.setText(w, 0, wheelCode(w));
    const auto numbers = archive_.wheel(draw, w);
    for (int k = 0; k < kPositions; ++k) {
      const int n = numbers[static_cast<size_t>(k)];
      grid.setText(w, 1 + k, std::to_string(n));
      Color back = isLottoNumber(n) && n == inputs_.NumeroCercato ? kYellow : kWhite;
      if (outcome && w == outcome->RG && isLottoNumber(n)) {
        for (int j = 0; j < kPositions; ++j)
          if (outcome->esitoVerde[static_cast<size_t>(j)] &&
              outcome->esitoNumeri[static_cast<size_t>(j)] == n)
            back = kGreen;
      }
      grid.setBackColor(w, 1 + k, back);
    }
  }
  return grid;
}

}  // namespace quintello
