#include "cli/json_check.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace quintello::cli {

const JsonValue& JsonValue::operator[](std::string_view key) const {
  for (const auto& [name, value] : members)
    if (name == key) return value;
  throw std::out_of_range("no JSON member " + std::string(key));
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> document() {
    JsonValue result;
    space();
    if (!value(result, 0)) return std::nullopt;
    space();
    if (at_ != text_.size()) return std::nullopt;
    return result;
  }

 private:
  static constexpr int kMaxDepth = 200;

  bool more() const { return at_ < text_.size(); }
  char peek() const { return more() ? text_[at_] : '\0'; }
  bool eat(char c) {
    if (!more() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  void space() {
    while (more() && std::strchr(" \t\r\n", text_[at_]) && text_[at_] != '\0') ++at_;
  }
  bool literal(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool digits() {
    const size_t start = at_;
    while (more() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
    return at_ > start;
  }

  bool value(JsonValue& out, int depth) {
    if (depth > kMaxDepth) return false;
    switch (peek()) {
      case '{':
        return object(out, depth);
      case '[':
        return array(out, depth);
      case '"':
        out.type = JsonValue::Type::String;
        return string(out.string);
      case 't':
        out.type = JsonValue::Type::Bool;
        out.boolean = true;
        return literal("true");
      case 'f':
        out.type = JsonValue::Type::Bool;
        return literal("false");
      case 'n':
        out.type = JsonValue::Type::Null;
        return literal("null");
      default:
        out.type = JsonValue::Type::Number;
        return number(out.number);
    }
  }

  bool object(JsonValue& out, int depth) {
    out.type = JsonValue::Type::Object;
    eat('{');
    space();
    if (eat('}')) return true;
    for (;;) {
      space();
      std::string key;
      if (peek() != '"' || !string(key)) return false;
      space();
      if (!eat(':')) return false;
      space();
      JsonValue member;
      if (!value(member, depth + 1)) return false;
      out.members.emplace_back(std::move(key), std::move(member));
      space();
      if (eat('}')) return true;
      if (!eat(',')) return false;
    }
  }

  bool array(JsonValue& out, int depth) {
    out.type = JsonValue::Type::Array;
    eat('[');
    space();
    if (eat(']')) return true;
    for (;;) {
      space();
      JsonValue item;
      if (!value(item, depth + 1)) return false;
      out.items.push_back(std::move(item));
      space();
      if (eat(']')) return true;
      if (!eat(',')) return false;
    }
  }

  bool hex4(unsigned& code) {
    if (at_ + 4 > text_.size()) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
      code = code * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                   ? c - '0'
                                                   : std::tolower(c) - 'a' + 10);
    }
    return true;
  }

  static void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool string(std::string& out) {
    if (!eat('"')) return false;
    while (more()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (!more()) return false;
      const char e = text_[at_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned code;
          if (!hex4(code)) return false;
          if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low;
            if (!eat('\\') || !eat('u') || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return false;
          }
          appendUtf8(out, code);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  bool number(double& out) {
    const size_t start = at_;
    eat('-');
    if (eat('0')) {
      if (std::isdigit(static_cast<unsigned char>(peek()))) return false;
    } else if (!digits()) {
      return false;
    }
    if (eat('.') && !digits()) return false;
    if (eat('e') || eat('E')) {
      if (!eat('+')) eat('-');
      if (!digits()) return false;
    }
    out = std::strtod(std::string(text_.substr(start, at_ - start)).c_str(), nullptr);
    return true;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

std::optional<JsonValue> parseJson(std::string_view text) { return Parser(text).document(); }

}  // namespace quintello::cli
