#pragma once

#include <algorithm>
#include <array>

#include "core/wheels.h"

namespace quintello {

// What the Quintello window lets the user choose, and what it opens with. The method, the
// window and the command line all read these; nothing else states them.

// An inclusive range of whole numbers offered by a selection list, and its opening value.
struct Choice {
  int min;
  int max;
  int initial;

  constexpr bool contains(int value) const { return value >= min && value <= max; }
  constexpr int clamp(int value) const { return std::clamp(value, min, max); }
};

// The forecast list and the forecasts it holds.
inline constexpr int kMaxPrevisioni = 9;         // rows of the forecast list
inline constexpr int kNumeriPrevisione = 7;      // numbers of a forecast, a combination, the board
inline constexpr int kMaxNumeroPrevisione = 50;  // forecasts are numbered 1..50

// The selection controls.
inline constexpr Choice kNumeroCercatoChoice{1, kHighestNumber, 1};          // CmdN
inline constexpr Choice kColpiChoice{1, 20, 12};                             // ComboC
inline constexpr Choice kPresenzeChoice{5, 100, 12};                         // ComboPresenze
inline constexpr Choice kNumeriCombinazioneChoice{1, kNumeriPrevisione, 3};  // ComboN
inline constexpr Choice kRuotaChoice{0, kWheelCount - 1, 0};                 // ComboR, ComboG
// Ch_P(1..5): the positions at which an occurrence counts ([0] = position 1).
inline constexpr std::array<bool, kPositions> kPosizioniIniziali{true, true, true, true, true};

}  // namespace quintello
