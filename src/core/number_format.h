#pragma once

#include <string>
#include <string_view>

namespace quintello {

// Numbers written with a Basic-style pattern, as the program shows them in its grids and
// labels: "00" and "000000" pad whole numbers with zeros; "###.0" and "###.00" give one or
// two decimals and no leading zero (0.5 shows as ".5"). In a pattern, '0' is a digit always
// written, '#' a digit written only when it is significant, '.' the decimal point.
//
// Rounding works on the decimal value of the number, halves away from zero, as a person
// computing by hand would: 0.25 gives ".3" and 107/40 gives "2.68" with "###.00". The
// decimal value of a double is its shortest text that reads back as the same double, so a
// quotient of two whole numbers rounds as its exact decimal does whenever that is short.
std::string formatNumber(double value, std::string_view pattern);

// Whole numbers padded with zeros to at least `digits` digits ("00" = 2, "000000" = 6).
std::string formatZeroPadded(long long value, int digits);

}  // namespace quintello
