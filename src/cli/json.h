#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quintello::cli {

// The text as a JSON string literal, quotes included. Quotes, backslashes and control
// characters are escaped; bytes that are not valid UTF-8 (a damaged archive can hold any
// byte in a date) become U+FFFD, so the document is always valid UTF-8.
std::string jsonString(std::string_view text);

// A JSON number for a finite value, in the shortest form that reads back to the same
// double ("12", "33.5"); NaN and infinities, which JSON cannot hold, give "null".
std::string jsonNumber(double value);

// A small streaming writer of one JSON value. Commas and the key/value colon are placed
// by the writer; the caller opens and closes objects and arrays in matching pairs.
class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(std::string_view name);  // inside an object, before each value
  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
  JsonWriter& value(long long number);
  JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
  JsonWriter& value(double number);
  JsonWriter& value(bool flag);
  JsonWriter& null();

  // The document written so far; complete once every object and array is closed.
  const std::string& text() const { return out_; }
  bool complete() const { return stack_.empty() && wroteValue_; }

 private:
  void beforeValue();
  void open(char bracket, bool object);
  void close(char bracket, bool object);

  struct Level {
    bool object;
    bool empty = true;
    bool keyPending = false;
  };
  std::string out_;
  std::vector<Level> stack_;
  bool wroteValue_ = false;
};

}  // namespace quintello::cli
