#include "support/folder_snapshot.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace quintello::test {

namespace fs = std::filesystem;

FolderSnapshot snapshotFolder(const std::string& folder) {
  FolderSnapshot snapshot;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::file_status status = it->symlink_status(error);
    std::string state = std::to_string(static_cast<int>(status.type())) + " " +
                        std::to_string(static_cast<int>(status.permissions())) + " ";
    if (std::ifstream file(it->path(), std::ios::binary); status.type() == fs::file_type::regular)
      state.append(std::istreambuf_iterator<char>(file), {});
    snapshot[it->path().string()] = std::hash<std::string>{}(state);
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
