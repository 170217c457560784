#include "support/folder_snapshot.h"

#include <filesystem>
#include <fstream>

namespace quintello::test {

namespace fs = std::filesystem;

namespace {

// FNV-1a, 64 bits.
std::uint64_t hashFile(const fs::path& path, std::uint64_t hash) {
  std::ifstream in(path, std::ios::binary);
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<unsigned char>(buffer[i]);
      hash *= 1099511628211ull;
    }
  }
  return hash;
}

}  // namespace

FolderSnapshot snapshotFolder(const std::string& folder) {
  FolderSnapshot snapshot;
  std::error_code error;
  for (fs::recursive_directory_iterator
           it(folder, fs::directory_options::skip_permission_denied, error),
       end;
       !error && it != end; it.increment(error)) {
    const fs::file_status status = it->symlink_status(error);
    std::uint64_t hash = 14695981039346656037ull ^ static_cast<std::uint64_t>(status.type());
    hash = hash * 1099511628211ull ^ static_cast<std::uint64_t>(status.permissions());
    if (status.type() == fs::file_type::regular) hash = hashFile(it->path(), hash);
    snapshot[it->path().string()] = hash;
  }
  return snapshot;
}

std::string describeChanges(const FolderSnapshot& before, const FolderSnapshot& after) {
  std::string changes;
  for (const auto& [path, hash] : before) {
    const auto now = after.find(path);
    if (now == after.end())
      changes += "removed " + path + "\n";
    else if (now->second != hash)
      changes += "changed " + path + "\n";
  }
  for (const auto& [path, hash] : after)
    if (!before.count(path)) changes += "created " + path + "\n";
  return changes;
}

}  // namespace quintello::test
