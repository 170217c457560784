#pragma once

#include <string_view>

namespace quintello {

// The numeric value of a text as a person reads it: leading blanks, an optional sign, then
// the longest run of digits (with an optional decimal point). No leading number gives 0.
double leadingNumber(std::string_view text);

// The same, truncated to a whole number; used for wheel texts and parameters.
int leadingInteger(std::string_view text);

// True when the whole text (blanks around it aside) is a whole decimal number.
bool isWholeNumber(std::string_view text);

}  // namespace quintello
