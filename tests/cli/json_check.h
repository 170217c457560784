#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quintello::cli {

// A parsed JSON value, plain enough for tests to walk.
struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string string;                                      // escapes decoded to UTF-8
  std::vector<JsonValue> items;                            // Array
  std::vector<std::pair<std::string, JsonValue>> members;  // Object, in document order

  // The member with that key; throws std::out_of_range when there is none.
  const JsonValue& operator[](std::string_view key) const;
  const JsonValue& operator[](size_t index) const { return items.at(index); }
};

// Exactly one JSON value (RFC 8259 grammar, whitespace around it allowed), or nothing.
// A reader of its own, so the tests do not trust the writer they test.
std::optional<JsonValue> parseJson(std::string_view text);
inline bool isValidJson(std::string_view text) { return parseJson(text).has_value(); }

}  // namespace quintello::cli
