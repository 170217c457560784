#include "core/number_format.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* text;
};

class NumberFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormat, WritesThePattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(formatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberFormat,
    testing::Values(
        // No leading zero before the point.
        FormatCase{0.5, "###.0", ".5"}, FormatCase{0.8, "###.00", ".80"},
        FormatCase{0, "###.0", ".0"}, FormatCase{7, "###.0", "7.0"},
        FormatCase{12.5, "###.00", "12.50"},
        // More digits than placeholders are all written.
        FormatCase{1234.56, "###.0", "1234.6"},
        // Halves round away from zero on the decimal value, not on the binary one.
        FormatCase{0.25, "###.0", ".3"}, FormatCase{107.0 / 40, "###.00", "2.68"},
        FormatCase{1.005, "###.00", "1.01"}, FormatCase{0.05, "###.0", ".1"},
        FormatCase{99.95, "###.0", "100.0"}, FormatCase{0.96, "###.0", "1.0"},
        FormatCase{200.0 / 3, "###.0", "66.7"}, FormatCase{100.0 / 3, "###.0", "33.3"},
        FormatCase{0.04, "###.0", ".0"}, FormatCase{-0.25, "###.0", "-.3"},
        FormatCase{-0.04, "###.0", ".0"},
        // Zero-padded whole numbers.
        FormatCase{5, "00", "05"}, FormatCase{90, "00", "90"}, FormatCase{123, "000000", "000123"},
        FormatCase{0, "00", "00"}, FormatCase{1234567, "000000", "1234567"}));

TEST(NumberFormat, ZeroPaddedWholeNumbers) {
  EXPECT_EQ(formatZeroPadded(7, 2), "07");
  EXPECT_EQ(formatZeroPadded(123, 6), "000123");
  EXPECT_EQ(formatZeroPadded(1234567, 6), "1234567");
  EXPECT_EQ(formatZeroPadded(-7, 2), "-07");
}

}  // namespace
}  // namespace quintello
