// The official historical archive's text, any bytes: draws in date order with calendar dates
// and well-formed wheels, or a one-line message naming the line.
#include "fuzz/fuzz_input.h"

using namespace quintello;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::checkOfficialText(fuzz::asText(data, size));
  return 0;
}
