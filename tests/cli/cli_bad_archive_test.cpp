// quintello-cli info on every damaged, odd or unreachable archive of the shared list, run as a
// process: it reads what it can, refuses the rest with one Italian line naming the file, and
// leaves every file as it found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_process.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;
using Stage = Expectation::Stage;

// The text output of info: seven lines of two tab-separated columns, whatever the data.
void expectSevenLinesOfTwoColumns(const std::string& out) {
  const auto lines = words(out, '\n');
  ASSERT_EQ(lines.size(), 8u) << out;  // the last is empty, after the final line end
  EXPECT_EQ(lines.back(), "");
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 1) << lines[i];
}

class CliBadArchive : public ::testing::TestWithParam<BadArchiveCase> {};

TEST_P(CliBadArchive, InfoReadsOrRefusesAndChangesNothing) {
  const auto& badCase = GetParam();
  TempDir work, programFolder;
  if (badCase.asOrdinaryUser) {
    openFolderToEveryone(work.path());
    openFolderToEveryone(programFolder.path());
  }
  const std::string folder = work.file("caso");
  fs::create_directory(folder);
  Held held;
  const std::string path = badCase.make(folder, held);
  const auto before = snapshotFolder(work.path());
  const CliRun run =
      runCliProcess({"--archivio", path, "info"}, programFolder.path(),
                    {.asOrdinaryUser = badCase.asOrdinaryUser, .timeoutSeconds = 30});
  if (run.status == 126) GTEST_SKIP() << "cannot run as an ordinary user";
  const Expectation& expected = badCase.cli;
  if (expected.stage == Stage::Loads) {
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nEstrazioni\t" + std::to_string(expected.draws) + "\n"),
              std::string::npos)
        << run.out;
    expectSevenLinesOfTwoColumns(run.out);
  } else {
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("quintello-cli: Il file \"" + path + "\" ")) << run.err;
    EXPECT_NE(run.err.find(expected.words), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(foreignTextIn(run.err), "") << run.err;
  }
  // Only the roll-back of a write killed half way may change the archive (and drop its journal).
  if (!expected.completesInterruptedWrite) {
    EXPECT_EQ(describeChanges(before, snapshotFolder(work.path())), "");
  }
  EXPECT_EQ(snapshotFolder(programFolder.path()), FolderSnapshot{});
}

INSTANTIATE_TEST_SUITE_P(Files, CliBadArchive, ::testing::ValuesIn(badArchiveCases()),
                         [](const auto& test) { return testName(test.param.name); });

// A path may hold tabs and line ends: the text output still has its seven lines of two
// columns, and the JSON output says the path as it is.
TEST(CliOutput, DataNeverAddsALineOrAColumn) {
  TempDir work, programFolder;
  const std::string path = work.file("lotto\tdue\ncolonne.mdb");
  writeArchiveFile(path, weeklyDraws(3));
  const CliRun text = runCliProcess({"--archivio", path, "info"}, programFolder.path());
  EXPECT_EQ(text.status, 0) << text.err;
  expectSevenLinesOfTwoColumns(text.out);
  EXPECT_NE(text.out.find("lotto?due?colonne.mdb"), std::string::npos) << text.out;
  const CliRun json = runCliProcess({"--archivio", path, "--json", "info"}, programFolder.path());
  EXPECT_NE(json.out.find(R"(lotto\tdue\ncolonne.mdb")"), std::string::npos) << json.out;
}

// A program folder that cannot be followed is reported, not met with an internal error.
TEST(CliProgramFolder, UnreachableFolderIsReported) {
  TempDir work;
  fs::create_symlink("giro", work.file("giro"));
  const CliRun run = runCliProcess({"info"}, work.file("giro"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Impossibile aprire il database del programma \"" + work.file("giro") +
                         "/dbQuintello.mdb\": il percorso passa per un collegamento simbolico"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(foreignTextIn(run.err), "") << run.err;
}

}  // namespace
}  // namespace quintello::test
