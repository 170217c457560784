#include "core/wheel_text.h"

#include <algorithm>

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
  // Written by hand: the draw lists encode every wheel of every draw, and a formatted print
  // per number would be most of their cost.
  std::string text(3 * numbers.size() - 1, '-');
  for (size_t k = 0; k < numbers.size(); ++k) {
    const int n = std::clamp<int>(numbers[k], 0, 99);
    text[3 * k] = static_cast<char>('0' + n / 10);
    text[3 * k + 1] = static_cast<char>('0' + n % 10);
  }
  return text;
}

}  // namespace quintello
