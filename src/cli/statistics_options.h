#pragma once

#include <span>
#include <string>

#include "analysis/statistics/number_statistics.h"

namespace quintello::cli {

// "statistiche [--ruota XX|TT] [--dal GG/MM/AAAA] [--al GG/MM/AAAA]"
struct StatisticheOptions {
  int ruota = kWheelTT;
  std::string dal;  // "AAAA-MM-GG"; empty = from the first draw
  std::string al;   // "AAAA-MM-GG"; empty = to the last draw
  friend bool operator==(const StatisticheOptions&, const StatisticheOptions&) = default;
};

// The arguments after the command name, --archivio and --json already taken out. Throws
// UsageError on an unknown wheel, a date that is not a calendar date GG/MM/AAAA, or --dal
// after --al.
StatisticheOptions parseStatistiche(std::span<const std::string> args);

}  // namespace quintello::cli
