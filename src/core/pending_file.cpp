#include "core/pending_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "core/error.h"
#include "core/file_access.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".quintello-";
constexpr std::string_view kTempSuffix = ".nuovo";

// The temporary file and what a database engine may have left beside it when a run was
// killed while writing it: a journal of a half-built file is worthless.
void removeTemporary(const std::string& temp) {
  std::error_code ignored;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(temp + suffix, ignored);
}

// ".quintello-<pid>-<random>.nuovo" (and its journals) of a process that no longer runs.
void removeStaleTemporaries(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(kTempPrefix) || name.find(kTempSuffix) == std::string::npos) continue;
    const std::string pid =
        name.substr(kTempPrefix.size(), name.find('-', kTempPrefix.size()) - kTempPrefix.size());
    char* rest = nullptr;
    const long writer = std::strtol(pid.c_str(), &rest, 10);
    if (writer <= 0 || *rest != '\0') continue;
    if (::kill(static_cast<pid_t>(writer), 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

std::string temporaryName() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string name = std::string(kTempPrefix) + std::to_string(::getpid()) + "-";
  for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name + std::string(kTempSuffix);
}

// The file a symbolic link leads to; the path itself otherwise.
std::string throughLinks(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  const fs::path real = fs::weakly_canonical(path, error);
  return error ? path : real.string();
}

bool sameFile(const struct stat& a, const std::string& other) {
  struct stat b {};
  return ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Why the existing file must not be replaced, or empty.
std::string refusalReason(const std::string& real, const std::vector<std::string>& inUse) {
  struct stat info {};
  if (::stat(real.c_str(), &info) != 0) return {};  // a new file
  if (S_ISDIR(info.st_mode)) return "è una cartella, non un file.";
  if (!S_ISREG(info.st_mode))
    return "non è un file di dati (è un dispositivo, una coda o un socket) e non viene "
           "sostituito.";
  for (const auto& file : inUse)
    if (!file.empty() && sameFile(info, file))
      return "è un file in uso dal programma (l'archivio aperto o il database del programma) e "
             "non viene sostituito.";
  if ((info.st_mode & 0222) == 0 || ::access(real.c_str(), W_OK) != 0)
    return "il file è di sola lettura.";
  return {};
}

// True for a file that starts as every SQLite database does.
bool isSqliteDatabase(const std::string& path) {
  static constexpr std::string_view kHeader{"SQLite format 3\0", 16};
  std::ifstream in(path, std::ios::binary);
  std::string start(kHeader.size(), '\0');
  return in.read(start.data(), static_cast<std::streamsize>(start.size())) && start == kHeader;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

PendingFile::PendingFile(std::string target, const std::vector<std::string>& inUse)
    : target_(std::move(target)), real_(throughLinks(target_)) {
  if (const std::string why = refusalReason(real_, inUse); !why.empty())
    throw Error("Impossibile scrivere il file \"" + target_ + "\": " + why);
  const fs::path folder = fs::path(real_).parent_path();
  removeStaleTemporaries(folder.empty() ? fs::path(".") : folder);
  temp_ = (folder / temporaryName()).string();
}

PendingFile::~PendingFile() {
  if (!done_) removeTemporary(temp_);
}

void PendingFile::fail(int error) const {
  throw Error("Impossibile scrivere il file \"" + target_ +
              "\": " + writeFailureReason(std::error_code(error, std::generic_category())));
}

void PendingFile::write(std::string_view content) {
  struct stat existing {};
  const mode_t mode = ::stat(real_.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666;
  const int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) fail(errno);
  while (!content.empty()) {
    const ssize_t wrote = ::write(fd, content.data(), content.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      const int error = wrote < 0 ? errno : ENOSPC;
      ::close(fd);
      fail(error);
    }
    content.remove_prefix(static_cast<size_t>(wrote));
  }
  if (::fsync(fd) != 0) {
    const int error = errno;
    ::close(fd);
    fail(error);
  }
  if (::close(fd) != 0) fail(errno);
}

void PendingFile::commit() {
  // What another writer (a database engine) put there reaches the disk before the rename.
  if (const int fd = ::open(temp_.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced) fail(error);
  }
  if (::rename(temp_.c_str(), real_.c_str()) != 0) fail(errno);
  done_ = true;
  syncFolder(folderOf(real_));
}

void writeWholeFile(const std::string& path, std::string_view contents) {
  if (isSqliteDatabase(throughLinks(path)))
    throw Error("Impossibile scrivere il file \"" + path +
                "\": è un database (un archivio delle estrazioni o il database del programma) e "
                "non viene sostituito.");
  PendingFile pending(path);
  pending.write(contents);
  pending.commit();
}

}  // namespace quintello
