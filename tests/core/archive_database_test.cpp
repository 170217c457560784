// The program's files: the archive (loading, bounds, single-draw writes and their failures,
// the files a reader leaves behind), the program database, and where each file is found.
#include "core/archive_database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/error.h"
#include "core/program_database.h"
#include "core/program_files.h"
#include "core/sqlite.h"
#include "support/files.h"
#include "support/folder_snapshot.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;

// The call throws an Error whose message holds the words.
void expectRefused(const std::function<void()>& call, const std::string& words) {
  try {
    call();
    ADD_FAILURE() << "not refused: " << words;
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find(words), std::string::npos) << error.what();
  }
}

DrawArchive loadFile(const std::string& path, int firstIndex = 1) {
  auto db = ArchiveDatabase::openForReading(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, firstIndex, progress);
  return archive;
}

StoredDraw draw(const std::string& iso, const std::string& bari, const std::string& nz = "") {
  StoredDraw d{iso, {}};
  d.wheels[0] = bari;
  d.wheels[10] = nz;
  return d;
}

class ArchiveFile : public ::testing::Test {
 protected:
  // Two draws: 02/01/2025 and 04/01/2025, Bari only.
  void SetUp() override {
    writeArchiveFile(path, {{"02/01/2025", {{"BA", {1, 2, 3, 4, 5}}}},
                            {"04/01/2025", {{"BA", {6, 7, 8, 9, 10}}}}});
  }
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
};

// Draws load in date order, whatever the order of the rows, with progress at every row. A
// reload after a change makes the model the whole archive, while the archive window's load
// keeps it; a refused reload leaves the draws in memory as they were.
TEST(ArchiveLoad, LoadsAndReloads) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  auto draws = weeklyDraws(120);
  writeArchiveFile(path, {draws.rbegin(), draws.rend()});
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  RecordedProgress progress;
  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(archive.dateText(1), draws[0].date);
  EXPECT_EQ(progress.values.size(), 121u);  // every row, then the end
  EXPECT_EQ(archive.modelFirst(), 100);
  progress = RecordedProgress();
  CaricaArchivioExNovo(db, archive, progress);
  EXPECT_EQ((std::array{archive.modelFirst(), archive.modelLast()}), (std::array{1, 120}));
  EXPECT_EQ(progress.values, (std::vector<int>{50, 100, 120}));  // rows 50 and 100, the end
  loadArchive(db, archive, 100, progress);
  EXPECT_EQ(CaricaTabellaArchivio(db, archive), 120);
  EXPECT_EQ(archive.modelFirst(), 100);
  // A row written by another program, with a date that is no date, sorts last.
  db.database().execute(
      "INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('9999-99-99', '')");
  expectRefused([&] { CaricaArchivioExNovo(db, archive, progress); },
                "l'estrazione numero 121 (in ordine di data) ha la data \"9999-99-99\"");
  EXPECT_EQ(archive.count(), 120);
  EXPECT_EQ(archive.modelFirst(), 100);
  EXPECT_EQ(archive.number(120, 4, 3), draws.back().wheels[4].second[2]);
}

TEST(ArchiveLoad, MoreRowsThanAnyArchiveAreRefusedUnread) {
  TempDir dir;
  sqlite::Database(dir.file("enorme.mdb"), sqlite::Database::Mode::ReadWriteCreate)
      .execute(
          "CREATE TABLE EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, "
          "\"To\", Ve, Nz); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
          "WHERE i < " +
          std::to_string(ArchiveDatabase::kMaxDraws + 1) +
          ") INSERT INTO EstrazioniLotto (DataEstrazione) SELECT i FROM n;");
  expectRefused([&] { loadFile(dir.file("enorme.mdb")); }, "contiene più di 1000000 righe");
}

// Reading a write-ahead-log archive creates no "-wal" or "-shm" file, whatever the characters
// of its folder's name, and reads the changes still in its log.
TEST(ArchiveLoad, ReadingAWriteAheadLogArchiveLeavesTheFolderAsItWas) {
  TempDir dir;
  const std::string folder = dir.file("lotto ?#%20 città"), path = folder + "/archivio.mdb";
  fs::create_directory(folder);
  writeArchiveFile(path, weeklyDraws(12));
  sqlite::Database(path, sqlite::Database::Mode::ReadWrite).execute("PRAGMA journal_mode = WAL");
  const auto before = snapshotFolder(folder);
  EXPECT_EQ(loadFile(path).count(), 12);
  EXPECT_EQ(describeChanges(before, snapshotFolder(folder)), "");
  sqlite::Database writer(path, sqlite::Database::Mode::ReadWrite);  // open: the log stays
  writer.execute(
      "PRAGMA wal_autocheckpoint = 0;"
      "INSERT INTO EstrazioniLotto (DataEstrazione) VALUES ('2030-01-01')");
  EXPECT_EQ(loadFile(path).dateText(13), "01/01/2030");
}

