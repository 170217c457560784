// quintello-cli as a process. On a small archive: which archive it reads, statuses, messages,
// and that it writes nothing. On the draws through 30/12/2025: the outputs in golden/, written
// by golden/independent_check.py, a model sharing no code with the program.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "archive/first_start.h"
#include "cli/cli_process.h"
#include "core/program_database.h"
#include "support/folder_snapshot.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;

// The number 5 comes out on Bari in draws 1, 3 and 6; Rome tells the draws apart.
std::vector<TestDraw> smallDraws() {
  return {
      {"02/01/2025", {{"BA", {5, 1, 2, 3, 4}}, {"RO", {10, 11, 12, 13, 14}}}},
      {"04/01/2025", {{"BA", {1, 2, 3, 4, 6}}, {"RO", {20, 21, 22, 23, 24}}}},
      {"07/01/2025", {{"BA", {7, 8, 9, 10, 5}}, {"RO", {30, 31, 32, 33, 34}}}},
      {"09/01/2025", {{"BA", {1, 2, 3, 4, 6}}, {"RO", {40, 41, 42, 43, 44}}}},
      {"11/01/2025", {{"BA", {1, 2, 3, 4, 6}}, {"RO", {50, 51, 52, 53, 54}}}},
      {"14/01/2025", {{"BA", {1, 2, 5, 4, 6}}, {"RO", {60, 61, 62, 63, 64}}}},
      {"16/01/2025", {{"BA", {1, 2, 3, 4, 6}}, {"RO", {70, 71, 72, 73, 74}}}},
  };
}

class CliRunTest : public ::testing::Test {
 protected:
  void SetUp() override { writeArchiveFile(archive, smallDraws()); }

  // Status 0 (warnings only on stderr) or 2 (only a message), both folders left as they were.
  CliRun checkedRun(const std::string& line) {
    const auto programBefore = snapshotFolder(programFolder.path());
    const auto workBefore = snapshotFolder(work.path());
    const CliRun result = runCliProcess(words(line), programFolder.path());
    EXPECT_TRUE(result.status == 0
                    ? result.err.empty() || result.err.starts_with("quintello-cli: avviso: ")
                    : result.status == 2 && result.out.empty() &&
                          result.err.starts_with("quintello-cli: "))
        << result.status << result.err;
    EXPECT_EQ(describeChanges(programBefore, snapshotFolder(programFolder.path())), "");
    EXPECT_EQ(describeChanges(workBefore, snapshotFolder(work.path())), "");
    return result;
  }
  // The run's status, and the text it must show on stdout (on stderr when refused).
  void expectRun(const std::string& line, int status, const std::string& expected) {
    SCOPED_TRACE(line);
    const CliRun result = checkedRun(line);
    EXPECT_EQ(result.status, status);
    EXPECT_NE((status ? result.err : result.out + result.err).find(expected), std::string::npos)
        << result.out << result.err;
  }

  TempDir work;           // archives
  TempDir programFolder;  // QUINTELLO_CARTELLA, empty unless a test fills it
  const std::string archive = work.file("piccolo.mdb");
};

// Without --archivio: the folder's archivio.mdb before the bundled draws (the golden runs read
// those), then the archive and model the program database names. --archivio wins over all.
TEST_F(CliRunTest, WhichArchiveIsRead) {
  const std::string defaultArchive = programFolder.file("archivio.mdb");
  fs::copy_file(archive, defaultArchive);
  expectRun("info", 0, "Archivio\t" + defaultArchive + "\nEstrazioni\t7\n");
  const std::string database = programFolder.file("dbQuintello.mdb");
  ProgramDatabase::create(database, {{"PercorsoArchivio", "", ""}});
  expectRun("info", 2, "non indica alcun archivio delle estrazioni (PercorsoArchivio)");
  fs::remove(database);
  ProgramDatabase::create(database,
                          {{"PercorsoArchivio", archive, ""}, {"EstrazioneIniziale", "3", ""}});
  expectRun("info", 0,
            "Archivio\t" + archive +
                "\nEstrazioni\t7\nPrima estrazione\t1 del 02/01/2025\n"
                "Ultima estrazione\t7 del 16/01/2025\nInizio archivio modello\t3 del 07/01/2025\n");
  expectRun("quintello --tabellone 60,70 --verifica --coppie --elabora --stampa ristretto:1", 0,
            "# ristretto:1\n");
  expectRun("info --archivio " + defaultArchive, 0,
            "Archivio\t" + defaultArchive + "\nEstrazioni\t7\n");
}

