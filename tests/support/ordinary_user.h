#pragma once

#include <string>

namespace quintello::test {

// File permissions do not bind the superuser, and the tests often run as root. While one of
// these lives, the whole process runs as the unprivileged user "nobody" (real and effective
// ids, no supplementary groups), so that folders it may not enter or write behave as they do
// for a user. Run as anyone else it changes nothing. active() is false when the switch was
// not possible; a test then skips what depends on it.
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

// Lets everyone enter and read a folder (a test folder is private to its creator), or also
// write in it.
void openFolderToEveryone(const std::string& folder, bool writable = false);

}  // namespace quintello::test
