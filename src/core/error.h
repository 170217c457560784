#pragma once

#include <stdexcept>
#include <string>

namespace quintello {

// A failure the user is told about: what() is an Italian sentence ready for a message box.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quintello
