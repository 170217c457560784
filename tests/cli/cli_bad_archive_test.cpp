// quintello-cli info on one archive of each kind of outcome from the shared list of damaged,
// odd or unreachable archives (the core test meets them all, those that need an ordinary user
// too), run as a process: it reads what it can, refuses the rest with one line naming the
// file, and leaves every file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "cli/cli_process.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"

namespace quintello::test {
namespace {

TEST(CliBadArchive, InfoReadsOrRefusesAndChangesNothing) {
  std::set<std::pair<Expectation::Stage, bool>> kindsMet;
  for (const BadArchiveCase& badCase : badArchiveCases()) {
    const Expectation& expected = badCase.cli;
    if (badCase.asOrdinaryUser ||
        !kindsMet.insert({expected.stage, expected.completesInterruptedWrite}).second)
      continue;
    SCOPED_TRACE(badCase.name);
    TempDir work, programFolder;
    std::filesystem::create_directory(work.file("caso"));
    Held held;
    const std::string path = badCase.make(work.file("caso"), held);
    const auto before = snapshotFolder(work.path());
    const CliRun run = runCliProcess({"--archivio", path, "info"}, programFolder.path());
    if (expected.stage == Expectation::Stage::Loads) {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_NE(run.out.find("\nEstrazioni\t" + std::to_string(expected.draws) + "\n"),
                std::string::npos)
          << run.out;
    } else {
      EXPECT_EQ(run.status, 2) << run.out;
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(run.err.starts_with("quintello-cli: Il file \"" + path + "\" ")) << run.err;
      EXPECT_NE(run.err.find(expected.words), std::string::npos) << run.err;
    }
    if (!expected.completesInterruptedWrite) {
      EXPECT_EQ(describeChanges(before, snapshotFolder(work.path())), "");
    }
    EXPECT_EQ(snapshotFolder(programFolder.path()), FolderSnapshot{});
  }
  EXPECT_GE(kindsMet.size(), 4u);
}

// A program folder that cannot be followed is reported, not met with an internal error.
TEST(CliProgramFolder, UnreachableFolderIsReported) {
  TempDir work;
  std::filesystem::create_symlink("giro", work.file("giro"));
  const CliRun run = runCliProcess({"info"}, work.file("giro"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Impossibile aprire il database del programma \"" + work.file("giro") +
                         "/dbQuintello.mdb\": il percorso passa per un collegamento simbolico"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(foreignTextIn(run.err), "");
}

}  // namespace
}  // namespace quintello::test
