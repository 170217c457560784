#pragma once

#include <string>

namespace quintello {

// The program's version, "1.0.0", as the build sets it.
inline std::string versionNumber() {
  return std::to_string(QUINTELLO_VERSION_MAJOR) + "." + std::to_string(QUINTELLO_VERSION_MINOR) +
         "." + std::to_string(QUINTELLO_VERSION_PATCH);
}

}  // namespace quintello
