#include "core/program_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

std::vector<ProgramDatabase::Parameter> defaultParameters(const std::string& archivePath,
                                                          const std::string& folder) {
  return {{"PercorsoArchivio", archivePath, ""},
          {"EstrazioneIniziale", "1", ""},
          {"IndirizzoInternet", QUINTELLO_INDIRIZZO_INTERNET, ""},
          {"PercorsoDati.iii", folder, ""}};
}

// A file written under a temporary name and moved into place when complete.
class PendingFile {
 public:
  explicit PendingFile(std::string target) : target_(std::move(target)), temp_(target_ + ".nuovo") {
    std::error_code ignored;
    fs::remove(temp_, ignored);
  }
  ~PendingFile() {
    std::error_code ignored;
    if (!done_) fs::remove(temp_, ignored);
  }
  const std::string& path() const { return temp_; }
  void commit() {
    fs::rename(temp_, target_);
    done_ = true;
  }

 private:
  std::string target_, temp_;
  bool done_ = false;
};

}  // namespace

ProgramFiles ProgramFiles::locate(const std::string& executableFolder) {
  const char* configured = std::getenv(std::string(kFolderVariable).c_str());
  return ProgramFiles(configured && *configured ? configured : executableFolder);
}

std::string ProgramFiles::file(std::string_view name) const {
  return (fs::path(folder_) / fs::path(name)).string();
}

ProgramDatabase ProgramFiles::openProgramDatabase(const std::string& bundledDrawsPath) const {
  const std::string path = programDatabasePath();
  if (fs::exists(path)) return ProgramDatabase::open(path);

  std::error_code error;
  fs::create_directories(folder_, error);
  std::string archivePath = defaultArchivePath();
  if (!fs::exists(archivePath)) {
    try {
      createArchiveFromUpdateFile(archivePath, bundledDrawsPath);
    } catch (const Error&) {
      archivePath.clear();  // no bundled draws: the user picks an archive as on first use
    }
  }
  PendingFile pending(path);
  ProgramDatabase::create(pending.path(), defaultParameters(archivePath, folder_));
  try {
    pending.commit();
  } catch (const fs::filesystem_error& failure) {
    throw Error("Impossibile creare il database del programma \"" + path + "\": " + failure.what());
  }
  return ProgramDatabase::open(path);
}

void ProgramFiles::writeArchivePathFile(const std::string& archivePath) const {
  const std::string path = file(kArchivePathFile);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << '"' << archivePath << "\"\r\n";
  out.close();
  if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
}

void createArchiveFromUpdateFile(const std::string& archivePath, const std::string& drawsPath) {
  const auto draws = readStoredDraws(drawsPath);
  PendingFile pending(archivePath);
  {
    auto archive = ArchiveDatabase::create(pending.path());
    archive.insertDraws(draws);
  }
  try {
    pending.commit();
  } catch (const fs::filesystem_error& failure) {
    throw Error("Impossibile creare l'archivio \"" + archivePath + "\": " + failure.what());
  }
}

}  // namespace quintello
