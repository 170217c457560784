#include "core/program_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "core/file_access.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDataFolderName = "quintello";

std::string environment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  return value ? value : "";
}

// An installed copy keeps its draws in share/quintello beside bin (QUINTELLO_INSTALLED_DATA
// is that folder as seen from the executable's).
fs::path installedDataFolder(const std::string& executableFolder) {
  return fs::path(executableFolder) / QUINTELLO_INSTALLED_DATA;
}

bool isInstalledPrefix(const std::string& executableFolder) {
  return inspectPath((installedDataFolder(executableFolder) / ProgramFiles::kBundledDraws).string())
      .isFile();
}

// $XDG_DATA_HOME/quintello, or ~/.local/share/quintello when that is unset or not absolute.
std::string userDataFolder() {
  const fs::path dataHome = environment("XDG_DATA_HOME");
  if (dataHome.is_absolute()) return (dataHome / kDataFolderName).string();
  const std::string home = environment("HOME");
  if (home.empty()) return {};
  return (fs::path(home) / ".local" / "share" / kDataFolderName).string();
}

}  // namespace

ProgramFiles ProgramFiles::locate(const std::string& executableFolder) {
  if (std::string configured = environment(kFolderVariable); !configured.empty())
    return ProgramFiles(std::move(configured));
  if (canWrite(executableFolder) && !isInstalledPrefix(executableFolder))
    return ProgramFiles(executableFolder);
  std::string data = userDataFolder();
  return ProgramFiles(data.empty() ? executableFolder : std::move(data));
}

std::string ProgramFiles::bundledDrawsPath(const std::string& executableFolder) {
  const std::string beside = ProgramFiles(executableFolder).file(kBundledDraws);
  if (inspectPath(beside).isFile() || !isInstalledPrefix(executableFolder)) return beside;
  return (installedDataFolder(executableFolder) / kBundledDraws).lexically_normal().string();
}

std::string ProgramFiles::file(std::string_view name) const {
  return (fs::path(folder_) / fs::path(name)).string();
}

std::string ProgramFiles::storedPath(const std::string& path) const {
  std::error_code error;
  const fs::path folder = fs::absolute(folder_, error).lexically_normal();
  if (error || !fs::path(path).is_absolute()) return path;
  const fs::path inside = fs::path(path).lexically_normal().lexically_relative(folder);
  if (inside.empty() || *inside.begin() == "..") return path;
  return inside.string();
}

std::string ProgramFiles::resolvedPath(const std::string& stored) const {
  if (stored.empty() || fs::path(stored).is_absolute()) return stored;
  return file(stored);
}

void ProgramFiles::writeArchivePathFile(const std::string& archivePath) const {
  const std::string path = file(kArchivePathFile);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << '"' << archivePath << "\"\r\n";
  out.close();
  if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
}

}  // namespace quintello
