#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"
#include "core/grid.h"
#include "core/wheels.h"

namespace quintello {

// The wheels the statistics read: BA..NZ (0..10) and TT, the ten classic wheels together
// (the Nazionale left out), as the last choice.
inline constexpr int kWheelTT = kWheelCount;
inline constexpr std::array<std::string_view, kWheelCount + 1> kStatisticsWheelCodes = {
    "BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ", "TT"};
// The wheel of a code "BA".."NZ" or "TT", any letter case; nothing for anything else.
std::optional<int> statisticsWheelIndex(std::string_view code);

// Draws first..last of the archive, inclusive; empty when first > last.
struct DrawRange {
  int first = 1;
  int last = 0;
  friend bool operator==(const DrawRange&, const DrawRange&) = default;
};
// The whole archive.
DrawRange wholeArchive(const DrawArchive& archive);
// The draws dated from `fromIso` to `toIso` ("AAAA-MM-GG", both inclusive); an empty date
// leaves that end open. The archive's draws are in date order, so this is two searches.
DrawRange drawsBetween(const DrawArchive& archive, std::string_view fromIso,
                       std::string_view toIso);

// A wheel's considered draws are the draws of the range where the wheel holds five numbers;
// on TT, those where at least one classic wheel does, and a number is out when it is among
// the numbers of any such wheel (once per draw however many wheels hold it).
struct NumberFigures {
  int frequency = 0;     // "Frequenza": considered draws in which the number came out
  int delay = 0;         // "Ritardo": considered draws after its last one (all when never out)
  int longestDelay = 0;  // "Ritardo massimo": longest run without it, first and current included
  int lastDraw = 0;      // draw of "Ultima uscita"; 0 when never out
};

struct StatisticsTable {
  int consideredDraws = 0;
  std::array<NumberFigures, kHighestNumber + 1> numbers{};  // [1..90]; [0] unused
};

// The table of the ninety numbers on a wheel (0..10 or kWheelTT) over a range, in one pass.
StatisticsTable numberStatistics(const DrawArchive& archive, int wheel, DrawRange range);

// One gap of a number's delay history: the considered draws between two of its appearances,
// and the draw of the second one.
struct DelayGap {
  int delay = 0;
  int draw = 0;
  friend bool operator==(const DelayGap&, const DelayGap&) = default;
};
// Every gap between two appearances of the number, oldest first.
std::vector<DelayGap> delayHistory(const DrawArchive& archive, int wheel, DrawRange range,
                                   int number);

// The columns of the "statistiche" grid, in order.
enum class StatisticsColumn { Numero, Frequenza, Ritardo, RitardoMassimo, UltimaUscita };
inline constexpr int kStatisticsColumns = 5;

// Header "Numero|Frequenza|Ritardo|Ritardo massimo|Ultima uscita", then one row per number,
// sorted by the column (ties by number, ascending); "Ultima uscita" sorts by draw.
Grid statisticsGrid(const DrawArchive& archive, const StatisticsTable& table,
                    StatisticsColumn sortBy = StatisticsColumn::Numero, bool descending = false);

}  // namespace quintello
