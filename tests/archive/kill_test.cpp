// Writes killed at random points (see support/kill_harness.h): whatever the moment, the files
// are either absent or whole, and the program starts on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <set>

#include "archive/first_start.h"
#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/program_files.h"
#include "core/sqlite.h"
#include "support/kill_harness.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::KillRound;

std::string integrity(sqlite::Database& db) {
  auto check = db.prepare("PRAGMA integrity_check");
  return check.step() ? std::string(check.text(0)) : "";
}

// A file left by a killed first start: absent, or complete.
void expectAbsentOrWhole(const std::string& path, const std::string& countQuery, int rows) {
  if (!fs::exists(path)) return;
  sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
  EXPECT_EQ(integrity(db), "ok") << path;
  auto count = db.prepare(countQuery);
  ASSERT_TRUE(count.step());
  EXPECT_EQ(count.integer(0), rows) << path;
}

std::set<std::string> filesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(KilledFirstStart, LeavesFilesAbsentOrWholeAndTheProgramStartsOnThem) {
  const auto bundled = readStoredDraws(QUINTELLO_TEST_BUNDLED_DRAWS);
  test::TempDir dir;
  const ProgramFiles files(dir.file("programma"));
  int finished = 0;
  int leftBehind[3] = {};  // rounds that left no file, the archive only, or both files
  const auto alone = test::killAtRandomPoints({
      .prepare = [&] { fs::remove_all(files.folder()); },
      .action = [&] { openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS); },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            finished += round.finished;
            expectAbsentOrWhole(files.programDatabasePath(),
                                "SELECT COUNT(*) FROM ParametriProgramma", 4);
            expectAbsentOrWhole(files.defaultArchivePath(), "SELECT COUNT(*) FROM EstrazioniLotto",
                                static_cast<int>(bundled.size()));
            const bool archiveLeft = fs::exists(files.defaultArchivePath());
            const bool databaseLeft = fs::exists(files.programDatabasePath());
            if (databaseLeft) {
              EXPECT_TRUE(archiveLeft);
            }
            ++leftBehind[archiveLeft + databaseLeft];

            // The next start completes what was left, and the archive loads whole.
            auto program = openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS);
            EXPECT_EQ(program.getParameter("PercorsoArchivio"), files.defaultArchivePath());
            auto archiveDb = ArchiveDatabase::open(files.defaultArchivePath());
            DrawArchive archive;
            NoProgress progress;
            loadArchive(archiveDb, archive, 1, progress);
            EXPECT_EQ(archive.count(), static_cast<int>(bundled.size()));
            EXPECT_EQ(archive.dateText(archive.count()), "30/12/2025");
            EXPECT_EQ(filesIn(files.folder()),
                      (std::set<std::string>{"archivio.mdb", "dbQuintello.mdb"}));
          },
  });
  std::cout << "first start alone: " << alone.count() / 1000 << " ms; rounds leaving nothing "
            << leftBehind[0] << ", the archive only " << leftBehind[1] << ", both files "
            << leftBehind[2] << " (" << finished << " finished)\n";
  // The delays reach past the end of the write: most rounds kill it, a few do not.
  EXPECT_LT(finished, leftBehind[0] + leftBehind[1] + leftBehind[2]);
}

// Adding draws to an archive is all or nothing: after a kill the archive holds the draws it
// had or all the new ones, never part of them, and passes SQLite's integrity check.
TEST(KilledWrite, AddingDrawsIsAllOrNothing) {
  test::TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  const auto all = test::storedDraws(test::weeklyDraws(2200));
  const std::vector<StoredDraw> first(all.begin(), all.begin() + 200);
  const std::vector<StoredDraw> added(all.begin() + 200, all.end());
  test::killAtRandomPoints({
      .prepare =
          [&] {
            for (const char* suffix : {"", "-journal"}) fs::remove(path + suffix);
            ArchiveDatabase::create(path).insertDraws(first);
          },
      .action = [&] { ArchiveDatabase::open(path).insertDraws(added); },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            auto db = ArchiveDatabase::open(path);  // rolls back what a kill left half done
            EXPECT_EQ(integrity(db.database()), "ok");
            DrawArchive archive;
            NoProgress progress;
            loadArchive(db, archive, 1, progress);
            EXPECT_TRUE(archive.count() == 200 || archive.count() == 2200) << archive.count();
            if (round.finished) {
              EXPECT_EQ(archive.count(), 2200);
            }
          },
  });
}

}  // namespace
}  // namespace quintello
