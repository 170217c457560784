// Writes killed at random points (see support/kill_harness.h): whatever the moment, the files
// are either absent or whole, and the program starts on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>

#include "archive/exports.h"
#include "archive/first_start.h"
#include "archive/helpers.h"
#include "archive/update_check.h"
#include "core/program_files.h"
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
void expectAbsentOrWhole(const std::string& path, const std::string& table, int rows) {
  if (!fs::exists(path)) return;
  sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
  EXPECT_EQ(integrity(db), "ok") << path;
  auto count = db.prepare("SELECT COUNT(*) FROM " + table);
  ASSERT_TRUE(count.step());
  EXPECT_EQ(count.integer(0), rows) << path;
}

TEST(KilledFirstStart, LeavesFilesAbsentOrWholeAndTheProgramStartsOnThem) {
  const int bundled = static_cast<int>(readStoredDraws(QUINTELLO_TEST_BUNDLED_DRAWS).size());
  test::TempDir dir;
  const ProgramFiles files(dir.file("programma"));
  int finished = 0, killed = 0;
  test::killAtRandomPoints({
      .prepare = [&] { fs::remove_all(files.folder()); },
      .action = [&] { openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS); },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            (round.finished ? finished : killed) += 1;
            expectAbsentOrWhole(files.programDatabasePath(), "ParametriProgramma", 5);
            expectAbsentOrWhole(files.defaultArchivePath(), "EstrazioniLotto", bundled);
            EXPECT_TRUE(!fs::exists(files.programDatabasePath()) ||
                        fs::exists(files.defaultArchivePath()));
            // The next start completes what was left, and the archive loads whole.
            auto program = openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS);
            EXPECT_EQ(program.getParameter("PercorsoArchivio"), "archivio.mdb");
            EXPECT_EQ(test::loadedArchive(files.defaultArchivePath()).count(), bundled);
            EXPECT_EQ(test::filesIn(files.folder()),
                      (std::set<std::string>{"archivio.mdb", "dbQuintello.mdb"}));
          },
  });
  EXPECT_GT(killed, 0) << finished << " rounds finished";
}

// A change of many draws, killed at random points: after reopening (which completes or undoes
// what the kill interrupted) the archive passes SQLite's integrity check, loads, and holds the
// draws it had or the draws with the whole change, nothing between (a change of one draw is a
// single statement, which SQLite's own journal keeps whole the same way).
TEST(KilledWrite, EachChangeToTheDrawsIsAllOrNothing) {
  const auto all = test::storedDraws(test::weeklyDraws(360));
  const std::vector<StoredDraw> stored(all.begin(), all.begin() + 300),
      added(all.begin() + 300, all.end());
  UpdateCheck update;
  {
    test::TempDir dir;
    auto db = ArchiveDatabase::create(dir.file("archivio.mdb"));
    db.insertDraws(stored);
    NoProgress progress;
    update = checkUpdateRows(updateRowsFromDraws(added), db, progress);
  }
  const std::pair<const char*, std::function<void(ArchiveDatabase&)>> changes[] = {
      {"many draws", [&](auto& db) { db.insertDraws(added); }},
      {"update",
       [&](auto& db) {
         NoProgress progress;
         if (applyUpdate(update, db, false, progress).added.size() != added.size())
           throw std::runtime_error("not written");
       }},
  };
  test::TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  const auto rowsOf = [&](const std::vector<StoredDraw>& draws) {
    fs::remove(path);
    ArchiveDatabase::create(path).insertDraws(draws);
    return test::storedRows(path);
  };
  const auto before = rowsOf(stored), after = rowsOf(all);
  for (const auto& [name, write] : changes) {
    SCOPED_TRACE(name);
    test::killAtRandomPoints({
        .prepare =
            [&] {
              for (const char* suffix : {"", "-journal"}) fs::remove(path + suffix);
              ArchiveDatabase::create(path).insertDraws(stored);
            },
        .action =
            [&] {
              auto db = ArchiveDatabase::open(path);
              write(db);
            },
        .check =
            [&](const KillRound& round) {
              SCOPED_TRACE(round.describe());
              auto db = ArchiveDatabase::open(path);
              EXPECT_EQ(integrity(db.database()), "ok");
              const auto rows = test::storedRows(path);
              EXPECT_EQ(test::loadedArchive(path).count(), static_cast<int>(rows.size()));
              EXPECT_TRUE(rows == after || (rows == before && !round.finished)) << rows.size();
            },
        .rounds = 20,
    });
  }
}

// An export replaces the file only when complete: after a kill the target holds the previous
// file or the whole export, and the next export succeeds over what the kill left.
TEST(KilledWrite, AnExportLeavesThePreviousFileOrTheWholeExport) {
  test::TempDir dir;
  const std::string path = dir.file("DATI32.III");
  const DrawArchive archive = test::makeArchive(test::weeklyDraws(11000));
  NoProgress none;
  exportArchive(ExportFormat::Zefiral, archive, dir.file("atteso"), none);
  const std::string whole = test::readFile(dir.file("atteso")), previous = "precedente\r\n";
  int kept = 0;
  test::killAtRandomPoints({
      .prepare = [&] { test::writeFile(path, previous); },
      .action = [&] { exportArchive(ExportFormat::Zefiral, archive, path, none); },
      .check =
          [&](const KillRound& round) {
            SCOPED_TRACE(round.describe());
            const std::string content = test::readFile(path);
            EXPECT_TRUE(content == whole || (content == previous && !round.finished));
            kept += content == previous;
            exportArchive(ExportFormat::Zefiral, archive, path, none);
            EXPECT_EQ(test::readFile(path), whole);
            // The temporary file of the killed export is gone with the next write.
            EXPECT_EQ(test::filesIn(dir.path()), (std::set<std::string>{"DATI32.III", "atteso"}));
          },
      .rounds = 20,
  });
  EXPECT_GT(kept, 0);
}

}  // namespace
}  // namespace quintello
