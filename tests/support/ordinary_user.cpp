#include "support/ordinary_user.h"

#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <filesystem>

namespace quintello::test {

AsOrdinaryUser::AsOrdinaryUser() {
  if (geteuid() != 0) {
    active_ = true;
    return;
  }
  // The saved user id stays 0, so that the destructor can come back.
  if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 0) != 0) return;
  if (setresuid(65534, 65534, 0) != 0) {  // "nobody"
    setresgid(0, 0, 0);
    return;
  }
  switched_ = active_ = true;
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (!switched_) return;
  if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0) std::terminate();
  const gid_t root = 0;
  setgroups(1, &root);
  // Changing ids made the process undumpable; the leak checker at exit needs it traceable.
  prctl(PR_SET_DUMPABLE, 1);
}

void openFolderToEveryone(const std::string& folder, bool writable) {
  std::filesystem::permissions(
      folder, writable ? std::filesystem::perms::all : std::filesystem::perms(0755));  // rwxr-xr-x
}

}  // namespace quintello::test
