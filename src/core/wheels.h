#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quintello {

// The eleven wheels in their fixed order; index 11 ("TU") means every wheel and only
// appears in selections.
inline constexpr int kWheelCount = 11;
inline constexpr int kAllWheels = 11;
inline constexpr int kPositions = 5;
inline constexpr int kHighestNumber = 90;

inline constexpr std::array<std::string_view, 12> SiglaRuota = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                                "PA", "RO", "TO", "VE", "NZ", "TU"};

inline constexpr std::array<std::string_view, 12> kWheelNames = {
    "Bari",    "Cagliari", "Firenze", "Genova",  "Milano",    "Napoli",
    "Palermo", "Roma",     "Torino",  "Venezia", "Nazionale", "Tutte"};

// Column of the draw table holding each wheel.
inline constexpr std::array<std::string_view, 11> kWheelFields = {
    "Ba", "Ca", "Fi", "Ge", "Mi", "Na", "Pa", "Ro", "To", "Ve", "Nz"};

// Wheel index of a code ("BA".."TU", any letter case), or nothing.
std::optional<int> wheelIndex(std::string_view code);

// True for a number that can be drawn (1..90); 0 and anything else is no number.
constexpr bool isLottoNumber(int n) { return n >= 1 && n <= kHighestNumber; }

}  // namespace quintello
