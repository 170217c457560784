// quintello-cli's aggiorna, scarica and esporta on an update file, the official text and its zip.

#include <gtest/gtest.h>

#include "cli/cli_process.h"
#include "support/local_http_server.h"
#include "support/zip_writer.h"

namespace quintello::test {
namespace {

const std::string kCases = QUINTELLO_TEST_SOURCE_DIR "/cli/cases";

class CliUpdateRun : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& path : {archive, copy})
      writeArchiveFile(path,
                       {{"02/01/2025", {{"BA", {1, 2, 3, 4, 5}}, {"MI", {11, 12, 13, 14, 15}}}},
                        {"04/01/2025", {{"BA", {6, 7, 8, 9, 10}}, {"MI", {1, 2, 3, 4, 5}}}}});
    ASSERT_TRUE(writeZip(zip, {{"storico.txt", readFile(kCases + "/storico.txt")}}));
  }

  TempDir work, programFolder;  // programFolder: empty, no program database
  const std::string archive = work.file("archivio.mdb"), copy = work.file("copia.mdb");
  const std::string zip = work.file("storico.zip");
};

// The runs of cases/update_runs.txt, in order: each one's status, whole stdout and stderr.
TEST_F(CliUpdateRun, UpdateRuns) {
  LocalHttpServer server;
  server.serveBody("/storico.zip", readFile(zip));
  server.serveTrickle("/lento.zip", readFile(zip), std::chrono::milliseconds(300));
  const auto runs =
      caseRows("cli/cases/update_runs.txt", {{"aggiorna", "--archivio " + archive + " aggiorna"},
                                             {"archivio", archive},
                                             {"copia", copy},
                                             {"cartella", work.path()},
                                             {"casi", kCases},
                                             {"server", server.url("")},
                                             {"estrazioni", QUINTELLO_TEST_BUNDLED_DRAWS}});
  for (const auto& run : runs) {
    SCOPED_TRACE(run.at(0));
    const CliRun result = runCliProcess(words(run.at(0)), programFolder.path());
    EXPECT_EQ(result.status, std::stoi(run.at(1)));
    EXPECT_EQ(result.out, run.at(2));
    EXPECT_NE(result.err.find(run.size() > 3 ? run[3] : ""), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace quintello::test
