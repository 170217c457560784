// One line of the update file cut into its columns and turned into a stored draw.
#include "archive/update_file.h"
#include "core/dates.h"
#include "core/error.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line = fuzz::asText(data, size);
  const UpdateLine parsed = parseUpdateLine(line);
  require(parsed.dateText.size() <= 10);
  for (const auto& wheel : parsed.wheels) require(wheel.size() <= 14);
  require(hasUpdateLineForm(line) == (line.size() == kUpdateLineLength && line.ends_with("pr")));
  try {
    const StoredDraw draw = storedDrawFromLine(parsed, 1);
    require(dateTextFromStored(draw.isoDate) == parsed.dateText);
    for (const auto& wheel : draw.wheels) require(wheel.size() <= 14);
  } catch (const Error& error) {
    require(fuzz::isOneLine(error.what()));
  }
  return 0;
}
