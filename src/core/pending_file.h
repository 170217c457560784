#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quintello {

// A file written under a temporary name beside its target and moved into place only when
// complete: a failure or an interruption never leaves half a file under the final name.
// Destroyed before commit(), it removes the temporary file.
//
// The temporary name is short (a long target name never makes it too long) and marked with
// the writer's process, so that a temporary left by a killed writer is removed by the next
// write to the same folder. A symbolic link is written through: the file it points to gets
// the new content and the link stays.
class PendingFile {
 public:
  // Throws Error naming the target, with the reason in Italian, when the target must not be
  // replaced: a folder, a FIFO, socket or device, a read-only file, or one of `inUse` (the
  // open archive, the program database), compared by device and inode, not by name.
  explicit PendingFile(std::string target, const std::vector<std::string>& inUse = {});
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Where to write the contents.
  const std::string& path() const { return temp_; }
  const std::string& target() const { return target_; }
  // Writes the whole content to the temporary file and flushes it to the disk. Throws Error
  // naming the target, with the reason (permission, disk full, ...) in Italian.
  void write(std::string_view content);
  // Flushes the temporary file to the disk, moves it over the target and flushes the folder.
  // Throws Error naming the target on failure.
  void commit();

 private:
  [[noreturn]] void fail(int error) const;
  std::string target_;  // as the caller named it, for the messages
  std::string real_;    // the file that gets the content (a link's target)
  std::string temp_;
  bool done_ = false;
};

// Writes a whole text file (a table saved as CSV) through a PendingFile: what was at path stays
// until the new contents are complete, and a database (an archive or the program database,
// open or not) is never replaced by text. Throws Error naming the file when it cannot be
// written.
void writeWholeFile(const std::string& path, std::string_view contents);

}  // namespace quintello