// The others damaged or unreachable archives are in the shared list (bad_archive_test.cpp).
TEST_F(ArchiveFile, MissingOrReadOnlyFiles) {
  for (auto open : {&ArchiveDatabase::open, &ArchiveDatabase::openForReading})
    expectRefused(
        [&] { open(dir.file("manca.mdb")); },
        dir.file("manca.mdb") +
            "\" non può essere usato come archivio delle estrazioni: il file non esiste.");
  openFolderToEveryone(dir.path(), true);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  AsOrdinaryUser user;
  if (!user.active()) GTEST_SKIP() << "cannot run as an ordinary user";
  expectRefused([&] { ArchiveDatabase::open(path); }, "il file è in sola lettura");
  EXPECT_EQ(ArchiveDatabase::openForReading(path).drawCount(), 2);
}

// Writes stamp today and the time of day; a reader keeps its statement for many look-ups, a
// miss between hits included.
TEST_F(ArchiveFile, WritesAreStampedAndFound) {
  auto db = ArchiveDatabase::open(path);
  ASSERT_TRUE(db.insertDraw(draw("2025-01-07", "11-12-13-14-15")));
  ASSERT_TRUE(db.updateDraw(draw("2025-01-02", "21-22-23-24-25")));
  auto stamps = db.database().prepare(
      "SELECT count(*) FROM EstrazioniLotto WHERE datareg = date('now', 'localtime') AND orareg "
      "GLOB '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]' AND DataEstrazione != '2025-01-04'");
  ASSERT_TRUE(stamps.step());
  EXPECT_EQ(stamps.integer(0), 2);
  auto reader = db.drawReader();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reader.find("2025-01-02")->wheels[0], "21-22-23-24-25");
    EXPECT_FALSE(reader.find("2025-01-03"));
    EXPECT_EQ(reader.find("2025-01-07")->wheels[0], "11-12-13-14-15");
  }
  EXPECT_EQ(db.findDraw("2025-01-04")->isoDate, "2025-01-04");
  EXPECT_FALSE(db.findDraw("2025-01-03"));
}

// Dates that are not calendar dates are refused; a batch that fails half way (a date already
// stored) leaves every row as it was. Refusals by the database itself: the archive's own tests.
TEST_F(ArchiveFile, RefusedWritesLeaveTheFileAsItWas) {
  auto db = ArchiveDatabase::open(path);
  const auto before = storedRows(path);
  for (const std::string bad : {"2025-02-30", "04/01/2025", "2025-1-4", "", "2025-01-04 "}) {
    EXPECT_THROW((void)db.insertDraw(draw(bad, "01-02-03-04-05")), Error) << bad;
    EXPECT_THROW((void)db.updateDraw(draw(bad, "01-02-03-04-05")), Error) << bad;
    EXPECT_THROW((void)db.deleteDraw(bad), Error) << bad;
  }
  EXPECT_THROW(db.insertDraws({draw("2030-01-01", ""), draw("2025-01-02", "")}), Error);
  EXPECT_EQ(storedRows(path), before);
}

