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

// The draws of the text in date order, one per date; a date with only some wheels is a draw
// on those wheels (the others empty). Empty lines are skipped and a leading UTF-8 byte order
// mark is ignored. Every line is checked: a calendar date, a known wheel, five different
// numbers 1..90, no wheel twice on a date; more dates than kMaxUpdateRows are refused.
// Throws Error naming the line that fails.
std::vector<StoredDraw> parseOfficialArchive(std::string_view text);

// The text of the one file inside the zip, refused (Error) when the zip is damaged,
// encrypted, holds no file or more than one, or unpacks to more than
// kOfficialArchiveMaxBytes.
std::string readOfficialArchiveZip(const std::string& path);

// What a draws file given to the program holds, told by its content.
enum class DrawFileKind {
  UpdateFile,    // the 178-character update lines
  OfficialText,  // the official archive's tab-separated text
  OfficialZip,   // a zip (the official storico.zip)
};
// Throws Error when the file cannot be opened.
DrawFileKind drawFileKind(const std::string& path);

// The draws of the official archive, from its text or from its zip. Throws Error.
std::vector<StoredDraw> readOfficialArchive(const std::string& path);

// The draws in the official archive's text form, one line per wheel drawn ("\n" ends each), as
// the operator writes them: numbers without leading zeros.
std::string officialArchiveText(const std::vector<StoredDraw>& draws);

}  // namespace quintello
