#include "core/wheel_text.h"

#include <algorithm>
#include <cstdio>

#include "core/text_number.h"

namespace quintello {

WheelNumbers decodeWheelText(std::string_view text) {
  WheelNumbers numbers{};
  for (size_t k = 0; k < numbers.size(); ++k) {
    const size_t offset = 3 * k;
    if (offset >= text.size()) break;
    numbers[k] =
        static_cast<std::int16_t>(std::clamp(leadingInteger(text.substr(offset, 2)), -99, 99));
  }
  return numbers;
}

std::string encodeWheelText(const WheelNumbers& numbers) {
  if (std::all_of(numbers.begin(), numbers.end(), [](auto n) { return n == 0; })) return {};
  std::string text;
  for (size_t k = 0; k < numbers.size(); ++k) {
    char pair[8];
    std::snprintf(pair, sizeof pair, "%02d", std::clamp<int>(numbers[k], 0, 99));
    if (k > 0) text += '-';
    text += pair;
  }
  return text;
}

}  // namespace quintello
