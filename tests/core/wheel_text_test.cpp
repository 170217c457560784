#include "core/wheel_text.h"

#include <gtest/gtest.h>

#include "core/text_number.h"

namespace quintello {
namespace {

struct DecodeCase {
  const char* text;
  WheelNumbers expected;
};

class DecodeWheelText : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeWheelText, ReadsFixedOffsets) {
  EXPECT_EQ(decodeWheelText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    ReadingRule, DecodeWheelText,
    ::testing::Values(DecodeCase{"05-23-78-01-44", {5, 23, 78, 1, 44}},
                      DecodeCase{"", {0, 0, 0, 0, 0}},
                      // Any one-character separator reads alike.
                      DecodeCase{"05 23/78.01x44", {5, 23, 78, 1, 44}},
                      // Unpadded numbers are still read at offsets 1, 4, 7, 10, 13: "-4" is a
                      // signed pair and the fifth pair falls past the end of the text.
                      DecodeCase{"5-23-78-1-44", {5, 3, 8, -4, 0}},
                      // Short texts: the missing pairs read 0, a cut pair keeps its digit.
                      DecodeCase{"12-34", {12, 34, 0, 0, 0}},
                      DecodeCase{"12-34-5", {12, 34, 5, 0, 0}},
                      // Leading blanks, signs, non-digits.
                      DecodeCase{" 7- 8-xx-9a-+4", {7, 8, 0, 9, 4}},
                      DecodeCase{"-5-23-78-01-44", {-5, 23, 78, 1, 44}},
                      DecodeCase{"ab-cd-ef-gh-ij", {0, 0, 0, 0, 0}},
                      DecodeCase{"99-00-90-01-45", {99, 0, 90, 1, 45}}));

TEST(EncodeWheelText, ZeroPadsAndRoundTrips) {
  EXPECT_EQ(encodeWheelText({5, 23, 78, 1, 44}), "05-23-78-01-44");
  EXPECT_EQ(encodeWheelText({0, 0, 0, 0, 0}), "");
  const WheelNumbers numbers{90, 1, 45, 9, 10};
  EXPECT_EQ(decodeWheelText(encodeWheelText(numbers)), numbers);
}

TEST(TextNumber, LeadingNumberLikeAPersonReadsIt) {
  EXPECT_DOUBLE_EQ(leadingNumber("  12abc"), 12);
  EXPECT_DOUBLE_EQ(leadingNumber("-3.5"), -3.5);
  EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(leadingNumber("+"), 0);
  EXPECT_EQ(leadingInteger("99999999999999999999"), 2147483647);
  EXPECT_TRUE(isWholeNumber(" 42 "));
  EXPECT_TRUE(isWholeNumber("-7"));
  EXPECT_FALSE(isWholeNumber("4 2"));
  EXPECT_FALSE(isWholeNumber("3.0"));
  EXPECT_FALSE(isWholeNumber(""));
  EXPECT_FALSE(isWholeNumber("1234567890"));  // past any draw index; no overflow
}

}  // namespace
}  // namespace quintello
