#include "archive/first_start.h"

#include <filesystem>
#include <vector>

#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"
#include "core/parameters.h"
#include "core/pending_file.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

std::vector<ProgramDatabase::Parameter> defaultParameters(const std::string& archivePath,
                                                          const std::string& folder) {
  return {{std::string(parameter::kPercorsoArchivio), archivePath, ""},
          {std::string(parameter::kEstrazioneIniziale), "1", ""},
          {std::string(parameter::kIndirizzoInternet), QUINTELLO_INDIRIZZO_INTERNET, ""},
          {std::string(parameter::kPercorsoDatiIii), folder, ""}};
}

}  // namespace

ProgramDatabase openProgramDatabase(const ProgramFiles& files,
                                    const std::string& bundledDrawsPath) {
  const std::string path = files.programDatabasePath();
  if (fs::exists(path)) return ProgramDatabase::open(path);

  std::error_code error;
  fs::create_directories(files.folder(), error);
  std::string archivePath = files.defaultArchivePath();
  if (!fs::exists(archivePath)) {
    try {
      createArchiveFromUpdateFile(archivePath, bundledDrawsPath);
    } catch (const Error&) {
      archivePath.clear();  // no bundled draws: the user picks an archive as on first use
    }
  }
  PendingFile pending(path);
  ProgramDatabase::create(pending.path(), defaultParameters(archivePath, files.folder()));
  pending.commit();
  return ProgramDatabase::open(path);
}

void createArchiveFromUpdateFile(const std::string& archivePath, const std::string& drawsPath) {
  const auto draws = readStoredDraws(drawsPath);
  PendingFile pending(archivePath);
  {
    auto archive = ArchiveDatabase::create(pending.path());
    archive.insertDraws(draws);
  }
  pending.commit();
}

}  // namespace quintello
