// Any file opened for writing and for reading only, then loaded: draws with calendar dates and
// numbers in -99..99, or a one-line message naming the file.
#include "core/archive_database.h"
#include "core/dates.h"
#include "core/error.h"
#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

namespace {

void openAndLoad(const std::string& path, bool writing) {
  try {
    auto db = writing ? ArchiveDatabase::open(path) : ArchiveDatabase::openForReading(path);
    DrawArchive archive;
    NoProgress progress;
    loadArchive(db, archive, 1, progress);
    for (int draw = 1; draw <= archive.count(); ++draw) {
      require(isoFromDateText(archive.dateText(draw)).has_value());
      for (int wheel = 0; wheel < kWheelCount; ++wheel)
        for (const auto number : archive.wheel(draw, wheel)) require(number >= -99 && number <= 99);
    }
  } catch (const Error& error) {
    const std::string message = error.what();
    require(message.starts_with("Il file \"" + path + "\""));
    require(fuzz::isOneLine(message));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::InputFile file;
  const std::string& path = file.write(data, size);
  openAndLoad(path, true);
  openAndLoad(path, false);
  return 0;
}
