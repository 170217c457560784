// End-to-end runs of quintello-cli on the bundled draws, compared with whole expected outputs.
// The files in golden/ were written by golden/independent_check.py, a separate plain model of
// the method that shares no code with the program; each file's first line "#! ..." holds the
// arguments of its run.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_process.h"
#include "cli/json_check.h"
#include "core/program_files.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;
using cli::parseJson;

const fs::path kGoldenFolder = fs::path(__FILE__).parent_path() / "golden";

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < line.size()) {
    const size_t end = line.find(' ', start);
    if (end != start) out.push_back(line.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

class CliGoldenTest : public ::testing::Test {
 protected:
  // One archive file holding the bundled draws, shared by the whole suite.
  static void SetUpTestSuite() {
    folder_ = new TempDir;
    createArchiveFromUpdateFile(archive(), QUINTELLO_TEST_BUNDLED_DRAWS);
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static std::string archive() { return folder_->file("storico.mdb"); }

  CliRun run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--archivio", archive()});
    return runCliProcess(args, programFolder_.path());
  }

  // Runs the golden file's arguments and compares the whole output with the rest of the file.
  void checkGolden(const std::string& name) {
    const auto golden = readWholeFile((kGoldenFolder / (name + ".txt")).string());
    ASSERT_TRUE(golden) << "missing golden file " << name;
    const size_t lineEnd = golden->find('\n');
    ASSERT_EQ(golden->rfind("#! ", 0), 0u);
    const CliRun result = run(words(golden->substr(3, lineEnd - 3)));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, golden->substr(lineEnd + 1));
  }

  static TempDir* folder_;
  TempDir programFolder_;
};

TempDir* CliGoldenTest::folder_ = nullptr;

// Number 1 on Bari at the last draw: the list, the number statistics and the labels.
TEST_F(CliGoldenTest, OpeningDefaults) { checkGolden("default"); }

// Other wheels, positions 1, 3 and 5, and "Fine ricerca" on an earlier reference draw.
TEST_F(CliGoldenTest, WheelsPositionsAndReferenceDraw) { checkGolden("ruote_posizioni_fine"); }

// Three forecasts (board, one number, two numbers), verification and every report.
TEST_F(CliGoldenTest, ForecastsVerificationAndReports) { checkGolden("previsioni_verifica"); }

// Numbering reused after a removal, the pair add, automatic verification.
TEST_F(CliGoldenTest, RemovalPairAddAndAutomaticVerification) { checkGolden("rimozione_coppia"); }

// The k = 1 ranking of all 90 numbers.
TEST_F(CliGoldenTest, SingleNumberRanking) { checkGolden("classifica_numeri"); }

// The pair search over all 4005 pairs.
TEST_F(CliGoldenTest, PairSearch) { checkGolden("coppie"); }

// Reading the draws file straight into memory gives the same results as the archive file.
TEST_F(CliGoldenTest, BundledDrawsGiveTheSameResults) {
  const std::vector<std::string> args = {"quintello", "--numero",           "33",  "--rilevazione",
                                         "GE",        "--tabellone",        "4,5", "--verifica",
                                         "--stampa",  "elenco,numeri,colpi"};
  const CliRun fromFile = run(args);
  const CliRun fromMemory = runCliProcess(args, programFolder_.path());  // empty program folder
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_EQ(fromMemory.status, 0);
  EXPECT_EQ(fromFile.out, fromMemory.out);
}

// The random search is repeatable with the same seed; its list is ranked by coverage.
TEST_F(CliGoldenTest, CombinationSearchFollowsTheSeed) {
  const auto search = [&](const std::string& seed) {
    return run({"quintello", "--numero", "18", "--rilevazione", "PA", "--numeri", "4", "--seme",
                seed, "--elabora", "--stampa", "combinazioni"});
  };
  const CliRun a = search("7"), b = search("7");
  EXPECT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(a.out.rfind("# combinazioni\nCC   \tN1 \tN2 \tN3 \tN4 \tN5 \tN6 \tN7 \n", 0), 0u);
  // Rows: coverage, four ascending distinct numbers, three empty cells; coverage descending.
  std::istringstream lines(a.out);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  int rows = 0, previous = 1000;
  while (std::getline(lines, line)) {
    ++rows;
    std::vector<std::string> cells;
    std::istringstream cellStream(line);
    for (std::string cell; std::getline(cellStream, cell, '\t');) cells.push_back(cell);
    cells.resize(8);
    SCOPED_TRACE(line);
    const int cc = std::stoi(cells[0]);
    EXPECT_LE(cc, previous);
    EXPECT_LE(cc, 12);
    previous = cc;
    for (int c = 1; c <= 4; ++c) EXPECT_FALSE(cells[static_cast<size_t>(c)].empty());
    for (int c = 2; c <= 4; ++c)
      EXPECT_LT(std::stoi(cells[static_cast<size_t>(c - 1)]),
                std::stoi(cells[static_cast<size_t>(c)]));
    for (int c = 5; c <= 7; ++c) EXPECT_EQ(cells[static_cast<size_t>(c)], "");
  }
  EXPECT_GE(rows, 1);
  EXPECT_LE(rows, 20);
}

// The JSON document holds the same texts as the printed grids, and the marks of the reports.
TEST_F(CliGoldenTest, JsonMatchesTheTextOutput) {
  const std::vector<std::string> args = {
      "quintello", "--numero",     "90",       "--rilevazione",
      "MI",        "--gioco",      "TO",       "--colpi",
      "15",        "--presenze",   "20",       "--tabellone",
      "8,61,33",   "--previsione", "17",       "--previsione",
      "44,5",      "--verifica",   "--stampa", "elenco,colpi,ristretto:1,etichette"};
  const CliRun text = run(args);
  std::vector<std::string> jsonArgs = args;
  jsonArgs.insert(jsonArgs.begin(), "--json");
  const CliRun json = run(jsonArgs);
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = parseJson(json.out);
  ASSERT_TRUE(doc);

  // Rebuild the text output from the document: the grids, then the labels ("etichette" is
  // the last item printed).
  std::string rebuilt;
  for (const auto& grid : (*doc)["grids"].items) {
    rebuilt += "# " + grid["name"].string + "\n";
    for (const auto& row : grid["rows"].items) {
      for (size_t c = 0; c < row.items.size(); ++c)
        rebuilt += (c ? "\t" : "") + row[c]["text"].string;
      rebuilt += "\n";
    }
  }
  rebuilt += "# etichette\n";
  for (const auto& [name, label] : (*doc)["labels"].members)
    rebuilt += name + "\t" + label["text"].string + "\n";
  EXPECT_EQ(rebuilt, text.out);

  // The colpo grid: colpo column on GialloMedio, counts blue and bold, bars in Arancio whose
  // percentages add up to 100.
  const auto& colpi = (*doc)["grids"][1]["rows"];
  ASSERT_EQ(colpi.items.size(), 21u);
  double percent = 0;
  for (size_t r = 1; r <= 20; ++r) {
    SCOPED_TRACE("colpo " + std::to_string(r));
    EXPECT_EQ(colpi[r][0]["back"].string, "#ffff80");
    EXPECT_TRUE(colpi[r][0]["bold"].boolean);
    EXPECT_EQ(colpi[r][1]["fore"].string, "#0000ff");
    if (colpi[r][1]["text"].string.empty()) continue;
    const auto& flood = colpi[r][2]["flood"];
    EXPECT_EQ(flood["color"].string, "#ff8000");
    percent += flood["percent"].number;
  }
  EXPECT_NEAR(percent, 100.0, 1e-9);

  // The restricted list of forecast 1 (8, 33, 61): those numbers green, the rest white.
  const auto& ristretto = (*doc)["grids"][2]["rows"];
  int green = 0;
  for (size_t r = 1; r < ristretto.items.size(); ++r) {
    for (size_t c = 4; c <= 8; ++c) {
      const std::string& n = ristretto[r][c]["text"].string;
      const bool inForecast = n == "8" || n == "33" || n == "61";
      EXPECT_EQ(ristretto[r][c]["back"].string, inForecast ? "#00ff00" : "#ffffff")
          << r << " " << c;
      green += inForecast;
    }
  }
  EXPECT_GT(green, 0);
  EXPECT_EQ((*doc)["labels"]["Label1"]["text"].string, "8  33  61        ");
}

}  // namespace
}  // namespace quintello::test
