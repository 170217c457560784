#include "analysis/statistics/number_statistics.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "analysis/quintello/draw_numbers.h"
#include "core/dates.h"

namespace quintello {

namespace {

inline constexpr int kClassicWheels = 10;  // BA..VE

// Calls f(draw, numbers out) for every considered draw of the range, oldest first.
template <class F>
void forEachConsideredDraw(const DrawArchive& archive, int wheel, DrawRange range, F&& f) {
  const int first = std::max(range.first, 1), last = std::min(range.last, archive.count());
  const int firstWheel = wheel == kWheelTT ? 0 : wheel;
  const int lastWheel = wheel == kWheelTT ? kClassicWheels - 1 : wheel;
  for (int d = first; d <= last; ++d) {
    NumberMask out;
    bool considered = false;
    for (int w = firstWheel; w <= lastWheel; ++w) {
      const NumberMask numbers = drawnWheelNumbers(archive, d, w);
      considered = considered || !numbers.empty();
      out |= numbers;
    }
    if (considered) f(d, out);
  }
}

// The ISO date of a draw, for comparing with the range's ends.
std::string isoDate(const DrawArchive& archive, int draw) {
  return isoFromDateText(archive.dateText(draw)).value_or(std::string());
}

// The first draw 1..N for which `after` holds, N + 1 when none does; `after` must hold for every
// draw after one for which it holds (dates in order).
template <class Predicate>
int firstDrawWhere(const DrawArchive& archive, Predicate&& after) {
  int low = 1, high = archive.count() + 1;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (after(middle))
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

}  // namespace

std::optional<int> statisticsWheelIndex(std::string_view code) {
  if (code.size() == 2 && (code[0] == 'T' || code[0] == 't') && (code[1] == 'T' || code[1] == 't'))
    return kWheelTT;
  const auto index = wheelIndex(code);
  if (!index || *index >= kWheelCount) return std::nullopt;
  return index;
}

DrawRange wholeArchive(const DrawArchive& archive) { return {1, archive.count()}; }

DrawRange drawsBetween(const DrawArchive& archive, std::string_view fromIso,
                       std::string_view toIso) {
  DrawRange range = wholeArchive(archive);
  if (!fromIso.empty())
    range.first = firstDrawWhere(archive, [&](int d) { return isoDate(archive, d) >= fromIso; });
  if (!toIso.empty())
    range.last = firstDrawWhere(archive, [&](int d) { return isoDate(archive, d) > toIso; }) - 1;
  return range;
}

StatisticsTable numberStatistics(const DrawArchive& archive, int wheel, DrawRange range) {
  StatisticsTable table;
  // Index among the considered draws of each number's latest appearance; -1 before the first.
  std::array<int, kHighestNumber + 1> lastSeen;
  lastSeen.fill(-1);
  int considered = 0;
  forEachConsideredDraw(archive, wheel, range, [&](int draw, const NumberMask& out) {
    out.forEach([&](int n) {
      NumberFigures& number = table.numbers[static_cast<size_t>(n)];
      const int gap = considered - lastSeen[static_cast<size_t>(n)] - 1;
      number.longestDelay = std::max(number.longestDelay, gap);
      ++number.frequency;
      number.lastDraw = draw;
      lastSeen[static_cast<size_t>(n)] = considered;
    });
    ++considered;
  });
  table.consideredDraws = considered;
  for (int n = 1; n <= kHighestNumber; ++n) {
    NumberFigures& number = table.numbers[static_cast<size_t>(n)];
    number.delay = considered - lastSeen[static_cast<size_t>(n)] - 1;
    number.longestDelay = std::max(number.longestDelay, number.delay);
  }
  return table;
}

std::vector<DelayGap> delayHistory(const DrawArchive& archive, int wheel, DrawRange range,
                                   int number) {
  std::vector<DelayGap> gaps;
  int considered = 0, lastSeen = -1;
  forEachConsideredDraw(archive, wheel, range, [&](int draw, const NumberMask& out) {
    if (out.has(number)) {
      if (lastSeen >= 0) gaps.push_back({considered - lastSeen - 1, draw});
      lastSeen = considered;
    }
    ++considered;
  });
  return gaps;
}

Grid statisticsGrid(const DrawArchive& archive, const StatisticsTable& table,
                    StatisticsColumn sortBy, bool descending) {
  const auto key = [&](int n) {
    const NumberFigures& s = table.numbers[static_cast<size_t>(n)];
    switch (sortBy) {
      case StatisticsColumn::Numero:
        return n;
      case StatisticsColumn::Frequenza:
        return s.frequency;
      case StatisticsColumn::Ritardo:
        return s.delay;
      case StatisticsColumn::RitardoMassimo:
        return s.longestDelay;
      case StatisticsColumn::UltimaUscita:
        return s.lastDraw;
    }
    return n;
  };
  std::array<int, kHighestNumber> order;
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return descending ? key(a) > key(b) : key(a) < key(b); });
  Grid grid = Grid::withHeader("Numero|Frequenza|Ritardo|Ritardo massimo|Ultima uscita");
  for (const int n : order) {
    const NumberFigures& s = table.numbers[static_cast<size_t>(n)];
    grid.addRow({std::to_string(n), std::to_string(s.frequency), std::to_string(s.delay),
                 std::to_string(s.longestDelay), s.lastDraw ? archive.dateText(s.lastDraw) : ""});
  }
  for (int c = 0; c < kStatisticsColumns - 1; ++c) grid.setAlignment(c, Alignment::Right);
  grid.setAlignment(kStatisticsColumns - 1, Alignment::Center);
  return grid;
}

}  // namespace quintello
