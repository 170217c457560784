#pragma once

#include <string_view>

namespace quintello {

// A message box the archive window shows, as the program words it: the window hands it to
// its dialogs unchanged.
struct Notice {
  enum class Icon { None, Information, Warning, Critical };
  std::string_view text;
  std::string_view title;
  Icon icon = Icon::None;
};

// An input box: its prompt, title and the answer it offers.
struct InputRequest {
  std::string_view prompt;
  std::string_view title;
  std::string_view defaultAnswer;
};

}  // namespace quintello
