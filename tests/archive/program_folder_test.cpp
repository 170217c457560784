// Program folders that cannot be used: the start must end with one Italian message naming the
// file and what is wrong, never with an exception of the standard library or of SQLite, and
// must leave what it found as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "archive/first_start.h"
#include "core/error.h"
#include "core/program_database.h"
#include "core/sqlite.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;

struct BadProgramFolder {
  const char* name;
  // Makes the situation under `root` and returns the program folder to use.
  std::function<std::string(const std::string& root)> make;
  const char* expected;  // words of the message
  bool asOrdinaryUser = false;
};

void PrintTo(const BadProgramFolder& folder, std::ostream* out) { *out << folder.name; }

const BadProgramFolder kFolders[] = {
    {"database is a folder",
     [](const std::string& root) {
       fs::create_directory(root + "/dbQuintello.mdb");
       return root;
     },
     "/dbQuintello.mdb\": è una cartella, non un file. Spostare o rinominare la cartella"},
    {"database is not SQLite",
     [](const std::string& root) {
       std::ofstream(root + "/dbQuintello.mdb") << "parametri";
       return root;
     },
     "/dbQuintello.mdb\": il file non è nel formato previsto."},
    {"database without its table",
     [](const std::string& root) {
       sqlite::Database(root + "/dbQuintello.mdb", sqlite::Database::Mode::ReadWriteCreate)
           .execute("CREATE TABLE Altro (x)");
       return root;
     },
     "non contiene la tabella dei parametri (ParametriProgramma)"},
    {"folder is a link loop",
     [](const std::string& root) {
       fs::create_symlink("giro", root + "/giro");
       return root + "/giro";
     },
     "collegamento simbolico che rimanda a se stesso"},
    {"folder name too long",
     [](const std::string& root) { return root + "/" + std::string(256, 'c'); },
     "troppo lungo per il sistema"},
    {"folder is a file",
     [](const std::string& root) {
       std::ofstream(root + "/file") << "x";
       return root + "/file";
     },
     "una parte del percorso non è una cartella"},
    {"folder inside a closed folder",
     [](const std::string& root) {
       fs::create_directories(root + "/chiusa/programma");
       fs::permissions(root + "/chiusa", fs::perms::owner_all);
       return root + "/chiusa/programma";
     },
     "/chiusa\" non è accessibile (permesso negato)", true},
};

class ProgramFolderRefusal : public ::testing::TestWithParam<BadProgramFolder> {};

TEST_P(ProgramFolderRefusal, EndsTheStartWithOneItalianMessage) {
  test::TempDir root;
  if (GetParam().asOrdinaryUser) test::openFolderToEveryone(root.path());
  const ProgramFiles files(GetParam().make(root.path()));
  const auto before = test::snapshotFolder(root.path());
  std::optional<test::AsOrdinaryUser> user;
  if (GetParam().asOrdinaryUser && !user.emplace().active())
    GTEST_SKIP() << "cannot run as an ordinary user";
  try {
    openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS);
    ADD_FAILURE() << "the program database opened";
  } catch (const Error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
    EXPECT_NE(message.find("\"" + files.programDatabasePath() + "\""), std::string::npos)
        << message;
    EXPECT_EQ(test::foreignTextIn(message), "") << message;
  }
  user.reset();
  EXPECT_EQ(test::describeChanges(before, test::snapshotFolder(root.path())), "");
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolderRefusal, ::testing::ValuesIn(kFolders),
                         [](const auto& test) {
                           std::string name = test.param.name;
                           for (char& c : name)
                             if (c == ' ') c = '_';
                           return name;
                         });

// Whatever goes wrong underneath, the program database answers with Error and an Italian
// message: SQLite's own exception never reaches a window.
TEST(ProgramDatabaseFailures, ReachTheCallerAsItalianErrors) {
  test::TempDir dir;
  const std::string path = dir.file("dbQuintello.mdb");
  auto db = ProgramDatabase::create(path, {{"PercorsoArchivio", "", ""}});
  sqlite::Database other(path, sqlite::Database::Mode::ReadWrite);
  other.execute("BEGIN EXCLUSIVE; UPDATE ParametriProgramma SET Valore2 = 'x';");
  const std::function<void()> calls[] = {
      [&] { db.getParameter("PercorsoArchivio"); },
      [&] { (void)db.setParameter("PercorsoArchivio", "/a.mdb"); },
  };
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "a locked database answered";
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find("in uso da un altro programma"), std::string::npos)
          << error.what();
      EXPECT_EQ(test::foreignTextIn(error.what()), "") << error.what();
    }
  }
}

// Creating a file under its temporary name, the messages still name the file the user knows.
TEST(ProgramDatabaseFailures, CreationNamesTheFinalFile) {
  test::TempDir dir;
  test::openFolderToEveryone(dir.path());
  const ProgramFiles files(dir.path());
  test::AsOrdinaryUser user;
  if (!user.active()) GTEST_SKIP() << "cannot run as an ordinary user";
  try {
    openProgramDatabase(files, QUINTELLO_TEST_BUNDLED_DRAWS);
    ADD_FAILURE() << "created in a folder that cannot be written";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Impossibile creare il database del programma \"" + files.programDatabasePath() +
                  "\": la cartella \"" + dir.path() + "\" non esiste o non consente la scrittura.");
  }
}

}  // namespace
}  // namespace quintello
