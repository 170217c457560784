#pragma once

#include <string>
#include <string_view>

namespace quintello {

// Numbers written with a pattern, as the program shows them in its grids and labels: "00"
// and "000000" pad whole numbers with zeros; "###.0" and "###.00" give one or two decimals
// and no zero before the point (0.5 shows as ".5"). In a pattern, '0' is a digit always
// written, '#' a digit written only when it is significant, '.' the decimal point; integer
// digits beyond the pattern's are all written.
//
// Rounding works on the decimal value of the number and rounds halves away from zero: 0.25
// gives ".3", -0.25 gives "-.3" and 107/40 gives "2.68" with "###.00". The decimal value of a
// double is its shortest text that reads back as the same double, so a quotient of two whole
// numbers rounds as its exact decimal does whenever that is short.
std::string formatNumber(double value, std::string_view pattern);

// Whole numbers padded with zeros to at least `digits` digits ("00" = 2, "000000" = 6).
std::string formatZeroPadded(long long value, int digits);

}  // namespace quintello
