#include "core/pending_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/error.h"
#include "core/file_access.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

// The temporary file and what a database engine may have left beside it when a run was
// killed while writing it: a journal of a half-built file is worthless.
void removeTemporary(const std::string& temp) {
  std::error_code ignored;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(temp + suffix, ignored);
}

}  // namespace

PendingFile::PendingFile(std::string target)
    : target_(std::move(target)), temp_(target_ + ".nuovo") {
  removeTemporary(temp_);
}

PendingFile::~PendingFile() {
  if (!done_) removeTemporary(temp_);
}

void PendingFile::commit() {
  std::error_code error;
  fs::rename(temp_, target_, error);
  if (error)
    throw Error("Impossibile scrivere il file \"" + target_ + "\": " + writeFailureReason(error));
  done_ = true;
}

void writeWholeFile(const std::string& path, std::string_view contents) {
  PendingFile pending(path);
  {
    std::ofstream out(pending.path(), std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
  }
  pending.commit();
}

}  // namespace quintello
