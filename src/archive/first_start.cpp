#include "archive/first_start.h"

#include <filesystem>
#include <vector>

#include "archive/server_addresses.h"
#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"
#include "core/file_access.h"
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
          {std::string(parameter::kPercorsoDatiIii), folder, ""},
          {std::string(parameter::kIndirizzoArchivioUfficiale), builtOfficialArchiveAddress(), ""}};
}

}  // namespace

ProgramDatabase openProgramDatabase(const ProgramFiles& files,
                                    const std::string& bundledDrawsPath) {
  const std::string path = files.programDatabasePath();
  // Only a database that is plainly not there means a first start; anything else in the way
  // (a folder of that name, a path that cannot be followed) is reported by the open.
  if (!inspectPath(path).isMissing()) {
    auto db = ProgramDatabase::open(path);
    // A database from before the official archive's address gets it; one that cannot be
    // written still opens, and the build's address stands in for the row.
    try {
      db.addMissingParameter(parameter::kIndirizzoArchivioUfficiale, builtOfficialArchiveAddress());
    } catch (const Error&) {
    }
    return db;
  }

  std::error_code error;
  fs::create_directories(files.folder(), error);
  if (error)
    throw Error("Impossibile creare la cartella del programma \"" + files.folder() +
                "\": " + writeFailureReason(error));
  std::string archivePath = files.defaultArchivePath();
  if (inspectPath(archivePath).isMissing()) {
    try {
      createArchiveFromUpdateFile(archivePath, bundledDrawsPath);
    } catch (const Error&) {
      archivePath.clear();  // no bundled draws: the user picks an archive as on first use
    }
  }
  PendingFile pending(path);
  ProgramDatabase::create(pending,
                          defaultParameters(files.storedPath(archivePath), files.folder()));
  pending.commit();
  return ProgramDatabase::open(path);
}

void createArchiveFromUpdateFile(const std::string& archivePath, const std::string& drawsPath) {
  const auto draws = readStoredDraws(drawsPath);
  PendingFile pending(archivePath);
  {
    auto archive = ArchiveDatabase::create(pending);
    archive.insertDraws(draws);
  }
  pending.commit();
}

}  // namespace quintello
