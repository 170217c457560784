#include "core/text_number.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace quintello {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

double leadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1.0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') sign = -1.0;
    ++i;
  }
  double value = 0.0;
  bool any = false;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    value = value * 10.0 + (text[i] - '0');
    any = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && isDigit(text[i]); ++i, scale /= 10.0) {
      value += (text[i] - '0') * scale;
      any = true;
    }
  }
  return any ? sign * value : 0.0;
}

int leadingInteger(std::string_view text) {
  const double value = std::trunc(leadingNumber(text));
  constexpr double kMax = std::numeric_limits<int>::max();
  if (value > kMax) return std::numeric_limits<int>::max();
  if (value < -kMax) return -std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

bool isWholeNumber(std::string_view text) {
  text = trimBlanks(text);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!isDigit(c)) return false;
  return true;
}

}  // namespace quintello
