#include "support/message_checks.h"

#include <sqlite3.h>

#include <vector>

namespace quintello::test {

std::string foreignTextIn(const std::string& message) {
  std::vector<std::string> foreign = {
      ".nuovo",         "filesystem error", "no such table",    "no such column",
      "unable to open", "malformed",        "readonly",         "cannot ",
      "error:",         "No such file",     "Permission denied"};
  for (int code = SQLITE_ERROR; code <= SQLITE_NOTADB; ++code)
    foreign.push_back(sqlite3_errstr(code));
  for (const auto& text : foreign)
    if (message.find(text) != std::string::npos) return text;
  return {};
}

}  // namespace quintello::test
