// Numbers and dates read from text and written as text (the wheels' text: the fuzz target
// checks it against a model; the random generator: the seeded runs of quintello-cli).
#include "core/text_number.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/dates.h"
#include "core/number_format.h"
#include "core/one_line_text.h"

namespace quintello {
namespace {

TEST(NumberFormat, PatternsRoundHalvesAwayFromZeroOnTheDecimalValue) {
  // 107 / 40 = 2.675 and 1.005 are stored just below the half, and still round up (the golden
  // outputs meet the other halves).
  const std::tuple<double, const char*, const char*> cases[] = {
      {0.5, "###.0", ".5"},      {-0.25, "###.0", "-.3"},
      {-0.04, "###.0", ".0"},    {107.0 / 40, "###.00", "2.68"},
      {1.005, "###.00", "1.01"}, {99.95, "###.0", "100.0"},
      {5, "00", "05"},           {1234567, "000000", "1234567"}};
  for (const auto& [value, pattern, text] : cases)
    EXPECT_EQ(formatNumber(value, pattern), text) << value << " " << pattern;
  EXPECT_EQ(formatZeroPadded(-7, 2), "-07");
}

// Whole numbers: the draw index answers (draw_archive_test.cpp).
TEST(TextNumber, LeadingNumberLikeAPersonReadsIt) {
  const std::pair<const char*, double> numbers[] = {{"  12abc", 12}, {"-3.5", -3.5}, {".5", 0.5},
                                                    {"", 0},         {"abc", 0},     {"+", 0}};
  for (const auto& [text, value] : numbers) EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
  EXPECT_EQ(leadingInteger("99999999999999999999"), 2147483647);
}

// Beyond the bad archives' dates: leap years, ranges, padding, a time of day (not that long).
TEST(StoredDates, OnlyCalendarDatesBecomeDateTexts) {
  EXPECT_EQ(dateTextFromStored("2024-02-29"), "29/02/2024");
  EXPECT_EQ(dateTextFromStored("2021-01-05T20:00:00.000"), "05/01/2021");
  for (const char* bad : {"2023-02-29", "2021-13-01", "2021-00-10", "2021-01-00", "2021-1-5",
                          "2021-01-05x", "2021-01-05 00:00:00 00:00:00 00"})
    EXPECT_FALSE(dateTextFromStored(bad)) << bad;
}

TEST(OneLineText, NoDataAddsALineOrAColumn) {
  EXPECT_EQ(oneLineText("a\tb\nc\rd\x1f\x7f\x65 città"), "a?b?c?d??e città");
  EXPECT_EQ(shortOneLineText("àààà", 3), "à...");  // never cut inside a character
  EXPECT_EQ(shortOneLineText("abc", 3), "abc");
}

}  // namespace
}  // namespace quintello
