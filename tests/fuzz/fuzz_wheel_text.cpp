// The stored wheel text "NN-NN-NN-NN-NN" as every loader reads it.
#include "core/text_number.h"
#include "core/wheel_text.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::asText(data, size);
  const WheelNumbers numbers = decodeWheelText(text);
  bool allInRange = true;
  for (size_t k = 0; k < numbers.size(); ++k) {
    require(numbers[k] >= -99 && numbers[k] <= 99);
    // Each position is the numeric value of its own two characters, and nothing else.
    const size_t offset = 3 * k;
    require(numbers[k] == (offset < text.size() ? leadingInteger(text.substr(offset, 2)) : 0));
    allInRange = allInRange && numbers[k] >= 0;
  }
  // What the program writes reads back as the same numbers.
  if (allInRange) {
    const std::string written = encodeWheelText(numbers);
    require(written.empty() || written.size() == 14);
    require(decodeWheelText(written) == numbers);
  }
  return 0;
}
