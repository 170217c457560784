#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quintello::test {

// Every entry under a folder (links not followed) with a hash of its content, its kind and
// its permissions: two equal snapshots mean nothing was created, removed or changed there.
using FolderSnapshot = std::map<std::string, std::uint64_t>;
FolderSnapshot snapshotFolder(const std::string& folder);

// Readable list of what differs between two snapshots, for a failed check.
std::string describeChanges(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace quintello::test
