#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quintello::cli {

// A JSON document of the command line; object members keep the order they were added in.
using Json = nlohmann::ordered_json;

// The document on one line. Bytes that are not valid UTF-8 (a damaged archive can hold any
// byte in a date) become U+FFFD, so the text is always valid UTF-8.
inline std::string jsonText(const Json& document) {
  return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quintello::cli