// Keys compare without regard to case and keep the spelling they were stored with; a missing
// key is neither read nor created; NULL reads empty; changes survive reopening; creation never
// overwrites and leaves no half file; an unusable file is named.
TEST(ProgramDatabase, Parameters) {
  TempDir dir;
  const std::string path = dir.file("dbQuintello.mdb");
  EXPECT_THROW(ProgramDatabase::create(
                   path, {{"PercorsoArchivio", "/a.mdb", ""}, {"percorsoarchivio", "/b.mdb", ""}}),
               Error);  // the same key twice breaks the table's key halfway through the rows
  EXPECT_FALSE(fs::exists(path));
  expectRefused([&] { ProgramDatabase::open(path); }, path);
  {
    auto db = ProgramDatabase::create(path, {{"PercorsoArchivio", "/a/b.mdb", ""},
                                             {"EstrazioneIniziale", "1", ""},
                                             {"IndirizzoInternet", "http://esempio.it", "x"}});
    EXPECT_EQ(db.getParameter("Indirizzointernet"), "http://esempio.it");
    EXPECT_TRUE(db.setParameter("percorsoarchivio", "/c/d.mdb"));
    EXPECT_FALSE(db.setParameter("Sconosciuto", "1"));
    EXPECT_FALSE(db.getParameter("Sconosciuto"));
    const auto rows = db.listParameters();  // ordered by key
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key + rows[1].value2 + rows[2].key, "EstrazioneInizialexPercorsoArchivio");
    sqlite::Database(path, sqlite::Database::Mode::ReadWrite)
        .execute(
            "UPDATE ParametriProgramma SET Valore1 = NULL WHERE Parametro = "
            "'EstrazioneIniziale'");
  }
  EXPECT_THROW(ProgramDatabase::create(path, {}), Error);
  auto db = ProgramDatabase::open(path);
  EXPECT_EQ(db.getParameter("EstrazioneIniziale"), "");
  EXPECT_EQ(db.getParameter("PercorsoArchivio"), "/c/d.mdb");
  writeFile(path, "non sono un database");
  EXPECT_THROW(ProgramDatabase::open(path), Error);
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

// A build keeps the draws beside the executable, an installed prefix in share/quintello.
// "{}" is the root of the test folder.
TEST(ProgramFiles, FolderAndBundledDrawsFollowWhereTheProgramRuns) {
  const std::string build = "{}/bin/estrazioni.txt",
                    installed = "{}/share/quintello/estrazioni.txt";
  const std::tuple<const char*, const char*, std::string, std::string> cases[] = {
      // QUINTELLO_CARTELLA, XDG_DATA_HOME, folder, draws
      {nullptr, nullptr, "{}/bin", build},
      {"/tmp/altrove", nullptr, "/tmp/altrove", build},
      {nullptr, nullptr, "{}/home/.local/share/quintello", installed},
      {nullptr, "/srv/dati", "/srv/dati/quintello", installed},
      {nullptr, "dati", "{}/home/.local/share/quintello", installed},  // relative: ignored
      {"/tmp/altrove", "/srv/dati", "/tmp/altrove", installed},
  };
  for (const auto& [cartella, xdgDataHome, folder, draws] : cases) {
    TempDir root;
    const auto expand = [&](std::string path) {
      return path.starts_with("{}") ? path.replace(0, 2, root.path()) : path;
    };
    SCOPED_TRACE(expand(folder) + " " + expand(draws));
    fs::create_directories(fs::path(expand(draws)).parent_path());
    fs::create_directories(root.path() + "/bin");
    writeFile(expand(draws), "\n");
    const ScopedVariable a("QUINTELLO_CARTELLA", cartella), b("XDG_DATA_HOME", xdgDataHome),
        c("HOME", (root.path() + "/home").c_str());
    EXPECT_EQ(ProgramFiles::locate(root.path() + "/bin").folder(), expand(folder));
    EXPECT_EQ(ProgramFiles::bundledDrawsPath(root.path() + "/bin"), expand(draws));
  }
}

// Archive paths inside the program folder are stored relative to it; the side file holds the
// last archive chosen, quoted.
TEST(ProgramFiles, ArchivePaths) {
  const std::string home = "/home/utente/.local/share/quintello";
  const ProgramFiles files(home);
  for (const auto& [path, stored] :
       {std::pair<std::string, std::string>{home + "/archivio.mdb", "archivio.mdb"},
        {home + "/vecchi/1990.mdb", "vecchi/1990.mdb"},
        {home + "/../quintello/archivio.mdb", "archivio.mdb"},
        {home + "-copia/archivio.mdb", home + "-copia/archivio.mdb"},
        {"/home/utente/lotto.mdb", "/home/utente/lotto.mdb"},
        {"", ""}}) {
    EXPECT_EQ(files.storedPath(path), stored) << path;
    EXPECT_EQ(fs::path(files.resolvedPath(stored)), fs::path(path).lexically_normal()) << path;
  }
  TempDir dir;
  const ProgramFiles folder(dir.path());
  folder.writeArchivePathFile("/home/utente/lotto.mdb");
  folder.writeArchivePathFile("/home/utente/altro archivio.mdb");
  EXPECT_EQ(readFile(folder.file("PercorsoDatabase.txt")),
            "\"/home/utente/altro archivio.mdb\"\r\n");
}

}  // namespace
}  // namespace quintello::test
