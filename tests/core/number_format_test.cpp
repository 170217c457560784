#include "core/number_format.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

TEST(NumberFormat, PatternsRoundHalvesAwayFromZeroOnTheDecimalValue) {
  struct Case {
    double value;
    const char* pattern;
    const char* text;
  };
  for (const auto& [value, pattern, text] :
       {// No leading zero before the point; more digits than placeholders are all written.
        Case{0.5, "###.0", ".5"}, Case{0, "###.0", ".0"}, Case{12.5, "###.00", "12.50"},
        Case{1234.56, "###.0", "1234.6"},
        // Halves away from zero. 107 / 40 = 2.675 and 1.005 are stored just below the
        // half as doubles, and still round up.
        Case{0.25, "###.0", ".3"}, Case{-0.25, "###.0", "-.3"}, Case{107.0 / 40, "###.00", "2.68"},
        Case{1.005, "###.00", "1.01"}, Case{99.95, "###.0", "100.0"},
        Case{200.0 / 3, "###.0", "66.7"}, Case{0.04, "###.0", ".0"}, Case{-0.04, "###.0", ".0"},
        // Whole numbers padded with zeros.
        Case{5, "00", "05"}, Case{1234567, "000000", "1234567"}})
    EXPECT_EQ(formatNumber(value, pattern), text) << value << " " << pattern;
  EXPECT_EQ(formatZeroPadded(7, 2), "07");
  EXPECT_EQ(formatZeroPadded(-7, 2), "-07");
  EXPECT_EQ(formatZeroPadded(1234567, 6), "1234567");
}

}  // namespace
}  // namespace quintello
