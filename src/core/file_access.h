#pragma once

#include <string>
#include <system_error>

namespace quintello {

// What a path names, found without throwing: a path the user typed or stored may hold a
// symbolic-link loop, a name too long for the system, or lie in a folder the user cannot
// enter, and the program must say so rather than stop.
struct PathState {
  enum class Kind { File, Folder, Missing, Other, Unreachable };
  Kind kind = Kind::Missing;
  std::error_code error;  // why the path could not be examined (Unreachable)

  bool isFile() const { return kind == Kind::File; }
  bool isMissing() const { return kind == Kind::Missing; }
};

PathState inspectPath(const std::string& path) noexcept;

// Why a path cannot be used as a file, as an Italian sentence ending with a full stop:
// "il file non esiste.", "è una cartella, non un file.", "il percorso contiene un
// collegamento simbolico circolare." ... Empty for a file.
std::string unusableFileReason(const std::string& path, const PathState& state);

// Why writing a file failed with this system error, as an Italian sentence.
std::string writeFailureReason(const std::error_code& error);

// The folder holding a file ("." for a bare name).
std::string folderOf(const std::string& path);

// Whether the running user may read or write the file, or create files in the folder.
bool canRead(const std::string& path) noexcept;
bool canWrite(const std::string& path) noexcept;

}  // namespace quintello
