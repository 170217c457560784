// "INCOLLA ESTRAZIONE" on any clipboard text: either the 55 boxes or the refusal, and every box
// holds what the change filter lets a box hold.
#include "archive/draw_entry.h"
#include "archive/entry_record.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const PasteResult result = parsePastedDraw(fuzz::asText(data, size));
  require(result.boxes.has_value() != result.refusal.has_value());
  if (!result.boxes) return 0;
  for (int box = 1; box <= kEntryBoxCount; ++box) {
    const std::string& text = result.boxes->text(box);
    require(filterBoxText(text) == text);
    require(text.size() <= 2);
    for (const char c : text) require(c >= '0' && c <= '9');
  }
  return 0;
}
