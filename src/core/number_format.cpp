#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quintello {

namespace {

struct Pattern {
  int minIntegerDigits = 0;  // '0' placeholders before the point
  int decimals = 0;          // placeholders after the point
  bool point = false;
};

Pattern parsePattern(std::string_view pattern) {
  Pattern parsed;
  bool afterPoint = false;
  for (char c : pattern) {
    if (c == '.') {
      afterPoint = parsed.point = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint)
        ++parsed.decimals;
      else if (c == '0')
        ++parsed.minIntegerDigits;
    }
  }
  return parsed;
}

// Adds one unit to the last digit of a digit string, carrying to the left.
void incrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) {
  const Pattern parsed = parsePattern(pattern);
  if (!std::isfinite(value)) return std::string();

  // The shortest fixed-point text that reads back as the same double.
  char buffer[512];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t dot = text.find('.');
  std::string integer(text.substr(0, dot));
  std::string fraction(dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1));

  const auto decimals = static_cast<size_t>(parsed.decimals);
  if (fraction.size() > decimals) {
    const bool up = fraction[decimals] >= '5';
    fraction.resize(decimals);
    if (up) {
      std::string digits = integer + fraction;
      incrementDigits(digits);
      integer = digits.substr(0, digits.size() - decimals);
      fraction = digits.substr(digits.size() - decimals);
    }
  }
  fraction.resize(decimals, '0');

  // Leading zeros go unless the pattern asks for them.
  const size_t firstSignificant = integer.find_first_not_of('0');
  integer =
      firstSignificant == std::string::npos ? std::string() : integer.substr(firstSignificant);
  if (integer.size() < static_cast<size_t>(parsed.minIntegerDigits))
    integer.insert(0, static_cast<size_t>(parsed.minIntegerDigits) - integer.size(), '0');

  const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                    fraction.find_first_not_of('0') == std::string::npos;
  std::string out = value < 0 && !zero ? "-" : "";
  out += integer;
  if (parsed.point) out += '.' + fraction;
  return out;
}

std::string formatZeroPadded(long long value, int digits) {
  std::string text = std::to_string(value < 0 ? -value : value);
  if (text.size() < static_cast<size_t>(std::max(digits, 0)))
    text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
  return value < 0 ? "-" + text : text;
}

}  // namespace quintello
