// Reports on the forecasts: the detail of one occurrence, the statistical summary, the two
// draw lists and the delays report. They only read the forecasts and their play windows.

#include <algorithm>
#include <string>

#include "analysis/quintello/draw_numbers.h"
#include "analysis/quintello/forecast_book.h"
#include "analysis/quintello/grid_cells.h"
#include "analysis/quintello/grid_columns.h"
#include "core/draw_views.h"
#include "core/number_format.h"

namespace quintello {

namespace {

constexpr Color kGrigio{220, 220, 220};
constexpr Color kGialloRitardo{255, 255, 150};

// The forecast's seven number cells joined by two blanks; empty cells keep their place.
std::string numbersCaption(const Previsione& forecast) {
  std::string caption;
  for (size_t c = 0; c < forecast.Numeri.size(); ++c) {
    if (c > 0) caption += "  ";
    caption += numberText(forecast.Numeri[c]);
  }
  return caption;
}

// One line of the draw list: the draw on the game wheel, its numbers of the forecast marked.
void appendDrawLine(Grid& grid, const DrawArchive& archive, int wheel, int rif, int draw,
                    const NumberMask& set, Color hitColor) {
  const int r = grid.addRow(
      {std::to_string(rif), std::to_string(draw), archive.dateText(draw), wheelCode(wheel)});
  const auto stored = archive.wheel(draw, wheel);
  const auto counted = countedNumbers(archive, draw, wheel);
  int hits = 0;
  for (int k = 0; k < kPositions; ++k) {
    grid.setText(r, fgE::kNumeri + k, std::to_string(stored[static_cast<size_t>(k)]));
    if (set.has(stored[static_cast<size_t>(k)])) grid.setBackColor(r, fgE::kNumeri + k, hitColor);
    if (set.has(counted[static_cast<size_t>(k)])) ++hits;
  }
  if (hits > 0) grid.setText(r, fgE::kQN, std::to_string(hits));
}

}  // namespace

std::optional<Grid> ForecastBook::occurrenceDetail(const PlayWindows& windows, int row) const {
  const auto& rows = windows.rows;
  const auto& archive = windows.archive;
  if (row < 1 || row > static_cast<int>(rows.size())) return std::nullopt;
  Grid grid = Grid::withHeader("  |Colpo|N° Estr |Data Estraz  |Ruota|N1|N2|N3|N4|N5|NP|QN|Esito");
  grid.setAllAlignments(Alignment::Center);
  const int wheel = windows.wheel;
  const int e = rows[static_cast<size_t>(row - 1)].Estr;
  std::vector<NumberMask> sets;
  for (const auto& forecast : forecasts_) sets.push_back(NumberMask::of(forecast.Numeri));

  for (int d = e + 1; d <= e + kDettaglioColpi && d <= archive.count(); ++d) {
    const int r = grid.addRow(
        {"", std::to_string(d - e), std::to_string(d), archive.dateText(d), wheelCode(wheel)});
    const auto stored = archive.wheel(d, wheel);
    for (int k = 0; k < kPositions; ++k)
      grid.setText(r, verificaFg1::kNumeri + k, std::to_string(stored[static_cast<size_t>(k)]));
    const auto counted = countedNumbers(archive, d, wheel);
    for (size_t j = 0; j < forecasts_.size(); ++j) {
      std::string matching;
      int hits = 0;
      for (int n : counted) {
        if (!sets[j].has(n)) continue;
        ++hits;
        matching += ' ' + std::to_string(n);
      }
      if (hits < forecasts_[j].Sorte) continue;
      const int h = grid.addRow();
      grid.setText(h, verificaFg1::kNP, std::to_string(j + 1));
      grid.setText(h, verificaFg1::kQN, std::to_string(hits));
      grid.setText(h, verificaFg1::kEsito, matching);
    }
  }

  if (grid.dataRows() > 0) {
    using namespace verificaFg1;
    grid.setBackColor(dataColumns(grid, kNEstr, kDataEstraz), GialloChiaro);
    grid.setBackColor(dataColumns(grid, kRuota), VerdeMedio);
    grid.setBold(dataColumns(grid, kRuota), true);
    grid.setBackColor(dataColumns(grid, kNP), GialloMedio);
    grid.setBackColor(dataColumns(grid, kQN), ArancioChiaro);
    grid.setBold(dataColumns(grid, kEsito), true);
    grid.setForeColor(dataColumns(grid, kEsito), kRed);
  }
  return grid;
}

RiepilogoStatistico ForecastBook::statisticalSummary() const {
  RiepilogoStatistico summary{Grid::withHeader(" Q Num|1|2|3|4|5"),
                              Grid::withHeader("Colpo|Esiti|Perc              "), Label{}};

  Grid& sizes = summary.Fg1;
  sizes.setRows(kNumeriPrevisione + 1);
  for (int q = 1; q <= kNumeriPrevisione; ++q)
    sizes.setText(q, riepilogoFg1::kQNum, std::to_string(q));
  std::array<std::array<int, kPositions + 1>, kNumeriPrevisione + 1> cells{};
  for (size_t n = 1; n < esitiPrevisione_.size(); ++n) {
    const int q = esitiPrevisione_[n][0];
    if (q < 1 || q > kNumeriPrevisione) continue;
    for (int h = 1; h <= kPositions; ++h) {
      const int v = esitiPrevisione_[n][static_cast<size_t>(h)];
      if (v <= 0) continue;
      int& cell = cells[static_cast<size_t>(q)][static_cast<size_t>(h)];
      cell += v;
      sizes.setText(q, riepilogoFg1::kHits + h - 1, std::to_string(cell));
    }
  }
  sizes.setAllAlignments(Alignment::Center);
  sizes.setBold(dataColumns(sizes, riepilogoFg1::kQNum), true);
  sizes.setBackColor(dataColumns(sizes, riepilogoFg1::kQNum), GialloMedio);

  // Twenty colpi; a longer table (windows above twenty draws) adds the rows it filled.
  using namespace riepilogoFG2;
  Grid& colpi = summary.fG2;
  int rows = kColpiRiepilogo;
  for (int c = kColpiRiepilogo + 1; c < static_cast<int>(esitiPerColpo_.size()); ++c)
    if (esitiPerColpo_[static_cast<size_t>(c)] > 0) rows = c;
  colpi.setRows(rows + 1);
  long long total = 0;
  for (int c = 1; c <= rows; ++c) {
    const int v = esitiPerColpo_[static_cast<size_t>(c)];
    if (v <= 0) continue;
    total += v;
    colpi.setText(c, kEsiti, std::to_string(v));
    colpi.setText(c, kColpo, std::to_string(c));
  }
  summary.Label3.text = std::to_string(total);
  colpi.setForeColor(dataColumns(colpi, kEsiti), kBlue);
  colpi.setBold(dataColumns(colpi, kEsiti), true);
  colpi.setBackColor(dataColumns(colpi, kColpo), GialloMedio);
  colpi.setBold(dataColumns(colpi, kColpo), true);
  colpi.setAllAlignments(Alignment::Center);
  for (int c = 1; c <= rows; ++c) {
    const int v = esitiPerColpo_[static_cast<size_t>(c)];
    if (v <= 0) continue;
    // One division of whole numbers, so the percentage rounds as its decimal value does.
    const double percent = static_cast<double>(v) * 100.0 / static_cast<double>(total);
    colpi.setFlood(c, kPerc, Arancio, percent);
    colpi.setText(c, kPerc, formatNumber(percent, "###.0"));
  }
  return summary;
}

const Previsione* ForecastBook::forecastAt(int row) const {
  if (row < 1 || row > static_cast<int>(forecasts_.size())) return nullptr;
  return &forecasts_[static_cast<size_t>(row - 1)];
}

// The empty draw list of a forecast, titled with its numbers.
static ForecastDrawList emptyDrawList(const Previsione& forecast) {
  ForecastDrawList list{Label{numbersCaption(forecast)}, drawListWindowGrid()};
  list.FgE.setColumnMerged(fgE::kRif, true);
  return list;
}

std::optional<ForecastDrawList> ForecastBook::restrictedDrawList(const PlayWindows& windows,
                                                                 int row) const {
  const Previsione* forecast = forecastAt(row);
  if (!forecast) return std::nullopt;
  const NumberMask set = NumberMask::of(forecast->Numeri);
  ForecastDrawList list = emptyDrawList(*forecast);
  for (auto occurrence = windows.rows.rbegin(); occurrence != windows.rows.rend(); ++occurrence) {
    if (occurrence->estrRed) continue;
    for (int d = occurrence->Inizio; d <= occurrence->End; ++d)
      appendDrawLine(list.FgE, windows.archive, windows.wheel, occurrence->Numero, d, set, kGreen);
  }
  return list;
}

std::optional<ForecastDrawList> ForecastBook::completeDrawList(const PlayWindows& windows,
                                                               int row) const {
  const auto& rows = windows.rows;
  const Previsione* forecast = forecastAt(row);
  if (!forecast) return std::nullopt;
  const NumberMask set = NumberMask::of(forecast->Numeri);
  ForecastDrawList list = emptyDrawList(*forecast);
  if (rows.empty()) return list;

  // From the start of the oldest window to the end of the newest one; a draw outside every
  // window belongs to no occurrence (0).
  const int first = rows.back().Inizio;
  const int last = rows.front().End;
  if (last < first) return list;
  std::vector<int> owner(static_cast<size_t>(last - first + 1), 0);
  for (const auto& occurrence : rows) {
    if (occurrence.estrRed) continue;
    for (int d = std::max(occurrence.Inizio, first); d <= occurrence.End && d <= last; ++d)
      owner[static_cast<size_t>(d - first)] = occurrence.Numero;
  }
  for (int d = first; d <= last; ++d) {
    const int rif = owner[static_cast<size_t>(d - first)];
    appendDrawLine(list.FgE, windows.archive, windows.wheel, rif, d, set,
                   rif >= 1 ? kGreen : kYellow);
    if (rif == 0) list.FgE.setBackColor(list.FgE.rows() - 1, fgE::kNEstr, ArancioMedio);
  }
  return list;
}

std::optional<Grid> ForecastBook::delaysReport(const PlayWindows& windows, int reference) const {
  const auto& rows = windows.rows;
  const auto& archive = windows.archive;
  if (forecasts_.empty()) return std::nullopt;
  Grid grid = Grid::withHeader("N°|N1|N2|N3|N4|N5|N6|N7|R1|R2|R3|R4|R5|R6|R7|RM|P360|       ");
  const int wheel = windows.wheel;

  // Presences of every number over a range of draws.
  auto presences = [&](int from, int to) {
    std::array<int, kHighestNumber + 1> counts{};
    for (int d = std::max(from, 1); d <= to; ++d)
      for (int n : countedNumbers(archive, d, wheel))
        if (n != 0) ++counts[static_cast<size_t>(n)];
    return counts;
  };
  const auto recent = presences(reference - 360, reference);
  const auto delays = currentDelays(archive, wheel, reference);
  std::optional<std::array<int, kHighestNumber + 1>> span;
  if (!rows.empty()) {
    const int first = rows.back().Inizio, last = rows.front().End;
    span = presences(first, last);
    grid.setText(0, fgR::kPSpan, "P" + std::to_string(last - first + 1));
  }

  for (const auto& forecast : forecasts_) {
    const int r = grid.addRow({std::to_string(forecast.Numero)});
    int delaySum = 0, delayCount = 0, recentSum = 0, spanSum = 0;
    for (int c = 0; c < kNumeriPrevisione; ++c) {
      const int n = forecast.Numeri[static_cast<size_t>(c)];
      grid.setText(r, fgR::kNumeri + c, numberText(n));
      if (!isLottoNumber(n)) continue;
      const int delay = delays[static_cast<size_t>(n)];
      if (delay >= 0) {
        grid.setText(r, fgR::kRitardi + c, std::to_string(delay));
        delaySum += delay;
        ++delayCount;
      }
      recentSum += recent[static_cast<size_t>(n)];
      if (span) spanSum += (*span)[static_cast<size_t>(n)];
    }
    // A row none of whose numbers ever came out has no mean to show.
    if (delayCount > 0)
      grid.setText(r, fgR::kRM, formatNumber(static_cast<double>(delaySum) / delayCount, "###.0"));
    grid.setText(r, fgR::kP360, std::to_string(recentSum));
    if (span) grid.setText(r, fgR::kPSpan, std::to_string(spanSum));
  }

  using namespace fgR;
  grid.setBackColor(dataColumns(grid, kNumero), kGrigio);
  grid.setBold(dataColumns(grid, kNumeri, kRitardi - 1), true);
  grid.setBackColor(dataColumns(grid, kRitardi, kRM - 1), kGialloRitardo);
  grid.setBackColor(dataColumns(grid, kP360), VerdeChiaro);
  grid.setForeColor(dataColumns(grid, kPSpan), kRed);
  return grid;
}

}  // namespace quintello
