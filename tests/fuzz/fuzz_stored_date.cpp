// The draw table's stored dates and the dates typed by the user, both ways.
#include "core/dates.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::asText(data, size);
  if (const auto shown = dateTextFromStored(text)) {
    // Only "GG/MM/AAAA" calendar dates reach the screen, and they go back to the same day.
    require(shown->size() == 10);
    const auto iso = isoFromDateText(*shown);
    require(iso && text.starts_with(*iso));
  }
  if (const auto iso = isoFromDateText(text)) {
    require(dateTextFromIso(*iso) == text);
    require(dateTextFromStored(*iso) == std::string(text));
  }
  return 0;
}
