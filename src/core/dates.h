#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quintello {

// "AAAA-MM-GG" as stored in the draw table -> "GG/MM/AAAA" as shown and compared everywhere.
// A stored value in neither form is returned as it is.
std::string dateTextFromIso(std::string_view stored);

// The "GG/MM/AAAA" text of a date as the draw table stores it: a calendar date "AAAA-MM-GG",
// possibly followed by a time of day (" 00:00:00" or "T00:00:00"), which is dropped. Nothing
// for anything else, so no stored text but a date reaches the screen or the printed lists.
std::optional<std::string> dateTextFromStored(std::string_view stored);

// "GG/MM/AAAA" (a real calendar date, two-digit day and month) -> "AAAA-MM-GG".
std::optional<std::string> isoFromDateText(std::string_view dateText);

// True when the ISO date "AAAA-MM-GG" comes after today's date (local time): no draw can.
bool isAfterToday(std::string_view isoDate);

}  // namespace quintello
