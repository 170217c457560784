// The program's files: the archive, the program database, and where each is found.
#include "core/archive_database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "archive/helpers.h"
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
  const std::string told = refusal(call);
  EXPECT_NE(told.find(words), std::string::npos) << "told: " << told;
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

// Loads sort by date; a reload after a change makes the model the whole archive, the archive
// window's load keeps it, and a refused one leaves the draws in memory as they were.
TEST_F(ArchiveFile, LoadsAndReloads) {
  auto draws = weeklyDraws(120);
  writeArchiveFile(dir.file("120.mdb"), {draws.rbegin(), draws.rend()});
  auto db = ArchiveDatabase::open(dir.file("120.mdb"));
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

TEST_F(ArchiveFile, MoreRowsThanAnyArchiveAreRefusedUnread) {
  const std::string rows = std::to_string(ArchiveDatabase::kMaxDraws + 1);
  sqlite::Database(dir.file("enorme.mdb"), sqlite::Database::Mode::ReadWriteCreate)
      .execute(
          "CREATE TABLE EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", "
          "Ve, Nz); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
          rows + ") INSERT INTO EstrazioniLotto (DataEstrazione) SELECT i FROM n;");
  expectRefused([&] { loadedArchive(dir.file("enorme.mdb")); }, "contiene più di 1000000 righe");
}

// Reading a WAL archive, whatever its folder's name, leaves no -wal or -shm and sees the log.
TEST_F(ArchiveFile, ReadingAWriteAheadLogArchiveLeavesTheFolderAsItWas) {
  const std::string folder = dir.file("lotto ?#%20 città"), wal = folder + "/archivio.mdb";
  fs::create_directory(folder);
  writeArchiveFile(wal, weeklyDraws(12));
  sqlite::Database(wal, sqlite::Database::Mode::ReadWrite).execute("PRAGMA journal_mode = WAL");
  const auto before = snapshotFolder(folder);
  EXPECT_EQ(loadedArchive(wal).count(), 12);
  EXPECT_EQ(describeChanges(before, snapshotFolder(folder)), "");
  sqlite::Database writer(wal, sqlite::Database::Mode::ReadWrite);  // open: the log stays
  writer.execute(
      "PRAGMA wal_autocheckpoint = 0;"
      "INSERT INTO EstrazioniLotto (DataEstrazione) VALUES ('2030-01-01')");
  EXPECT_EQ(loadedArchive(wal).dateText(13), "01/01/2030");
}

// The other unusable archives are in the shared list (bad_archive_test.cpp).
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

// Writes stamp today and the time.
TEST_F(ArchiveFile, WritesAreStamped) {
  auto db = ArchiveDatabase::open(path);
  ASSERT_TRUE(db.insertDraw({"2025-01-07", {"11-12-13-14-15"}}));
  ASSERT_TRUE(db.updateDraw({"2025-01-02", {"21-22-23-24-25"}}));
  auto stamps = db.database().prepare(
      "SELECT count(*) FROM EstrazioniLotto WHERE datareg = date('now', 'localtime') AND orareg "
      "GLOB '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]' AND DataEstrazione != '2025-01-04'");
  ASSERT_TRUE(stamps.step());
  EXPECT_EQ(stamps.integer(0), 2);
}

// Dates that are no calendar dates, and a batch failing half way, change nothing.
TEST_F(ArchiveFile, RefusedWritesLeaveTheFileAsItWas) {
  auto db = ArchiveDatabase::open(path);
  const auto before = storedRows(path);
  for (const std::string bad : {"2025-02-30", "04/01/2025", "2025-1-4", "", "2025-01-04 "}) {
    EXPECT_THROW((void)db.insertDraw({bad, {"01-02-03-04-05"}}), Error) << bad;
    EXPECT_THROW((void)db.updateDraw({bad, {"01-02-03-04-05"}}), Error) << bad;
    EXPECT_THROW((void)db.deleteDraw(bad), Error) << bad;
  }
  EXPECT_THROW(db.insertDraws({{"2030-01-01", {}}, {"2025-01-02", {}}}), Error);
  EXPECT_EQ(storedRows(path), before);
}

// Keys ignore case; a missing key is neither read nor created; NULL reads empty; creation
// never overwrites nor leaves half a file.
TEST_F(ArchiveFile, ProgramDatabaseParameters) {
  const std::string database = dir.file("dbQuintello.mdb");
  EXPECT_THROW(ProgramDatabase::create(database, {{"PercorsoArchivio", "/a.mdb", ""},
                                                  {"percorsoarchivio", "/b.mdb", ""}}),
               Error);  // the same key twice breaks the table's key halfway through the rows
  EXPECT_FALSE(fs::exists(database));
  expectRefused([&] { ProgramDatabase::open(database); }, database);
  {
    auto db = ProgramDatabase::create(database, {{"PercorsoArchivio", "/a/b.mdb", ""},
                                                 {"EstrazioneIniziale", "1", ""},
                                                 {"IndirizzoInternet", "http://esempio.it", "x"}});
    EXPECT_EQ(db.getParameter("Indirizzointernet"), "http://esempio.it");
    EXPECT_TRUE(db.setParameter("percorsoarchivio", "/c/d.mdb"));
    EXPECT_FALSE(db.setParameter("Sconosciuto", "1"));
    EXPECT_FALSE(db.getParameter("Sconosciuto"));
    sqlite::Database(database, sqlite::Database::Mode::ReadWrite)
        .execute(
            "UPDATE ParametriProgramma SET Valore1 = NULL WHERE Parametro = 'EstrazioneIniziale'");
  }
  EXPECT_THROW(ProgramDatabase::create(database, {}), Error);
  auto db = ProgramDatabase::open(database);
  EXPECT_EQ(db.getParameter("EstrazioneIniziale"), "");
  EXPECT_EQ(db.getParameter("PercorsoArchivio"), "/c/d.mdb");
}

// Sets or clears an environment variable until the end of the scope.
struct ScopedVariable {
  ScopedVariable(const char* variable, const char* value) : name(variable) {
    if (const char* previous = std::getenv(name)) old = previous;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old ? ::setenv(name, old->c_str(), 1) : ::unsetenv(name); }
  const char* name;
  std::optional<std::string> old;
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

// Paths inside the program folder are stored relative to it; the side file quotes the last.
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
