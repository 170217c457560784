#pragma once

#include <string>

namespace quintello::test {

// The first English library text or temporary file name (".nuovo") in a user's message, if any.
std::string foreignTextIn(const std::string& message);

}  // namespace quintello::test
