// The official historical archive's zip, any bytes: the one file inside read as text, or a
// one-line message naming the file; the text then read as the official archive.
#include <string>

#include "fuzz/fuzz_input.h"

using namespace quintello;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text;
  try {
    text = unpackOfficialArchiveZip(fuzz::asText(data, size), "storico.zip");
  } catch (const Error& error) {
    require(fuzz::isOneLine(error.what()));
    return 0;
  }
  require(text.size() <= kOfficialArchiveMaxBytes);
  fuzz::checkOfficialText(text);
  return 0;
}
