#include "archive/first_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "archive/server_addresses.h"
#include "core/archive_database.h"
#include "core/parameters.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

TEST(FirstStart, BuildsTheDefaultArchiveFromTheBundledDraws) {
  TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  std::ofstream(draws, std::ios::binary) << test::kTwoUpdateLines;
  const ProgramFiles files(dir.file("programma"));

  auto program = openProgramDatabase(files, draws);
  EXPECT_EQ(program.getParameter("PercorsoArchivio"), "archivio.mdb");  // inside the folder
  EXPECT_EQ(program.getParameter("EstrazioneIniziale"), "1");

  auto archiveDb = ArchiveDatabase::open(files.defaultArchivePath());
  DrawArchive archive;
  NoProgress progress;
  loadArchive(archiveDb, archive, 1, progress);
  ASSERT_EQ(archive.count(), 2);
  EXPECT_EQ(archive.dateText(2), "08/01/2026");
  EXPECT_EQ(archive.number(1, 10, 5), 55);
  EXPECT_EQ(archive.number(2, 1, 1), 0);   // blank group: no draw on Cagliari
  EXPECT_EQ(archive.number(2, 10, 1), 0);  // nor on the Nazionale
  EXPECT_EQ(archive.number(2, 2, 1), 85);
  EXPECT_FALSE(std::filesystem::exists(files.defaultArchivePath() + ".nuovo"));
}

TEST(FirstStart, LaterStartsOpenWhatIsThereAndNeverOverwriteAnArchive) {
  TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  std::ofstream(draws, std::ios::binary) << test::kTwoUpdateLines;
  const ProgramFiles files(dir.path());
  test::writeArchiveFile(files.defaultArchivePath(), test::weeklyDraws(7));
  openProgramDatabase(files, draws);
  EXPECT_EQ(ArchiveDatabase::open(files.defaultArchivePath()).drawCount(), 7);

  ASSERT_TRUE(openProgramDatabase(files, draws).setParameter("EstrazioneIniziale", "5"));
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter("EstrazioneIniziale"), "5");

  // A database from before the official archive's address gets the build's; a stored one
  // stays.
  const std::string official(parameter::kIndirizzoArchivioUfficiale);
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter(official),
            builtOfficialArchiveAddress());
  std::filesystem::remove(files.programDatabasePath());
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
  for (const std::optional<std::string>& extra :
       {std::optional<std::string>(), std::optional<std::string>("31/02/2026 01-02-03-04-05\r\n"),
        std::optional<std::string>(first)}) {
    TempDir dir;
    const std::string draws = dir.file("estrazioni.txt");
    if (extra) std::ofstream(draws, std::ios::binary) << test::kTwoUpdateLines << *extra;
    const ProgramFiles files(dir.path());
    EXPECT_EQ(openProgramDatabase(files, draws).getParameter("PercorsoArchivio"), "");
    EXPECT_FALSE(std::filesystem::exists(files.defaultArchivePath()));
  }
}

}  // namespace
}  // namespace quintello
