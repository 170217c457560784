#include "core/program_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(ProgramFiles, ArchivePathFileHoldsTheQuotedPath) {
  TempDir dir;
  const ProgramFiles files(dir.path());
  files.writeArchivePathFile("/home/utente/lotto.mdb");
  files.writeArchivePathFile("/home/utente/altro archivio.mdb");
  EXPECT_EQ(test::readFile(files.file("PercorsoDatabase.txt")),
            "\"/home/utente/altro archivio.mdb\"\r\n");
}

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

TEST(ProgramFiles, FolderAndBundledDrawsFollowWhereTheProgramRuns) {
  // {}: the root of the test folder. A build keeps the draws beside the executable, an
  // installed prefix in share/quintello.
  struct Case {
    const char* name;
    bool installed;
    const char* cartella;
    const char* xdgDataHome;
    std::string folder, draws;
  };
  const std::vector<Case> cases = {
      {"build", false, nullptr, nullptr, "{}/bin", "{}/bin/estrazioni.txt"},
      {"build, QUINTELLO_CARTELLA", false, "/tmp/altrove", nullptr, "/tmp/altrove",
       "{}/bin/estrazioni.txt"},
      {"installed", true, nullptr, nullptr, "{}/home/.local/share/quintello",
       "{}/share/quintello/estrazioni.txt"},
      {"installed, XDG_DATA_HOME", true, nullptr, "/srv/dati", "/srv/dati/quintello",
       "{}/share/quintello/estrazioni.txt"},
      {"installed, relative XDG_DATA_HOME", true, nullptr, "dati", "{}/home/.local/share/quintello",
       "{}/share/quintello/estrazioni.txt"},
      {"installed, QUINTELLO_CARTELLA", true, "/tmp/altrove", "/srv/dati", "/tmp/altrove",
       "{}/share/quintello/estrazioni.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir root;
    const auto expand = [&](std::string path) {
      if (path.starts_with("{}")) path.replace(0, 2, root.path());
      return path;
    };
    const std::string bin = root.path() + "/bin";
    fs::create_directories(bin);
    const std::string draws = expand(c.draws);
    fs::create_directories(fs::path(draws).parent_path());
    std::ofstream(draws) << "\n";
    const ScopedVariable cartella("QUINTELLO_CARTELLA", c.cartella);
    const ScopedVariable xdg("XDG_DATA_HOME", c.xdgDataHome);
    const ScopedVariable home("HOME", (root.path() + "/home").c_str());
    EXPECT_EQ(ProgramFiles::locate(bin).folder(), expand(c.folder));
    EXPECT_EQ(ProgramFiles::bundledDrawsPath(bin), draws);
  }
}

TEST(ProgramFiles, ArchivePathsInsideTheFolderAreStoredRelativeToIt) {
  const ProgramFiles files("/home/utente/.local/share/quintello");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/home/utente/.local/share/quintello/archivio.mdb", "archivio.mdb"},
      {"/home/utente/.local/share/quintello/vecchi/1990.mdb", "vecchi/1990.mdb"},
      {"/home/utente/.local/share/quintello/../quintello/archivio.mdb", "archivio.mdb"},
      {"/home/utente/.local/share/quintello-copia/archivio.mdb",
       "/home/utente/.local/share/quintello-copia/archivio.mdb"},
      {"/home/utente/lotto.mdb", "/home/utente/lotto.mdb"},
      {"", ""},
  };
  for (const auto& [path, stored] : cases) {
    EXPECT_EQ(files.storedPath(path), stored) << path;
    EXPECT_EQ(fs::path(files.resolvedPath(stored)), fs::path(path).lexically_normal()) << path;
  }
}

}  // namespace
}  // namespace quintello
