#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quintello {

using WheelNumbers = std::array<std::int16_t, 5>;

// Reads a stored wheel text "NN-NN-NN-NN-NN": position k is the numeric value of the two
// characters starting at offset 3(k-1), whatever the separators. A pair without a leading
// number, or cut off by a short text, reads 0.
WheelNumbers decodeWheelText(std::string_view text);

// Writes five numbers in the stored form, each zero-padded to two digits. All zeros (no
// draw on the wheel) give the empty text.
std::string encodeWheelText(const WheelNumbers& numbers);

}  // namespace quintello
