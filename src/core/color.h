#pragma once

#include <cstdint>
#include <string>

namespace quintello {

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Color, Color) = default;
  std::string hex() const;  // "#rrggbb"
};

inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kYellow{255, 255, 0};
inline constexpr Color kCyan{0, 255, 255};

// The text colour that reads on a back colour: black on light colours (the whole base palette),
// white on dark ones, whatever the desktop's theme gives as text colour.
constexpr Color readableTextOn(Color back) {
  // Perceived brightness with the ITU-R BT.601 weights, scaled by 1000.
  return 299 * back.r + 587 * back.g + 114 * back.b >= 128 * 1000 ? kBlack : kWhite;
}

// The base palette: the program's eight highlight colours.
inline constexpr Color GialloChiaro{255, 255, 192};
inline constexpr Color GialloMedio{255, 255, 128};
inline constexpr Color VerdeChiaro{192, 255, 192};
inline constexpr Color VerdeMedio{128, 255, 128};
inline constexpr Color AzzurroChiaro{192, 255, 255};
inline constexpr Color ArancioChiaro{255, 224, 192};
inline constexpr Color ArancioMedio{255, 192, 128};
inline constexpr Color Arancio{255, 128, 0};

}  // namespace quintello
