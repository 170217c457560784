#include "archive/first_start.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive/server_addresses.h"
#include "core/parameters.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;

TEST(FirstStart, BuildsTheDefaultArchiveFromTheBundledDraws) {
  test::TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  test::writeFile(draws, test::kTwoUpdateLines);
  const ProgramFiles files(dir.file("programma"));
  auto program = openProgramDatabase(files, draws);
  EXPECT_EQ(program.getParameter("PercorsoArchivio"), "archivio.mdb");  // inside the folder
  EXPECT_EQ(program.getParameter("EstrazioneIniziale"), "1");
  EXPECT_EQ(test::storedRows(files.defaultArchivePath())[1],
            "2026-01-08|90-89-88-87-86||85-84-83-82-81|80-79-78-77-76|75-74-73-72-71|"
            "70-69-68-67-66|65-64-63-62-61|60-59-58-57-56|55-54-53-52-51|50-49-48-47-46|");
  EXPECT_FALSE(fs::exists(files.defaultArchivePath() + ".nuovo"));

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
