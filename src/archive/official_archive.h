#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_database.h"

namespace quintello {

// The official historical archive of the Lotto operator (storico.zip, one text file inside):
// one line per wheel and date, fields separated by tabs,
//   YYYY/MM/DD <TAB> WHEEL <TAB> n1 <TAB> n2 <TAB> n3 <TAB> n4 <TAB> n5
// with the wheel codes BA CA FI GE MI NA PA RM TO VE and RN (RM = Roma, RN = Nazionale).

// Larger than the whole archive since 1871 (about 3 MB of text); anything bigger is refused,
// in the file and once unpacked from the zip.
inline constexpr size_t kOfficialArchiveMaxBytes = 64 * 1024 * 1024;

// A line of the text that cannot be read.
struct OfficialLineProblem {
  size_t lineNumber = 0;  // 1 = first line
  std::string start;      // the first characters of the line (its date, if any)
  std::string why;        // an Italian reason, no full stop
};

struct OfficialArchive {
  std::vector<StoredDraw> draws;                  // one per date, in date order
  std::vector<size_t> firstLines;                 // the first line of each draw's date
  std::vector<OfficialLineProblem> invalidLines;  // in file order
};

// The draws of the text. A date with only some wheels is a draw on those wheels (the others
// empty). Empty lines are skipped, a leading UTF-8 byte order mark is ignored, and CR, LF and
// CR LF each end a line. Every line is checked: a calendar date not after today, a known
// wheel, five different numbers 1..90, nothing but blanks after the fifth, the same wheel of
// a date never twice with different numbers; a line that fails is listed, not read. More
// dates or invalid lines than kMaxUpdateRows throw Error.
OfficialArchive parseOfficialArchive(std::string_view text);

// The text of the one file inside the zip held in `bytes` (`name` is what the messages call
// it), refused (Error) when the zip is damaged, encrypted, holds no file or more than one, or
// unpacks to more than kOfficialArchiveMaxBytes.
std::string unpackOfficialArchiveZip(std::string_view bytes, const std::string& name);

// The draws in the official archive's text form, one line per wheel drawn ("\n" ends each), as
// the operator writes them: numbers without leading zeros.
std::string officialArchiveText(const std::vector<StoredDraw>& draws);

}  // namespace quintello
