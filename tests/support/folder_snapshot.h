#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quintello::test {

// Every entry under a folder (links not followed) with a hash of its content, kind and mode.
using FolderSnapshot = std::map<std::string, std::uint64_t>;
FolderSnapshot snapshotFolder(const std::string& folder);

std::string describeChanges(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace quintello::test
