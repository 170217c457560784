#pragma once

#include <string>

namespace quintello::test {

// The first piece of text in a user's message that does not belong there: one of SQLite's
// own English messages, the standard library's "filesystem error", or the temporary name of
// a file being written (".nuovo"). Empty when there is none.
std::string foreignTextIn(const std::string& message);

}  // namespace quintello::test
