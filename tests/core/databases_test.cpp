#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/archive_database.h"
#include "core/error.h"
#include "core/program_database.h"
#include "core/sqlite.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

ProgramDatabase makeProgramDatabase(const TempDir& dir) {
  return ProgramDatabase::create(dir.file("dbQuintello.mdb"),
                                 {{"PercorsoArchivio", "/a/b.mdb", ""},
                                  {"EstrazioneIniziale", "1", ""},
                                  {"IndirizzoInternet", "http://esempio.it", "x"}});
}

TEST(ProgramDatabase, KeysCompareWithoutRegardToCase) {
  TempDir dir;
  auto db = makeProgramDatabase(dir);
  EXPECT_EQ(db.getParameter("PercorsoArchivio"), "/a/b.mdb");
  EXPECT_EQ(db.getParameter("percorsoarchivio"), "/a/b.mdb");
  EXPECT_EQ(db.getParameter("Indirizzointernet"), "http://esempio.it");
  EXPECT_TRUE(db.setParameter("percorsoarchivio", "/c/d.mdb"));
  EXPECT_EQ(db.getParameter("PercorsoArchivio"), "/c/d.mdb");
  // The row keeps the spelling it was stored with.
  const auto rows = db.listParameters();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].key, "PercorsoArchivio");
  EXPECT_EQ(rows[0].key, "EstrazioneIniziale");  // ordered by key
  EXPECT_EQ(rows[1].value2, "x");
}

TEST(ProgramDatabase, MissingKeyIsNeitherReadNorCreated) {
  TempDir dir;
  auto db = makeProgramDatabase(dir);
  EXPECT_FALSE(db.getParameter("Sconosciuto"));
  EXPECT_FALSE(db.setParameter("Sconosciuto", "1"));
  EXPECT_FALSE(db.getParameter("Sconosciuto"));
  EXPECT_EQ(db.listParameters().size(), 3u);
}

TEST(ProgramDatabase, NullValueReadsEmptyAndChangesSurviveReopening) {
  TempDir dir;
  {
    auto db = makeProgramDatabase(dir);
    sqlite::Database raw(dir.file("dbQuintello.mdb"), sqlite::Database::Mode::ReadWrite);
    raw.execute(
        "UPDATE ParametriProgramma SET Valore1 = NULL WHERE Parametro = 'EstrazioneIniziale'");
    EXPECT_TRUE(db.setParameter("PERCORSOARCHIVIO", "/nuovo.mdb"));
  }
  auto db = ProgramDatabase::open(dir.file("dbQuintello.mdb"));
  EXPECT_EQ(db.getParameter("EstrazioneIniziale"), "");
  EXPECT_EQ(db.getParameter("PercorsoArchivio"), "/nuovo.mdb");
}

TEST(ProgramDatabase, CreationNeverOverwritesAndLeavesNoHalfFile) {
  TempDir dir;
  const std::string path = dir.file("dbQuintello.mdb");
  // The same key twice breaks the table's key halfway through the rows.
  EXPECT_THROW(ProgramDatabase::create(
                   path, {{"PercorsoArchivio", "/a.mdb", ""}, {"percorsoarchivio", "/b.mdb", ""}}),
               Error);
  EXPECT_FALSE(std::filesystem::exists(path));
  makeProgramDatabase(dir);
  EXPECT_THROW(ProgramDatabase::create(path, {}), Error);
  EXPECT_EQ(ProgramDatabase::open(path).getParameter("PercorsoArchivio"), "/a/b.mdb");
}

TEST(ProgramDatabase, UnusableFileIsNamedInTheMessage) {
  TempDir dir;
  const std::string path = dir.file("dbQuintello.mdb");
  try {
    ProgramDatabase::open(path);
    FAIL() << "a missing file opened";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
  }
  std::ofstream(path) << "non sono un database";
  EXPECT_THROW(ProgramDatabase::open(path), Error);
}

// The other damaged or unreachable archives are in the shared list (bad_archive_test.cpp).
TEST(ArchiveDatabase, MissingFileIsNamed) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  for (auto open : {&ArchiveDatabase::open, &ArchiveDatabase::openForReading}) {
    try {
      open(path);
      ADD_FAILURE() << "a missing archive was opened";
    } catch (const Error& error) {
      const std::string message = error.what();
      EXPECT_TRUE(message.find(path) != message.npos && message.ends_with("il file non esiste."))
          << message;
    }
  }
}

TEST(ArchiveDatabase, ReadOnlyFileIsRefusedForWritingOnly) {
  TempDir dir;
  test::openFolderToEveryone(dir.path(), true);
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(5));
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  test::AsOrdinaryUser user;
  if (!user.active()) GTEST_SKIP() << "cannot run as an ordinary user";
  try {
    ArchiveDatabase::open(path);
    FAIL() << "a read-only archive was opened to write";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("il file è in sola lettura"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(ArchiveDatabase::openForReading(path).drawCount(), 5);
}

TEST(ArchiveDatabase, LoadsInDateOrderWithTheReadingRule) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  {
    auto db = ArchiveDatabase::create(path);
    db.insertDraws(
        {{"2026-01-10", {"01-02-03-04-05"}},
         {"2026-01-03", {"5-23-78-1-44", "", "", "", "", "", "", "", "", "", ""}},
         {"2025-12-30", {"90-89-88-87-86", "", "", "", "", "", "", "", "", "", "11-12-13-14-15"}}});
  }
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  test::RecordedProgress progress;
  loadArchive(db, archive, 1, progress);
  ASSERT_EQ(archive.count(), 3);
  EXPECT_EQ(archive.dateText(1), "30/12/2025");
  EXPECT_EQ(archive.dateText(3), "10/01/2026");
  EXPECT_EQ(archive.number(1, 10, 5), 15);
  EXPECT_EQ(archive.number(2, 0, 2), 3);   // unpadded text read at fixed offsets
  EXPECT_EQ(archive.number(2, 10, 1), 0);  // empty Nazionale
  EXPECT_EQ(archive.yearOrdinal(2), 1);
  EXPECT_EQ(archive.monthOrdinal(3), 2);
  EXPECT_EQ(progress.values, (std::vector<int>{1, 2, 3, 3}));  // every row, then the end
}

TEST(ArchiveDatabase, ReloadAfterAChangeMakesTheModelTheWholeArchive) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(120));
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  test::RecordedProgress progress;
  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(archive.modelFirst(), 100);
  progress = test::RecordedProgress();
  CaricaArchivioExNovo(db, archive, progress);
  EXPECT_EQ(archive.modelFirst(), 1);
  EXPECT_EQ(archive.modelLast(), 120);
  EXPECT_EQ(progress.values, (std::vector<int>{50, 100, 120}));  // rows 50 and 100, the end

  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(CaricaTabellaArchivio(db, archive), 120);
  EXPECT_EQ(archive.modelFirst(), 100);  // the archive window's load keeps the model
}

TEST(ArchiveDatabase, FailedInsertLeavesTheFileAsItWas) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(2));
  auto db = ArchiveDatabase::open(path);
  // The second row repeats a date already stored: nothing of the batch may remain.
  EXPECT_THROW(db.insertDraws({{"2030-01-01", {}}, {"2000-01-01", {}}}), Error);
  EXPECT_EQ(db.drawCount(), 2);
}

}  // namespace
}  // namespace quintello
