// Every damaged, odd or unreachable archive of the shared list, opened and loaded the way the
// program does (to read and write) and the way quintello-cli does (to read only): the right
// stage refuses it with a message naming the file and what is wrong, and nothing in its
// folder changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/archive_database.h"
#include "core/error.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::Expectation;
using Stage = Expectation::Stage;

struct Outcome {
  Stage stage;
  std::string message;
  int draws = 0;
};

Outcome openAndLoad(const std::string& path, bool writing) {
  std::optional<ArchiveDatabase> db;
  try {
    db = writing ? ArchiveDatabase::open(path) : ArchiveDatabase::openForReading(path);
  } catch (const Error& error) {
    return {Stage::RefusedAtOpen, error.what()};
  }
  DrawArchive archive;
  NoProgress progress;
  try {
    loadArchive(*db, archive, 1, progress);
  } catch (const Error& error) {
    return {Stage::RefusedAtLoad, error.what()};
  }
  return {Stage::Loads, "", archive.count()};
}

class BadArchive : public ::testing::TestWithParam<test::BadArchiveCase> {};

TEST_P(BadArchive, IsMetAsExpected) {
  const auto& badCase = GetParam();
  test::TempDir dir;
  if (badCase.asOrdinaryUser) test::openFolderToEveryone(dir.path());
  for (const bool writing : {true, false}) {
    SCOPED_TRACE(writing ? "program" : "quintello-cli");
    const Expectation& expected = writing ? badCase.program : badCase.cli;
    const std::string folder = dir.file(writing ? "programma" : "lettura");
    std::filesystem::create_directory(folder);
    test::Held held;
    const std::string path = badCase.make(folder, held);
    const auto before = test::snapshotFolder(folder);
    Outcome outcome;
    {
      std::optional<test::AsOrdinaryUser> user;
      if (badCase.asOrdinaryUser && !user.emplace().active())
        GTEST_SKIP() << "cannot run as an ordinary user";
      outcome = openAndLoad(path, writing);
    }
    if (expected.stage == Stage::Loads) {
      EXPECT_EQ(outcome.stage, Stage::Loads) << outcome.message;
      EXPECT_EQ(outcome.draws, expected.draws);
    } else {
      if (writing)
        EXPECT_EQ(outcome.stage, expected.stage) << outcome.message;
      else
        EXPECT_NE(outcome.stage, Stage::Loads);
      EXPECT_NE(outcome.message.find(expected.words), std::string::npos) << outcome.message;
      EXPECT_NE(outcome.message.find("\"" + path + "\""), std::string::npos) << outcome.message;
    }
    if (!expected.completesInterruptedWrite)
      EXPECT_EQ(test::describeChanges(before, test::snapshotFolder(folder)), "");
    else
      EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
    held.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadArchive, ::testing::ValuesIn(test::badArchiveCases()),
                         [](const auto& test) { return test::testName(test.param.name); });

}  // namespace
}  // namespace quintello
