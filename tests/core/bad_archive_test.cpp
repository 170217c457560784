// Every archive of the shared list, opened as the program and as quintello-cli open it: the
// right stage refuses it with one Italian line naming the file, and its folder stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/archive_database.h"
#include "core/error.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

using Stage = Expectation::Stage;

// The stage reached, with the refusal's message or the number of draws loaded.
std::pair<Stage, std::string> openAndLoad(const std::string& path, bool writing) {
  Stage stage = Stage::RefusedAtOpen;
  try {
    auto db = writing ? ArchiveDatabase::open(path) : ArchiveDatabase::openForReading(path);
    DrawArchive archive;
    NoProgress progress;
    stage = Stage::RefusedAtLoad;
    loadArchive(db, archive, 1, progress);
    return {Stage::Loads, std::to_string(archive.count())};
  } catch (const Error& error) {
    return {stage, error.what()};
  }
}

class BadArchive : public ::testing::TestWithParam<BadArchiveCase> {};

TEST_P(BadArchive, IsMetAsExpected) {
  const auto& badCase = GetParam();
  TempDir dir;
  if (badCase.asOrdinaryUser) openFolderToEveryone(dir.path());
  for (const bool writing : {true, false}) {
    SCOPED_TRACE(writing ? "program" : "quintello-cli");
    const Expectation& expected = writing ? badCase.program : badCase.cli;
    const std::string folder = dir.file(writing ? "programma" : "lettura");
    std::filesystem::create_directory(folder);
    Held held;
    const std::string path = badCase.make(folder, held);
    const auto before = snapshotFolder(folder);
    std::optional<AsOrdinaryUser> user;
    if (badCase.asOrdinaryUser && !user.emplace().active())
      GTEST_SKIP() << "cannot run as an ordinary user";
    const auto [stage, message] = openAndLoad(path, writing);
    user.reset();
    if (expected.stage == Stage::Loads) {
      EXPECT_EQ(message, std::to_string(expected.draws));
    } else {
      // quintello-cli may refuse at either stage.
      EXPECT_TRUE(writing ? stage == expected.stage : stage != Stage::Loads) << message;
      EXPECT_TRUE(message.find(expected.words) != std::string::npos &&
                  message.starts_with("Il file \"" + path + "\" ") &&
                  message.find('\n') == std::string::npos && foreignTextIn(message).empty())
          << message;
    }
    if (!expected.completesInterruptedWrite) {
      EXPECT_EQ(describeChanges(before, snapshotFolder(folder)), "");
    } else {
      EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadArchive, ::testing::ValuesIn(badArchiveCases()),
                         [](const auto& test) { return testName(test.param.name); });

}  // namespace
}  // namespace quintello::test