TEST_F(CliRunTest, RunsAndRefusals) {
  writeArchiveFile(work.file("vuoto.mdb"), {});
  writeArchiveFile(work.file("strano.mdb"), {{"02/01/2025", {{"BA", {5, 99, 5, 0, 0}}}},
                                             {"04/01/2025", {{"BA", {99, 2, 3, 4, 5}}}},
                                             {"07/01/2025", {{"BA", {1, 99, 99, 99, 99}}}}});
  fs::copy_file(archive, work.file("lotto\tdue\n.mdb"));
  const auto runs = caseRows("cli/cases/runs.txt", {{"archivio", archive},
                                                    {"vuoto", work.file("vuoto.mdb")},
                                                    {"strano", work.file("strano.mdb")},
                                                    {"tabulato", work.file("lotto\tdue\n.mdb")},
                                                    {"cartella", work.path()}});
  for (const auto& run : runs) expectRun(run.at(0), std::stoi(run.at(1)), run.at(2));
}

// Command lines made at random of valid and invalid pieces end with status 0 or 2, no crash.
TEST_F(CliRunTest, RandomCommandLines) {
  const auto pieces = caseRows("cli/cases/random_pieces.txt");
  int refused = 0;
  for (std::uint32_t i = 0, state = 12345; i < 60; ++i) {
    std::string line = "--archivio " + archive + " quintello --numero 5 --presenze 5";
    for (int n = 0; n < 5; ++n, state = state * 1103515245u + 12345u)
      line += " " + pieces[(state >> 8) % pieces.size()].at(0);
    SCOPED_TRACE(line);
    refused += checkedRun(line).status == 2;
  }
  EXPECT_TRUE(refused >= 10 && refused <= 50) << refused;  // both kinds of run were met
}

// The text output rebuilt from a JSON document (which always holds the labels).
std::string textOf(const nlohmann::ordered_json& json, bool withLabels) {
  std::string text;
  for (const auto& grid : json["grids"]) {
    text += "# " + grid["name"].get<std::string>() + "\n";
    for (const auto& row : grid["rows"]) {
      for (size_t c = 0; c < row.size(); ++c)
        text += (c > 0 ? "\t" : "") + row[c]["text"].get<std::string>();
      text += "\n";
    }
  }
  if (withLabels) text += "# etichette\n";
  for (const auto& [name, label] : json["labels"].items())
    if (withLabels) text += name + "\t" + label["text"].get<std::string>() + "\n";
  return text;
}

// An archive file holding the draws through 30/12/2025, made once.
const std::string& storicoArchive() {
  static const TempDir folder;
  static const std::string path = [] {
    createArchiveFromUpdateFile(folder.file("storico.mdb"), QUINTELLO_TEST_FROZEN_DRAWS);
    return folder.file("storico.mdb");
  }();
  return path;
}

// Each golden file's run ("#! " line) from the archive file, from the draws file read into
// memory, and as a JSON document holding the same texts in the same order.
TEST(CliGoldenTest, OutputsOfTheIndependentModel) {
  const TempDir programFolder;  // empty: without --archivio the draws file is read into memory
  const auto run = [&](const std::vector<std::string>& args) {
    return runCliProcess(args, programFolder.path());
  };
  int goldens = 0;
  for (const auto& file : fs::directory_iterator(QUINTELLO_TEST_SOURCE_DIR "/cli/golden")) {
    if (file.path().extension() != ".txt") continue;
    ++goldens;
    SCOPED_TRACE(file.path().filename().string());
    const auto golden = readFile(file.path().string());
    ASSERT_TRUE(golden.starts_with("#! "));
    const size_t lineEnd = golden.find('\n');
    auto args = words(golden.substr(3, lineEnd - 3));
    args.insert(args.begin(), {"--archivio", storicoArchive()});
    for (const CliRun& result : {run(args), run({args.begin() + 2, args.end()})}) {
      EXPECT_EQ(result.err, "");
      EXPECT_EQ(result.out, golden.substr(lineEnd + 1));
    }
    args.insert(args.begin(), "--json");
    EXPECT_EQ(textOf(nlohmann::ordered_json::parse(run(args).out),
                     golden.find("\n# etichette\n") != std::string::npos),
              golden.substr(lineEnd + 1));
  }
  EXPECT_GE(goldens, 6);
}

}  // namespace
}  // namespace quintello::test
