#pragma once

#include <string>
#include <string_view>

#include "core/program_database.h"

namespace quintello {

// Where the program keeps its files: the executable's folder, or the folder named by the
// environment variable QUINTELLO_CARTELLA (tests, and installs whose folder is read-only).
class ProgramFiles {
 public:
  static constexpr std::string_view kFolderVariable = "QUINTELLO_CARTELLA";
  static constexpr std::string_view kDefaultArchive = "archivio.mdb";
  static constexpr std::string_view kArchivePathFile = "PercorsoDatabase.txt";
  static constexpr std::string_view kBundledDraws = "estrazioni.txt";

  explicit ProgramFiles(std::string folder) : folder_(std::move(folder)) {}
  // The folder from QUINTELLO_CARTELLA when set, else executableFolder.
  static ProgramFiles locate(const std::string& executableFolder);

  const std::string& folder() const { return folder_; }
  std::string file(std::string_view name) const;  // folder + "/" + name
  std::string programDatabasePath() const { return file(ProgramDatabase::kFileName); }
  std::string defaultArchivePath() const { return file(kDefaultArchive); }

  // Records the chosen archive in PercorsoDatabase.txt: the path in double quotes and a
  // line end, replacing the file. Throws Error when the file cannot be written.
  void writeArchivePathFile(const std::string& archivePath) const;

 private:
  std::string folder_;
};

}  // namespace quintello
