#pragma once

#include <string>
#include <string_view>

namespace quintello {

// A file written under a temporary name beside its target and moved into place only when
// complete: a failure or an interruption never leaves half a file under the final name.
// Destroyed before commit(), it removes the temporary file.
class PendingFile {
 public:
  explicit PendingFile(std::string target);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Where to write the contents.
  const std::string& path() const { return temp_; }
  const std::string& target() const { return target_; }
  // Moves the written file over the target. Throws Error naming the target on failure.
  void commit();

 private:
  std::string target_, temp_;
  bool done_ = false;
};

// Writes a whole file through a PendingFile: what was at path stays until the new contents
// are complete. Throws Error naming the file when it cannot be written.
void writeWholeFile(const std::string& path, std::string_view contents);

}  // namespace quintello
