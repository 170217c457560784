#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintello {

// A text made safe for one line, or one cell of tab-separated output: every control
// character (tab, line end, and the others below 32 and 127) becomes "?", so no data can
// add a line or a column to what the program prints.
std::string oneLineText(std::string_view text);

// The same, cut after maxBytes bytes (never inside a UTF-8 character) with "..." added: for
// naming an unexpected value inside a message.
std::string shortOneLineText(std::string_view text, size_t maxBytes = 40);

}  // namespace quintello
