#include "core/program_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/files.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test, or clears it, and puts it back afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A build keeps the draws beside the executable, an installed prefix in share/quintello.
// "{}" is the root of the test folder.
TEST(ProgramFiles, FolderAndBundledDrawsFollowWhereTheProgramRuns) {
  const std::string build = "{}/bin/estrazioni.txt",
                    installed = "{}/share/quintello/estrazioni.txt";
  const std::tuple<const char*, const char*, std::string, std::string> cases[] = {
      // QUINTELLO_CARTELLA, XDG_DATA_HOME, folder, draws
      {nullptr, nullptr, "{}/bin", build},
      {"/tmp/altrove", nullptr, "/tmp/altrove", build},
      {nullptr, nullptr, "{}/home/.local/share/quintello", installed},
      {nullptr, "/srv/dati", "/srv/dati/quintello", installed},
      {nullptr, "dati", "{}/home/.local/share/quintello", installed},  // relative: ignored
      {"/tmp/altrove", "/srv/dati", "/tmp/altrove", installed},
  };
  for (const auto& [cartella, xdgDataHome, folder, draws] : cases) {
    TempDir root;
    const auto expand = [&](std::string path) {
      return path.starts_with("{}") ? path.replace(0, 2, root.path()) : path;
    };
    SCOPED_TRACE(expand(folder) + " " + expand(draws));
    fs::create_directories(fs::path(expand(draws)).parent_path());
    fs::create_directories(root.path() + "/bin");
    writeFile(expand(draws), "\n");
    const ScopedVariable a("QUINTELLO_CARTELLA", cartella), b("XDG_DATA_HOME", xdgDataHome),
        c("HOME", (root.path() + "/home").c_str());
    EXPECT_EQ(ProgramFiles::locate(root.path() + "/bin").folder(), expand(folder));
    EXPECT_EQ(ProgramFiles::bundledDrawsPath(root.path() + "/bin"), expand(draws));
  }
}

// Archive paths inside the program folder are stored relative to it; the side file holds the
// last archive chosen, quoted.
TEST(ProgramFiles, ArchivePaths) {
  const std::string home = "/home/utente/.local/share/quintello";
  const ProgramFiles files(home);
  for (const auto& [path, stored] :
       {std::pair<std::string, std::string>{home + "/archivio.mdb", "archivio.mdb"},
        {home + "/vecchi/1990.mdb", "vecchi/1990.mdb"},
        {home + "/../quintello/archivio.mdb", "archivio.mdb"},
        {home + "-copia/archivio.mdb", home + "-copia/archivio.mdb"},
        {"/home/utente/lotto.mdb", "/home/utente/lotto.mdb"},
        {"", ""}}) {
    EXPECT_EQ(files.storedPath(path), stored) << path;
    EXPECT_EQ(fs::path(files.resolvedPath(stored)), fs::path(path).lexically_normal()) << path;
  }
  TempDir dir;
  const ProgramFiles folder(dir.path());
  folder.writeArchivePathFile("/home/utente/lotto.mdb");
  folder.writeArchivePathFile("/home/utente/altro archivio.mdb");
  EXPECT_EQ(readFile(folder.file("PercorsoDatabase.txt")),
            "\"/home/utente/altro archivio.mdb\"\r\n");
}

}  // namespace
}  // namespace quintello::test
