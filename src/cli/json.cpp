#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace quintello::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are not valid).
size_t utf8Length(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return length;
}

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else if (c < 0x80) {
          out += static_cast<char>(c);
        } else if (const size_t length = utf8Length(text, i)) {
          out.append(text.substr(i, length));
          i += length;
          continue;
        } else {
          out += kReplacement;
        }
    }
    ++i;
  }
  out += '"';
  return out;
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void JsonWriter::beforeValue() {
  if (stack_.empty()) {
    if (wroteValue_) throw std::logic_error("JsonWriter: a second top-level value");
    wroteValue_ = true;
    return;
  }
  Level& level = stack_.back();
  if (level.object) {
    if (!level.keyPending) throw std::logic_error("JsonWriter: object value without a key");
    level.keyPending = false;
  } else {
    if (!level.empty) out_ += ',';
    level.empty = false;
  }
}

JsonWriter& JsonWriter::key(std::string_view name) {
  if (stack_.empty() || !stack_.back().object || stack_.back().keyPending)
    throw std::logic_error("JsonWriter: key outside an object");
  Level& level = stack_.back();
  if (!level.empty) out_ += ',';
  level.empty = false;
  level.keyPending = true;
  out_ += jsonString(name);
  out_ += ':';
  return *this;
}

void JsonWriter::open(char bracket, bool object) {
  beforeValue();
  out_ += bracket;
  stack_.push_back({object});
}

void JsonWriter::close(char bracket, bool object) {
  if (stack_.empty() || stack_.back().object != object || stack_.back().keyPending)
    throw std::logic_error("JsonWriter: unbalanced close");
  stack_.pop_back();
  out_ += bracket;
}

JsonWriter& JsonWriter::beginObject() {
  open('{', true);
  return *this;
}
JsonWriter& JsonWriter::endObject() {
  close('}', true);
  return *this;
}
JsonWriter& JsonWriter::beginArray() {
  open('[', false);
  return *this;
}
JsonWriter& JsonWriter::endArray() {
  close(']', false);
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  beforeValue();
  out_ += jsonString(text);
  return *this;
}

JsonWriter& JsonWriter::value(long long number) {
  beforeValue();
  out_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  beforeValue();
  out_ += jsonNumber(number);
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  beforeValue();
  out_ += flag ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  beforeValue();
  out_ += "null";
  return *this;
}

}  // namespace quintello::cli
