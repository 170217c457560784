#include "core/program_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/first_start.h"
#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

const char* kTwoDraws =
    "05/01/2026 01-02-03-04-05 06-07-08-09-10 11-12-13-14-15 16-17-18-19-20 21-22-23-24-25 "
    "26-27-28-29-30 31-32-33-34-35 36-37-38-39-40 41-42-43-44-45 46-47-48-49-50 "
    "51-52-53-54-55 pr\r\n"
    "08/01/2026 90-89-88-87-86                85-84-83-82-81 80-79-78-77-76 75-74-73-72-71 "
    "70-69-68-67-66 65-64-63-62-61 60-59-58-57-56 55-54-53-52-51 50-49-48-47-46 "
    "               pr\r\n";

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ProgramFiles, FirstStartBuildsTheDefaultArchiveFromTheBundledDraws) {
  TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  std::ofstream(draws, std::ios::binary) << kTwoDraws;
  const ProgramFiles files(dir.file("programma"));

  auto program = openProgramDatabase(files, draws);
  EXPECT_EQ(program.getParameter("PercorsoArchivio"), files.defaultArchivePath());
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

TEST(ProgramFiles, LaterStartsOpenWhatIsThereAndNeverOverwriteAnArchive) {
  TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  std::ofstream(draws, std::ios::binary) << kTwoDraws;
  const ProgramFiles files(dir.path());
  test::writeArchiveFile(files.defaultArchivePath(), test::weeklyDraws(7));
  openProgramDatabase(files, draws);
  EXPECT_EQ(ArchiveDatabase::open(files.defaultArchivePath()).drawCount(), 7);

  openProgramDatabase(files, draws).setParameter("EstrazioneIniziale", "5");
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter("EstrazioneIniziale"), "5");
}

TEST(ProgramFiles, WithoutBundledDrawsTheUserChoosesTheArchive) {
  TempDir dir;
  const ProgramFiles files(dir.path());
  auto program = openProgramDatabase(files, dir.file("mancante.txt"));
  EXPECT_EQ(program.getParameter("PercorsoArchivio"), "");
  EXPECT_FALSE(std::filesystem::exists(files.defaultArchivePath()));
}

TEST(ProgramFiles, FaultyBundledDrawsLeaveNoHalfArchive) {
  TempDir dir;
  const std::string draws = dir.file("estrazioni.txt");
  std::ofstream(draws, std::ios::binary) << kTwoDraws << "31/02/2026 01-02-03-04-05\r\n";
  const ProgramFiles files(dir.path());
  EXPECT_EQ(openProgramDatabase(files, draws).getParameter("PercorsoArchivio"), "");
  EXPECT_FALSE(std::filesystem::exists(files.defaultArchivePath()));
}

TEST(ProgramFiles, ArchivePathFileHoldsTheQuotedPath) {
  TempDir dir;
  const ProgramFiles files(dir.path());
  files.writeArchivePathFile("/home/utente/lotto.mdb");
  files.writeArchivePathFile("/home/utente/altro archivio.mdb");
  EXPECT_EQ(readFile(files.file("PercorsoDatabase.txt")),
            "\"/home/utente/altro archivio.mdb\"\r\n");
}

TEST(ProgramFiles, FolderFromTheEnvironmentWinsOverTheExecutablesFolder) {
  ::setenv("QUINTELLO_CARTELLA", "/tmp/altrove", 1);
  EXPECT_EQ(ProgramFiles::locate("/opt/quintello").folder(), "/tmp/altrove");
  ::unsetenv("QUINTELLO_CARTELLA");
  EXPECT_EQ(ProgramFiles::locate("/opt/quintello").folder(), "/opt/quintello");
}

TEST(UpdateFile, LinesAreCutAtFixedColumns) {
  const std::string line = std::string(kTwoDraws).substr(0, 178);
  EXPECT_TRUE(hasUpdateLineForm(line));
  EXPECT_FALSE(hasUpdateLineForm(line.substr(0, 177)));
  EXPECT_FALSE(hasUpdateLineForm(line.substr(0, 176) + "PR"));
  const UpdateLine parsed = parseUpdateLine(line);
  EXPECT_EQ(parsed.dateText, "05/01/2026");
  EXPECT_EQ(parsed.wheels[0], "01-02-03-04-05");
  EXPECT_EQ(parsed.wheels[10], "51-52-53-54-55");
  const UpdateLine shortLine = parseUpdateLine("05/01/2026 01-02-03");
  EXPECT_EQ(shortLine.wheels[0], "01-02-03");
  EXPECT_EQ(shortLine.wheels[1], "");
  EXPECT_THROW(storedDrawFromLine(parseUpdateLine("5/1/2026"), 3), Error);
}

TEST(UpdateFile, TheBundledDrawsAreWhole) {
  const auto lines = readUpdateFileLines(QUINTELLO_TEST_BUNDLED_DRAWS);
  ASSERT_GE(lines.size(), 10779u);
  for (const auto& line : lines) ASSERT_TRUE(hasUpdateLineForm(line)) << line;
  // Bari's first draw, 02/05/1874, and the last draw of 2025.
  bool bari = false;
  for (const auto& line : lines)
    if (line.starts_with("02/05/1874")) bari = parseUpdateLine(line).wheels[0] == "69-90-03-14-25";
  EXPECT_TRUE(bari);
  EXPECT_TRUE(lines[10778].starts_with("30/12/2025"));
  EXPECT_THROW(readUpdateFileLines(QUINTELLO_TEST_BUNDLED_DRAWS, 1000), Error);
}

}  // namespace
}  // namespace quintello
