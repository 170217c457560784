#pragma once

#include <string>

namespace quintello::test {

// While one lives, a process run as root runs as "nobody", so that file permissions bind.
// active() is false when the switch was not possible; a test then skips what depends on it.
class AsOrdinaryUser {
 public:
  AsOrdinaryUser();
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
  bool active() const { return active_; }

 private:
  bool switched_ = false;
  bool active_ = false;
};

// Lets everyone enter and read a folder, or also write in it.
void openFolderToEveryone(const std::string& folder, bool writable = false);

}  // namespace quintello::test
