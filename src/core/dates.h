#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quintello {

// "AAAA-MM-GG" as stored in the draw table -> "GG/MM/AAAA" as shown and compared everywhere.
// A stored value in neither form is returned as it is.
std::string dateTextFromIso(std::string_view stored);

// "GG/MM/AAAA" (a real calendar date, two-digit day and month) -> "AAAA-MM-GG".
std::optional<std::string> isoFromDateText(std::string_view dateText);

}  // namespace quintello
