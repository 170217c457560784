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

// Files that must be refused with a message, never opened or crashed on.
struct BadArchive {
  const char* name;
  void (*make)(const std::string& path);
  const char* expectedWords;
};

void writeText(const std::string& path) { std::ofstream(path) << "07/01/1871 15-71-18-64-81\n"; }
void writeAccessHeader(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  const char header[] = "\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00";
  out.write(header, sizeof header);
  out << std::string(4096, '\x17');
}
void writeEmpty(const std::string& path) { std::ofstream{path}; }
void writeWithoutDrawTable(const std::string& path) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
  db.execute("CREATE TABLE Altro (x TEXT)");
}
void writeTruncated(const std::string& path) {
  test::writeArchiveFile(path, test::weeklyDraws(3000));
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
}
void writeNothing(const std::string&) {}

class ArchiveRefusal : public ::testing::TestWithParam<BadArchive> {};

TEST_P(ArchiveRefusal, GivesAClearItalianMessage) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  GetParam().make(path);
  // The program opens to read and write; the command line only reads.
  for (auto open : {&ArchiveDatabase::open, &ArchiveDatabase::openForReading}) {
    try {
      auto db = open(path);
      DrawArchive archive;
      NoProgress progress;
      loadArchive(db, archive, 1, progress);
      ADD_FAILURE() << GetParam().name << " was accepted";
    } catch (const Error& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(path), std::string::npos) << message;
      EXPECT_NE(message.find(GetParam().expectedWords), std::string::npos) << message;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ArchiveRefusal,
    ::testing::Values(BadArchive{"missing", writeNothing, "non esiste"},
                      BadArchive{"text", writeText, "formato del file non riconosciuto"},
                      BadArchive{"access", writeAccessHeader, "formato del file non riconosciuto"},
                      BadArchive{"empty", writeEmpty, "formato del file non riconosciuto"},
                      BadArchive{"no table", writeWithoutDrawTable, "EstrazioniLotto"},
                      BadArchive{"truncated", writeTruncated, "danneggiato"}),
    [](const auto& test) {
      std::string name = test.param.name;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST(ArchiveDatabase, FileHeldByAnotherProgramIsRefused) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(5));
  sqlite::Database other(path, sqlite::Database::Mode::ReadWrite);
  other.execute("BEGIN EXCLUSIVE");
  other.execute("UPDATE EstrazioniLotto SET Ba = '' WHERE rowid = 1");
  try {
    ArchiveDatabase::open(path);
    FAIL() << "a locked archive was opened";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("in uso da un altro programma"), std::string::npos)
        << error.what();
  }
  other.execute("ROLLBACK");
  EXPECT_NO_THROW(ArchiveDatabase::open(path));
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

class CountingProgress : public Progress {
 public:
  void setMaximum(int value) override { maximum = value; }
  void setValue(int value) override {
    ++calls;
    last = value;
  }
  int maximum = 0, calls = 0, last = 0;
};

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
  CountingProgress progress;
  loadArchive(db, archive, 1, progress);
  ASSERT_EQ(archive.count(), 3);
  EXPECT_EQ(archive.dateText(1), "30/12/2025");
  EXPECT_EQ(archive.dateText(3), "10/01/2026");
  EXPECT_EQ(archive.number(1, 10, 5), 15);
  EXPECT_EQ(archive.number(2, 0, 2), 3);   // unpadded text read at fixed offsets
  EXPECT_EQ(archive.number(2, 10, 1), 0);  // empty Nazionale
  EXPECT_EQ(archive.yearOrdinal(2), 1);
  EXPECT_EQ(archive.monthOrdinal(3), 2);
  EXPECT_EQ(progress.calls, 4);  // every row, then the end
  EXPECT_EQ(progress.last, 3);
}

TEST(ArchiveDatabase, ReloadAfterAChangeMakesTheModelTheWholeArchive) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(120));
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  CountingProgress progress;
  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(archive.modelFirst(), 100);
  progress = CountingProgress();
  CaricaArchivioExNovo(db, archive, progress);
  EXPECT_EQ(archive.modelFirst(), 1);
  EXPECT_EQ(archive.modelLast(), 120);
  EXPECT_EQ(progress.calls, 3);  // rows 50 and 100, then the end

  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(CaricaTabellaArchivio(db, archive), 120);
  EXPECT_EQ(archive.modelFirst(), 100);  // the archive window's load keeps the model
}

TEST(ArchiveDatabase, EmptyTableLoadsNoDraw) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  ArchiveDatabase::create(path);
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 1, progress);
  EXPECT_EQ(archive.count(), 0);
  EXPECT_TRUE(archive.modelList().empty());
}

TEST(ArchiveDatabase, LoadsPastTenThousandDraws) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  const auto draws = test::weeklyDraws(10500);
  test::writeArchiveFile(path, draws);
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 1, progress);
  EXPECT_EQ(archive.count(), 10500);
  EXPECT_EQ(archive.dateText(10500), draws.back().date);
  EXPECT_EQ(archive.number(10500, 7, 2), draws.back().wheels[7].second[1]);
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
