#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_database.h"
#include "core/draw_archive.h"
#include "core/wheels.h"

namespace quintello {

// The update file: one draw per line in fixed columns, 178 characters, CR LF.
//   1..10  date "GG/MM/AAAA"          12 + 15w .. 25 + 15w  wheel w (0..10), 14 characters
//   177..178 "pr"                     the other characters are separators, never read
struct UpdateLine {
  std::string dateText;                         // characters 1..10
  std::array<std::string, kWheelCount> wheels;  // 14 characters each, as they stand
};

inline constexpr size_t kUpdateLineLength = 178;
// Larger than any real archive file (about 2 MB since 1871); a bigger file is refused.
inline constexpr size_t kUpdateFileMaxBytes = 64 * 1024 * 1024;
// More draw dates than any archive holds (about 10,800 since 1871); a file with more is
// refused, so a check never holds an unbounded grid.
inline constexpr size_t kMaxUpdateRows = 50'000;

// Cuts one line into its columns; a short line gives short or empty cells.
UpdateLine parseUpdateLine(std::string_view line);
// True for a line of the expected form: 178 characters ending in "pr".
bool hasUpdateLineForm(std::string_view line);
// The whole content of a regular file of at most maxBytes, opened once. A folder, a FIFO, a
// device or a socket is refused at once (never waited on), as is a bigger file: throws
// Error naming the file and saying why, in Italian.
std::string readInputFile(const std::string& path, size_t maxBytes);
// Every line of the file (see forEachLine); throws Error as readInputFile.
std::vector<std::string> readUpdateFileLines(const std::string& path,
                                             size_t maxBytes = kUpdateFileMaxBytes);
// Calls onLine for every line of the text: CR, LF and CR LF each end a line (a lone CR left
// inside a line would hide the draw after it), and a last line without an end counts too.
void forEachLine(std::string_view text, const std::function<void(std::string_view)>& onLine);

// The update line of a stored draw: 178 characters, a wheel without a draw written as 14
// blanks, the separators blank, "pr" at the end. A wheel text is cut or padded to 14.
std::string updateLineText(const StoredDraw& draw);
// Writes the draws as an update file, CR LF after every line, under a temporary name renamed
// into place when complete; a file of `inUse`, a folder, a device or a read-only file is never
// replaced (see PendingFile). Throws Error naming the file, with the reason.
void writeUpdateFile(const std::string& path, const std::vector<StoredDraw>& draws,
                     const std::vector<std::string>& inUse = {});

// The stored form of a line: ISO date and wheel texts, a blank wheel group becoming empty.
// Throws Error naming the line when its date is not a calendar date "GG/MM/AAAA".
StoredDraw storedDrawFromLine(const UpdateLine& line, size_t lineNumber);

// Every draw of an update file in the stored form, in date order, empty lines skipped.
// Throws Error naming the line or date when a date is not a calendar date or comes twice.
std::vector<StoredDraw> readStoredDraws(const std::string& path);

// Loads draws in date order as draws 1..N of the archive, exactly as the same draws stored
// in an archive file would load, with the model archive from firstIndex.
void loadStoredDraws(const std::vector<StoredDraw>& draws, DrawArchive& archive,
                     int firstIndex = 1);

}  // namespace quintello
