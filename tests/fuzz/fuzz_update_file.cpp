// The update file read whole into stored draws (its lines: fuzz_update_line).
#include "archive/update_file.h"
#include "core/dates.h"
#include "core/error.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

namespace {

void checkFile(const std::string& path) {
  try {
    const auto draws = readStoredDraws(path);
    // In date order, one draw per date, every date a calendar date.
    for (size_t i = 0; i < draws.size(); ++i) {
      require(dateTextFromStored(draws[i].isoDate).has_value());
      require(i == 0 || draws[i - 1].isoDate < draws[i].isoDate);
    }
  } catch (const Error& error) {
    require(fuzz::isOneLine(error.what()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::InputFile file;
  checkFile(file.write(data, size));
  return 0;
}
