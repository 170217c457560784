#pragma once

#include <string>
#include <string_view>

#include "core/program_database.h"

namespace quintello {

// Where the program keeps its files (the program folder) and where it finds the draws it
// ships with. The window and quintello-cli both ask here, so they always agree.
class ProgramFiles {
 public:
  static constexpr std::string_view kFolderVariable = "QUINTELLO_CARTELLA";
  static constexpr std::string_view kDefaultArchive = "archivio.mdb";
  static constexpr std::string_view kArchivePathFile = "PercorsoDatabase.txt";
  static constexpr std::string_view kBundledDraws = "estrazioni.txt";

  explicit ProgramFiles(std::string folder) : folder_(std::move(folder)) {}
  // The program folder: QUINTELLO_CARTELLA when set; else the executable's folder when it is
  // writable and not an installed prefix (a build, a portable copy); else the user's data
  // folder, $XDG_DATA_HOME/quintello or ~/.local/share/quintello.
  static ProgramFiles locate(const std::string& executableFolder);
  // The bundled draws: beside the executable, else in the installed share/quintello.
  static std::string bundledDrawsPath(const std::string& executableFolder);

  const std::string& folder() const { return folder_; }
  std::string file(std::string_view name) const;  // folder + "/" + name
  std::string programDatabasePath() const { return file(ProgramDatabase::kFileName); }
  std::string defaultArchivePath() const { return file(kDefaultArchive); }

  // An archive path as the program database keeps it: relative when it lies inside the
  // program folder, so that moving the folder keeps it working; otherwise unchanged.
  std::string storedPath(const std::string& path) const;
  // The path a stored one names: a relative path is taken from the program folder.
  std::string resolvedPath(const std::string& stored) const;

  // Records the chosen archive in PercorsoDatabase.txt: the path in double quotes and a
  // line end, replacing the file. Throws Error when the file cannot be written.
  void writeArchivePathFile(const std::string& archivePath) const;

 private:
  std::string folder_;
};

}  // namespace quintello
