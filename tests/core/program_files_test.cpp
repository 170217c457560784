#include "core/program_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

TEST(ProgramFiles, ArchivePathFileHoldsTheQuotedPath) {
  TempDir dir;
  const ProgramFiles files(dir.path());
  files.writeArchivePathFile("/home/utente/lotto.mdb");
  files.writeArchivePathFile("/home/utente/altro archivio.mdb");
  EXPECT_EQ(test::readWholeFile(files.file("PercorsoDatabase.txt")),
            "\"/home/utente/altro archivio.mdb\"\r\n");
}

TEST(ProgramFiles, FolderFromTheEnvironmentWinsOverTheExecutablesFolder) {
  ::setenv("QUINTELLO_CARTELLA", "/tmp/altrove", 1);
  EXPECT_EQ(ProgramFiles::locate("/opt/quintello").folder(), "/tmp/altrove");
  ::unsetenv("QUINTELLO_CARTELLA");
  EXPECT_EQ(ProgramFiles::locate("/opt/quintello").folder(), "/opt/quintello");
}

}  // namespace
}  // namespace quintello
