#include "core/program_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/error.h"

namespace quintello {

namespace fs = std::filesystem;

ProgramFiles ProgramFiles::locate(const std::string& executableFolder) {
  const char* configured = std::getenv(std::string(kFolderVariable).c_str());
  return ProgramFiles(configured && *configured ? configured : executableFolder);
}

std::string ProgramFiles::file(std::string_view name) const {
  return (fs::path(folder_) / fs::path(name)).string();
}

void ProgramFiles::writeArchivePathFile(const std::string& archivePath) const {
  const std::string path = file(kArchivePathFile);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << '"' << archivePath << "\"\r\n";
  out.close();
  if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
}

}  // namespace quintello
