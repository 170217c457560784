// Writes killed at random points (see support/kill_harness.h): whatever the moment, the files
// are either absent or whole, and the program starts on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <stdexcept>
#include <vector>

#include "archive/exports.h"
#include "archive/first_start.h"
#include "archive/update_check.h"
#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/program_files.h"
#include "core/sqlite.h"
#include "support/files.h"
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
                                "SELECT COUNT(*) FROM ParametriProgramma", 5);
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
            EXPECT_EQ(program.getParameter("PercorsoArchivio"), "archivio.mdb");
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

// One text per draw, "date|Ba|..|Nz", date order: two archives hold the same draws when these
// are equal.
using DrawTexts = std::vector<std::string>;

std::string drawText(const StoredDraw& draw) {
  std::string text = draw.isoDate;
  for (const auto& wheel : draw.wheels) text += "|" + wheel;
  return text;
}

DrawTexts drawTexts(const std::vector<StoredDraw>& draws) {
  DrawTexts texts;
  for (const auto& draw : draws) texts.push_back(drawText(draw));
  std::sort(texts.begin(), texts.end());
  return texts;
}

// After a kill the archive reopens (completing or undoing what the kill interrupted), passes
// SQLite's integrity check and loads; returns what it stores.
DrawTexts reopenAfterKill(const std::string& path) {
  auto db = ArchiveDatabase::open(path);
  EXPECT_EQ(integrity(db.database()), "ok");
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 1, progress);
  auto rows = test::storedRows(path);
  EXPECT_EQ(archive.count(), static_cast<int>(rows.size()));
  return rows;
}

// One change to a single draw, killed at random points: the archive holds the draws it had or
// the draws with the change, nothing between.
struct SingleDrawChange {
  std::vector<StoredDraw> before, after;
  std::function<void(ArchiveDatabase&)> write;
};

void expectOldOrNew(const SingleDrawChange& change) {
  test::TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  ASSERT_NE(drawTexts(change.before), drawTexts(change.after));
  int changed = 0, untouched = 0;
  test::killAtRandomPoints({
      .prepare =
          [&] {
            for (const char* suffix : {"", "-journal"}) fs::remove(path + suffix);
            ArchiveDatabase::create(path).insertDraws(change.before);
          },
      .action =
          [&] {
            auto db = ArchiveDatabase::open(path);
            change.write(db);
          },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            const auto rows = reopenAfterKill(path);
            const bool isNew = rows == drawTexts(change.after);
            EXPECT_TRUE(isNew || rows == drawTexts(change.before)) << rows.size() << " draws";
            if (round.finished) {
              EXPECT_TRUE(isNew);
            }
            ++(isNew ? changed : untouched);
          },
      .rounds = 20,
  });
  std::cout << "rounds leaving the change " << changed << ", leaving the archive as it was "
            << untouched << "\n";
}

std::vector<StoredDraw> without(std::vector<StoredDraw> draws, size_t index) {
  draws.erase(draws.begin() + static_cast<std::ptrdiff_t>(index));
  return draws;
}

class KilledSingleDrawWrite : public ::testing::Test {
 protected:
  const std::vector<StoredDraw> all = test::storedDraws(test::weeklyDraws(301));
  const std::vector<StoredDraw> stored{all.begin(), all.begin() + 300};
};

TEST_F(KilledSingleDrawWrite, InsertingADrawIsAllOrNothing) {
  expectOldOrNew({.before = stored, .after = all, .write = [&](ArchiveDatabase& db) {
                    if (!db.insertDraw(all.back())) throw std::runtime_error("not inserted");
                  }});
}

TEST_F(KilledSingleDrawWrite, RewritingADrawIsAllOrNothing) {
  auto after = stored;
  after[150].wheels = all.back().wheels;
  expectOldOrNew({.before = stored, .after = after, .write = [&](ArchiveDatabase& db) {
                    if (!db.updateDraw(after[150])) throw std::runtime_error("not rewritten");
                  }});
}

TEST_F(KilledSingleDrawWrite, DeletingADrawIsAllOrNothing) {
  expectOldOrNew(
      {.before = stored, .after = without(stored, 150), .write = [&](ArchiveDatabase& db) {
         if (!db.deleteDraw(stored[150].isoDate)) throw std::runtime_error("not deleted");
       }});
}

// The update goes in as one transaction: after a kill the archive holds the draws it had or
// all of the new ones, never the first few.
TEST_F(KilledSingleDrawWrite, ApplyingAnUpdateIsAllOrNothing) {
  const auto more = test::storedDraws(test::weeklyDraws(360));
  const std::vector<StoredDraw> added(more.begin() + 300, more.end());
  UpdateCheck check;
  {
    test::TempDir dir;
    auto db = ArchiveDatabase::create(dir.file("archivio.mdb"));
    db.insertDraws(stored);
    NoProgress progress;
    check = checkUpdateRows(updateRowsFromDraws(added), db, progress);
  }
  expectOldOrNew({.before = stored, .after = more, .write = [&](ArchiveDatabase& db) {
                    NoProgress progress;
                    const auto result = applyUpdate(check, db, false, progress);
                    if (result.failure || result.added.size() != added.size())
                      throw std::runtime_error("not applied");
                  }});
}

// An export replaces the file only when complete: after a kill the target holds the previous
// file or the whole export, and the next export succeeds over what the kill left.
TEST(KilledWrite, AnExportLeavesThePreviousFileOrTheWholeExport) {
  test::TempDir dir;
  const std::string path = dir.file("DATI32.III");
  const DrawArchive archive = test::makeArchive(test::weeklyDraws(11000));
  NoProgress progress;
  exportArchive(ExportFormat::Zefiral, archive, dir.file("atteso"), progress);
  const std::string whole = test::readFile(dir.file("atteso"));
  const std::string previous = "esportazione precedente\r\n";
  ASSERT_FALSE(whole.empty());
  int replaced = 0, kept = 0;
  test::killAtRandomPoints({
      .prepare = [&] { std::ofstream(path, std::ios::binary) << previous; },
      .action =
          [&] {
            NoProgress none;
            exportArchive(ExportFormat::Zefiral, archive, path, none);
          },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            const std::string content = test::readFile(path);
            const bool isWhole = content == whole;
            EXPECT_TRUE(isWhole || content == previous) << content.size() << " bytes";
            if (round.finished) {
              EXPECT_TRUE(isWhole);
            }
            ++(isWhole ? replaced : kept);
            NoProgress none;
            exportArchive(ExportFormat::Zefiral, archive, path, none);
            EXPECT_EQ(test::readFile(path), whole);
            // The temporary file of the killed export is gone with the next write.
            EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"DATI32.III", "atteso"}));
          },
      .rounds = 20,
  });
  std::cout << "rounds leaving the whole export " << replaced << ", the previous file " << kept
            << "\n";
  EXPECT_GT(kept, 0);
}

}  // namespace
}  // namespace quintello
