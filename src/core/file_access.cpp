#include "core/file_access.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace quintello {

namespace fs = std::filesystem;

namespace {

// The outermost folder of the path that the user may not enter, or nothing found.
std::string firstClosedFolder(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return {};
  fs::path prefix;
  for (const auto& part : absolute.parent_path()) {
    prefix /= part;
    if (::access(prefix.c_str(), X_OK) != 0) return prefix.string();
  }
  return {};
}

std::string unreachableReason(const std::string& path, const std::error_code& error) {
  switch (error.value()) {
    case ELOOP:
      return "il percorso passa per un collegamento simbolico che rimanda a se stesso (un ciclo "
             "di collegamenti).";
    case ENAMETOOLONG:
      return "il percorso, o uno dei nomi che lo compongono, è troppo lungo per il sistema.";
    case ENOTDIR:
      return "una parte del percorso non è una cartella.";
    case EACCES:
    case EPERM:
      if (const std::string closed = firstClosedFolder(path); !closed.empty())
        return "la cartella \"" + closed + "\" non è accessibile (permesso negato).";
      return "una cartella del percorso non è accessibile (permesso negato).";
    default:
      return "il percorso non può essere esaminato (errore di sistema " +
             std::to_string(error.value()) + ").";
  }
}

}  // namespace

PathState inspectPath(const std::string& path) noexcept {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error && error.value() != ENOENT) return {PathState::Kind::Unreachable, error};
  switch (status.type()) {
    case fs::file_type::not_found:
      return {PathState::Kind::Missing, {}};
    case fs::file_type::regular:
      return {PathState::Kind::File, {}};
    case fs::file_type::directory:
      return {PathState::Kind::Folder, {}};
    default:
      return {PathState::Kind::Other, {}};
  }
}

std::string unusableFileReason(const std::string& path, const PathState& state) {
  switch (state.kind) {
    case PathState::Kind::File:
      return {};
    case PathState::Kind::Missing:
      return "il file non esiste.";
    case PathState::Kind::Folder:
      return "è una cartella, non un file.";
    case PathState::Kind::Other:
      return "non è un file di dati (è un dispositivo, una coda o un socket).";
    case PathState::Kind::Unreachable:
      break;
  }
  return unreachableReason(path, state.error);
}

std::string writeFailureReason(const std::error_code& error) {
  switch (error.value()) {
    case EACCES:
    case EPERM:
      return "la scrittura non è consentita in quella cartella (permesso negato).";
    case EROFS:
      return "il file system è di sola lettura.";
    case ENOSPC:
    case EDQUOT:
      return "il disco è pieno.";
    case ENAMETOOLONG:
      return "il nome del file è troppo lungo per il sistema.";
    case ENOTDIR:
      return "una parte del percorso non è una cartella.";
    case EISDIR:
      return "esiste già una cartella con questo nome.";
    case ENOENT:
      return "la cartella di destinazione non esiste.";
    default:
      return "errore di sistema " + std::to_string(error.value()) + ".";
  }
}

std::string folderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

bool canRead(const std::string& path) noexcept { return ::access(path.c_str(), R_OK) == 0; }

bool canWrite(const std::string& path) noexcept { return ::access(path.c_str(), W_OK) == 0; }

}  // namespace quintello
