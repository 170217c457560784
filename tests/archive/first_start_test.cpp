// The program's start: the program database and the default archive made from the bundled
// draws, and program folders that cannot be used, where the start must end with one Italian
// message naming the file and what is wrong, never with an exception of the standard library
// or of SQLite, and must leave what it found as it was.
#include "archive/first_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "archive/helpers.h"
#include "archive/server_addresses.h"
#include "core/parameters.h"
#include "core/program_database.h"
#include "core/sqlite.h"
#include "support/files.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;

struct BadProgramFolder {
  const char* name;
  std::function<void(const std::string& root)> make;  // the situation under `root`
  std::string folder;                                 // the program folder, under `root`
  const char* expected;                               // words of the message
  bool asOrdinaryUser = false;
};

void PrintTo(const BadProgramFolder& folder, std::ostream* out) { *out << folder.name; }

std::string databaseFile(const std::string& root) { return root + "/dbQuintello.mdb"; }

const BadProgramFolder kFolders[] = {
    {"database_is_a_folder", [](auto& root) { fs::create_directory(databaseFile(root)); }, "",
     "/dbQuintello.mdb\": è una cartella, non un file. Spostare o rinominare la cartella"},
    {"database_is_not_SQLite", [](auto& root) { test::writeFile(databaseFile(root), "x"); }, "",
     "/dbQuintello.mdb\": il file non è nel formato previsto."},
    {"database_without_its_table",
     [](auto& root) {
       sqlite::Database(databaseFile(root), sqlite::Database::Mode::ReadWriteCreate)
           .execute("CREATE TABLE Altro (x)");
     },
     "", "non contiene la tabella dei parametri (ParametriProgramma)"},
    {"folder_is_a_link_loop", [](auto& root) { fs::create_symlink("giro", root + "/giro"); },
     "/giro", "collegamento simbolico che rimanda a se stesso"},
    {"folder_name_too_long", [](auto&) {}, "/" + std::string(256, 'c'),
     "troppo lungo per il sistema"},
    {"folder_is_a_file", [](auto& root) { test::writeFile(root + "/file", "x"); }, "/file",
     "una parte del percorso non è una cartella"},
    {"folder_inside_a_closed_folder",
     [](auto& root) {
       fs::create_directories(root + "/chiusa/programma");
       fs::permissions(root + "/chiusa", fs::perms::owner_all);
     },
     "/chiusa/programma", "/chiusa\" non è accessibile (permesso negato)", true},
    {"folder_not_writable",
     [](auto& root) {
       fs::create_directory(root + "/chiusa");
       fs::permissions(root + "/chiusa", fs::perms::owner_all | fs::perms::others_exec);
     },
     "/chiusa", "/chiusa\" non esiste o non consente la scrittura.", true},
};

class ProgramFolderRefusal : public ::testing::TestWithParam<BadProgramFolder> {};

TEST_P(ProgramFolderRefusal, EndsTheStartWithOneItalianMessage) {
  test::TempDir root;
  if (GetParam().asOrdinaryUser) test::openFolderToEveryone(root.path());
  GetParam().make(root.path());
  const ProgramFiles files(root.path() + GetParam().folder);
  const auto before = test::snapshotFolder(root.path());
  std::optional<test::AsOrdinaryUser> user;
  if (GetParam().asOrdinaryUser && !user.emplace().active())
    GTEST_SKIP() << "cannot run as an ordinary user";
  const std::string message =
      test::refusal([&] { openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS); });
  EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
  EXPECT_NE(message.find("\"" + files.programDatabasePath() + "\""), std::string::npos) << message;
  EXPECT_EQ(test::foreignTextIn(message), "") << message;
  user.reset();
  EXPECT_EQ(test::describeChanges(before, test::snapshotFolder(root.path())), "");
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolderRefusal, ::testing::ValuesIn(kFolders),
                         [](const auto& test) { return std::string(test.param.name); });

// Whatever goes wrong underneath, the program database answers with an Italian Error:
// SQLite's own exception never reaches a window.
TEST(ProgramDatabaseFailures, ReachTheCallerAsItalianErrors) {
  test::TempDir dir;
  const std::string path = dir.file("dbQuintello.mdb");
  auto db = ProgramDatabase::create(path, {{"PercorsoArchivio", "", ""}});
  sqlite::Database other(path, sqlite::Database::Mode::ReadWrite);
  other.execute("BEGIN EXCLUSIVE; UPDATE ParametriProgramma SET Valore2 = 'x';");
  for (const std::string& message :
       {test::refusal([&] { db.getParameter("PercorsoArchivio"); }),
        test::refusal([&] { (void)db.setParameter("PercorsoArchivio", "/a.mdb"); })}) {
    EXPECT_NE(message.find("in uso da un altro programma"), std::string::npos) << message;
    EXPECT_EQ(test::foreignTextIn(message), "") << message;
  }
}

TEST(FirstStart, BuildsTheDefaultArchiveFromTheBundledDraws) {
  test::TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  test::writeFile(draws, test::kTwoUpdateLines);
  const ProgramFiles files(dir.file("programma"));
  auto program = openProgramDatabase(files, draws);
  EXPECT_EQ(program.getParameter("EstrazioneIniziale"), "1");
  EXPECT_EQ(test::storedRows(files.defaultArchivePath())[1],
            "2026-01-08|90-89-88-87-86||85-84-83-82-81|80-79-78-77-76|75-74-73-72-71|"
            "70-69-68-67-66|65-64-63-62-61|60-59-58-57-56|55-54-53-52-51|50-49-48-47-46|");

  // Later starts open what is there and never overwrite an archive.
  for (const auto& path : {files.programDatabasePath(), files.defaultArchivePath()})
    fs::remove(path);
  test::writeArchiveFile(files.defaultArchivePath(), test::weeklyDraws(7));
  ASSERT_TRUE(openProgramDatabase(files, draws).setParameter("EstrazioneIniziale", "5"));
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter("EstrazioneIniziale"), "5");
  EXPECT_EQ(ArchiveDatabase::open(files.defaultArchivePath()).drawCount(), 7);
  // A database from before the official archive's address gets the build's; a stored one
  // stays.
  const std::string official(parameter::kIndirizzoArchivioUfficiale);
  fs::remove(files.programDatabasePath());
  ProgramDatabase::create(files.programDatabasePath(), {{"PercorsoArchivio", "a.mdb", ""}});
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter(official),
            builtOfficialArchiveAddress());
  ASSERT_TRUE(openProgramDatabase(files, draws).setParameter(official, "http://127.0.0.1/s.zip"));
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter(official), "http://127.0.0.1/s.zip");
}

// Missing bundled draws, a date that is no calendar date, a date given twice: no archive,
// not even half of one, and the user chooses the archive as on any first use.
TEST(FirstStart, UnusableBundledDrawsLeaveTheChoiceToTheUser) {
  const std::string first = std::string(test::kTwoUpdateLines).substr(0, 180);
  for (const char* extra : {"", "31/02/2026 01-02-03-04-05\r\n", first.c_str()}) {
    test::TempDir dir;
    const std::string draws = dir.file("estrazioni.txt");
    if (*extra) test::writeFile(draws, test::kTwoUpdateLines + std::string(extra));
    const ProgramFiles files(dir.path());
    EXPECT_EQ(openProgramDatabase(files, draws).getParameter("PercorsoArchivio"), "");
    EXPECT_FALSE(fs::exists(files.defaultArchivePath()));
  }
}

}  // namespace
}  // namespace quintello
