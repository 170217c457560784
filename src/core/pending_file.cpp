#include "core/pending_file.h"

#include <filesystem>
#include <system_error>

#include "core/error.h"

namespace quintello {

namespace fs = std::filesystem;

PendingFile::PendingFile(std::string target)
    : target_(std::move(target)), temp_(target_ + ".nuovo") {
  std::error_code ignored;
  fs::remove(temp_, ignored);
}

PendingFile::~PendingFile() {
  std::error_code ignored;
  if (!done_) fs::remove(temp_, ignored);
}

void PendingFile::commit() {
  std::error_code error;
  fs::rename(temp_, target_, error);
  if (error) throw Error("Impossibile scrivere il file \"" + target_ + "\".");
  done_ = true;
}

}  // namespace quintello
