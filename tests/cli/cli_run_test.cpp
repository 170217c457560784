// quintello-cli run as a process: exit statuses, messages, which archive it reads, and that it
// never writes anything.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/cli_process.h"
#include "cli/json_check.h"
#include "core/program_database.h"
#include "core/sqlite.h"
#include "support/test_archive.h"

namespace quintello::test {
namespace {

namespace fs = std::filesystem;
using cli::parseJson;

// Seven draws; the number 5 comes out on Bari in draws 1 (position 1), 3 (position 5) and
// 6 (position 3). Rome carries numbers that tell the draws apart: 10 + 10(d-1) .. +4.
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

// Every file of a folder with its content, to show that a run changed nothing.
std::map<std::string, std::string> snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files[entry.path().string()] = readWholeFile(entry.path().string()).value_or("<dir>");
  return files;
}

class CliRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archive = work.file("piccolo.mdb");
    writeArchiveFile(archive, smallDraws());
  }
  CliRun run(std::vector<std::string> args) { return runCliProcess(args, programFolder.path()); }
  CliRun runOnSmall(std::vector<std::string> args) {
    args.insert(args.begin(), {"--archivio", archive});
    return run(args);
  }

  TempDir work;           // archives
  TempDir programFolder;  // QUINTELLO_CARTELLA, empty unless a test fills it
  std::string archive;
};

// Command lines refused before any archive is read, and those refused by the archive:
// status 2, a message on stderr naming the problem, nothing on stdout.
TEST_F(CliRunTest, RefusalsExitWithStatusTwo) {
  const std::string text = work.file("testo.mdb");
  { std::ofstream(text) << "non un archivio\n"; }
  const std::string noTable = work.file("senza_tabella.mdb");
  {
    sqlite::Database(noTable, sqlite::Database::Mode::ReadWriteCreate).execute("CREATE TABLE t(x)");
  }

  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, "Manca il comando"},
      {{"--versione"}, "Opzione sconosciuta: \"--versione\""},
      {{"quintello", "--colpi", "21"}, "--colpi: valore \"21\" non valido"},
      {{"quintello", "--presenze", "4"}, "--presenze"},
      {{"quintello", "--numeri", "8"}, "--numeri"},
      {{"quintello", "--numero", "91"}, "--numero"},
      {{"quintello", "--gioco", "XY"}, "sigla di ruota \"XY\" sconosciuta"},
      {{"quintello", "--tabellone", "1,2,3,4,5,6,7,8"}, "--tabellone"},
      {{"--archivio", work.file("manca.mdb"), "info"}, "il file non esiste"},
      {{"--archivio", text, "info"}, "non è un archivio di Quintello"},
      {{"--archivio", noTable, "quintello"}, "non contiene la tabella delle estrazioni"},
      {{"--archivio", work.path(), "info"}, "il file non esiste"},
      {{"--archivio", archive, "quintello", "--estrazione", "8"},
       "l'estrazione 8 non è nell'archivio, che va da 1 a 7"},
      {{"--archivio", archive, "quintello", "--numero", "5", "--presenze", "5", "--stampa",
        "dettaglio:4"},
       "dettaglio:4: l'elenco delle presenze ha 3 righe"},
      {{"--archivio", archive, "quintello", "--tabellone", "60", "--stampa", "ristretto:2"},
       "ristretto:2: l'elenco delle previsioni ha 1 riga."},
      {{"--archivio", archive, "quintello", "--stampa", "ritardi"}, "ritardi"},
  };
  for (const auto& [args, message] : cases) {
    std::string line;
    for (const auto& arg : args) line += arg + " ";
    SCOPED_TRACE(line);
    const CliRun result = run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("quintello-cli: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
  }
}

TEST_F(CliRunTest, HelpGoesToStandardOutput) {
  const CliRun result = run({"--aiuto"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("Uso:\n", 0), 0u);
  EXPECT_NE(result.out.find("--verifica-automatica"), std::string::npos);
  EXPECT_EQ(result.err, "");
}

TEST_F(CliRunTest, InfoOnAGivenArchive) {
  const CliRun result = runOnSmall({"info"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Archivio\t" + archive +
                            "\n"
                            "Estrazioni\t7\n"
                            "Prima estrazione\t1 del 02/01/2025\n"
                            "Ultima estrazione\t7 del 16/01/2025\n"
                            "Inizio archivio modello\t1 del 02/01/2025\n"
                            "Fine archivio modello\t7 del 16/01/2025\n"
                            "Estrazioni archivio modello\t7\n");

  const CliRun json = runOnSmall({"--json", "info"});
  EXPECT_EQ(json.status, 0);
  const auto doc = parseJson(json.out);
  ASSERT_TRUE(doc) << json.out;
  EXPECT_EQ((*doc)["archivio"].string, archive);
  EXPECT_EQ((*doc)["estrazioni"].number, 7);
  EXPECT_EQ((*doc)["ultima"]["data"].string, "16/01/2025");
  EXPECT_EQ((*doc)["modello"]["inizio"]["indice"].number, 1);
  EXPECT_EQ((*doc)["modello"]["estrazioni"].number, 7);
}

TEST_F(CliRunTest, EmptyArchive) {
  const std::string empty = work.file("vuoto.mdb");
  writeArchiveFile(empty, {});
  const CliRun info = run({"--archivio", empty, "info"});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("Estrazioni\t0\nPrima estrazione\t-\n"), std::string::npos) << info.out;
  const CliRun quintello = run({"--archivio", empty, "quintello"});
  EXPECT_EQ(quintello.status, 2);
  EXPECT_NE(quintello.err.find("L'archivio delle estrazioni è vuoto."), std::string::npos);
}

// The program database names the archive and the first draw of the model archive; the run
// leaves every file of both folders exactly as it was.
TEST_F(CliRunTest, ArchiveOfTheProgramDatabaseReadOnly) {
  ProgramDatabase::create(programFolder.file("dbQuintello.mdb"),
                          {{"PercorsoArchivio", archive, ""}, {"EstrazioneIniziale", "3", ""}});
  const auto programBefore = snapshot(programFolder.path());
  const auto archiveBefore = snapshot(work.path());

  const CliRun info = run({"info"});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out, "Archivio\t" + archive +
                          "\n"
                          "Estrazioni\t7\n"
                          "Prima estrazione\t1 del 02/01/2025\n"
                          "Ultima estrazione\t7 del 16/01/2025\n"
                          "Inizio archivio modello\t3 del 07/01/2025\n"
                          "Fine archivio modello\t7 del 16/01/2025\n"
                          "Estrazioni archivio modello\t5\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"quintello", "--tabellone", "60,70", "--verifica", "--coppie",
                                 "--elabora", "--stampa", "elenco,previsioni,ristretto:1"},
        std::vector<std::string>{"--json", "quintello", "--coppia", "5,6"}}) {
    EXPECT_EQ(run(args).status, 0);
  }
  EXPECT_EQ(snapshot(programFolder.path()), programBefore);
  EXPECT_EQ(snapshot(work.path()), archiveBefore);
}

TEST_F(CliRunTest, ProgramDatabaseWithoutAnArchive) {
  ProgramDatabase::create(programFolder.file("dbQuintello.mdb"), {{"PercorsoArchivio", "", ""}});
  const CliRun result = run({"info"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("non indica alcun archivio delle estrazioni"), std::string::npos);
  // --archivio still works, and the model archive starts at draw 1 without EstrazioneIniziale.
  const CliRun given = runOnSmall({"info"});
  EXPECT_EQ(given.status, 0);
  EXPECT_NE(given.out.find("Estrazioni archivio modello\t7\n"), std::string::npos);
}

// Without a program database: the archive the program would create on its first start,
// archivio.mdb in the program folder, when it is there...
TEST_F(CliRunTest, DefaultArchiveOfTheProgramFolder) {
  const std::string defaultArchive = programFolder.file("archivio.mdb");
  fs::copy_file(archive, defaultArchive);
  const auto before = snapshot(programFolder.path());
  const CliRun result = run({"info"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Archivio\t" + defaultArchive + "\nEstrazioni\t7\n", 0), 0u)
      << result.out;
  EXPECT_EQ(snapshot(programFolder.path()), before);  // no program database created
}

// ...else the bundled draws beside the executable, read into memory.
TEST_F(CliRunTest, BundledDrawsWhenTheProgramFolderIsEmpty) {
  const CliRun result = run({"info"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string bundled =
      (fs::path(QUINTELLO_CLI_PATH).parent_path() / "estrazioni.txt").string();
  EXPECT_EQ(result.out, "Archivio\t" + bundled +
                            "\n"
                            "Estrazioni\t10779\n"
                            "Prima estrazione\t1 del 07/01/1871\n"
                            "Ultima estrazione\t10779 del 30/12/2025\n"
                            "Inizio archivio modello\t1 del 07/01/1871\n"
                            "Fine archivio modello\t10779 del 30/12/2025\n"
                            "Estrazioni archivio modello\t10779\n");
  EXPECT_TRUE(fs::is_empty(programFolder.path()));
}

TEST_F(CliRunTest, QuadraturaNeedsNoArchive) {
  const CliRun result = run({"quadratura", "1", "88", "47", "90"});
  EXPECT_EQ(result.status, 0) << result.err;
  // The square   1 88
  //             47 90
  EXPECT_EQ(result.out,
            "# quadratura\n"
            "Somma / Distanza            \tElementi\tNumeri \tValore\n"
            "Somma orizzontale 1\tN1+N2\t1 88\t89\n"
            "Somma orizzontale 2\tN3+N4\t47 90\t47\n"
            "Somma verticale 1\tN1+N3\t1 47\t48\n"
            "Somma verticale 2\tN2+N4\t88 90\t88\n"
            "Somma diagonale 1\tN1+N4\t1 90\t1\n"
            "Somma diagonale 2\tN2+N3\t88 47\t45\n"
            "Distanza orizzontale 1\tN1 N2\t1 88\t3\n"
            "Distanza orizzontale 2\tN3 N4\t47 90\t43\n"
            "Distanza verticale 1\tN1 N3\t1 47\t44\n"
            "Distanza verticale 2\tN2 N4\t88 90\t2\n"
            "Distanza diagonale 1\tN1 N4\t1 90\t1\n"
            "Distanza diagonale 2\tN2 N3\t88 47\t41\n"
            "# totale\n"
            "Somma totale\t46\n");

  const CliRun json = run({"--json", "quadratura", "0", "30", "0", "60"});
  EXPECT_EQ(json.status, 0);
  const auto doc = parseJson(json.out);
  ASSERT_TRUE(doc) << json.out;
  const auto& rows = (*doc)["grids"][0]["rows"];
  EXPECT_EQ((*doc)["grids"][0]["name"].string, "quadratura");
  ASSERT_EQ(rows.items.size(), 13u);
  EXPECT_EQ(rows[1][2]["text"].string, " 30");  // N1 empty
  EXPECT_EQ(rows[1][3]["text"].string, "30");
  EXPECT_EQ(rows[1][3]["back"].string, "#ffff80");
  EXPECT_EQ(rows[1][3]["fore"].string, "#ff0000");
  EXPECT_EQ(rows[10][3]["text"].string, "30");  // vertical distance 2: 30 and 60
  EXPECT_EQ((*doc)["labels"]["LblTS"]["text"].string, "90");
  EXPECT_EQ((*doc)["labels"]["LblTS"]["back"].string, "#0000ff");
  EXPECT_EQ((*doc)["labels"]["LblDv2"]["back"].string, "#80ff80");
  EXPECT_EQ((*doc)["labels"]["LblSv2"]["text"].string, "90");
}

// The inputs reach the method: number 5 on Bari, played on Rome, 3 colpi.
//   occurrence 6: window 7         (7 = LimiteFine, only one of its 3 draws exists yet)
//   occurrence 3: window 4..6
//   occurrence 1: window 2..4, cut at 3 by the occurrence in draw 3
TEST_F(CliRunTest, OccurrenceListOfASmallArchive) {
  const std::string header =
      "N°   \tEstr     \tData Estraz    \tInizio   \tFine    \tEnd    \tPr   \tRR  \tRG  \t1  \t2  "
      "\t3  \t4  \t5  \tC  \tN° Est  \tData Esito     \tS    \tGe   \n";
  const std::string tail = "\t\t\t\t\t\t\t\t\t\t\n";  // columns 9..18 empty
  const CliRun result = runOnSmall({"quintello", "--numero", "5", "--gioco", "RO", "--colpi", "3",
                                    "--presenze", "5", "--stampa", "elenco,etichette"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "# elenco\n" + header + "1\t6\t14/01/2025\t7\t7\t7\t\tBA\tRO" + tail +
                            "2\t3\t07/01/2025\t4\t6\t6\t\tBA\tRO" + tail +
                            "3\t1\t02/01/2025\t2\t4\t3\t\tBA\tRO" + tail +
                            "# etichette\n"
                            "LBL_NC\t3\n"
                            "Label7\tN° Estraz. = 6  Freq = 1.20 (1.25)\n"
                            "Lbl_T\t\n"
                            "Lbl_S\t\n"
                            "Label3\t0\n"
                            "Label1\t\n");

  // Position 5 not watched: the occurrence in draw 3 drops out, and the window of draw 1
  // keeps its three draws.
  const CliRun positions = runOnSmall(
      {"quintello", "--numero", "5", "--posizioni", "1234", "--colpi", "3", "--presenze", "5"});
  EXPECT_EQ(positions.out, "# elenco\n" + header + "1\t6\t14/01/2025\t7\t7\t7\t\tBA\tBA" + tail +
                               "2\t1\t02/01/2025\t2\t4\t4\t\tBA\tBA" + tail);
}

// "Fine ricerca" on draw 6: the newest occurrence is the reference draw itself, so its window
// lies in the future ("Estr" red), it is incomplete ("N°" yellow); the window of draw 3
// starts inside the one of draw 1 ("Inizio" green), which is cut ("End" yellow).
TEST_F(CliRunTest, MarksOfTheOccurrenceListInJson) {
  const CliRun result =
      runOnSmall({"--json", "quintello", "--numero", "5", "--gioco", "RO", "--colpi", "3",
                  "--presenze", "5", "--estrazione", "6", "--fine", "--stampa", "elenco"});
  EXPECT_EQ(result.status, 0) << result.err;
  const auto doc = parseJson(result.out);
  ASSERT_TRUE(doc) << result.out;
  const auto& grids = (*doc)["grids"];
  ASSERT_EQ(grids.items.size(), 1u);
  EXPECT_EQ(grids[0]["name"].string, "elenco");
  const auto& rows = grids[0]["rows"];
  ASSERT_EQ(rows.items.size(), 4u);
  ASSERT_EQ(rows[1].items.size(), 19u);

  const auto expectRow = [&](size_t r, std::vector<std::string> texts,
                             std::map<size_t, std::string> backs) {
    SCOPED_TRACE("row " + std::to_string(r));
    const std::map<size_t, std::string> columnBacks = {
        {6, "#c0ffff"}, {7, "#c0ffc0"}, {8, "#ffff80"}};  // Pr, RR, RG on every row
    for (size_t c = 0; c < 19; ++c) {
      SCOPED_TRACE("column " + std::to_string(c));
      const auto& cell = rows[r][c];
      EXPECT_EQ(cell["text"].string, c < texts.size() ? texts[c] : "");
      std::string back = "#ffffff";
      if (columnBacks.count(c)) back = columnBacks.at(c);
      if (backs.count(c)) back = backs.at(c);
      EXPECT_EQ(cell["back"].string, back);
      EXPECT_EQ(cell["fore"].string, "#000000");
      EXPECT_EQ(cell["bold"].boolean, c == 6 || c == 8);
    }
  };
  expectRow(1, {"1", "6", "14/01/2025", "7", "6", "6", "", "BA", "RO"},
            {{0, "#ffff00"}, {1, "#ff0000"}});
  expectRow(2, {"2", "3", "07/01/2025", "4", "6", "6", "", "BA", "RO"}, {{3, "#00ff00"}});
  expectRow(3, {"3", "1", "02/01/2025", "2", "4", "3", "", "BA", "RO"}, {{5, "#ffff00"}});
  EXPECT_EQ((*doc)["labels"]["LBL_NC"]["text"].string, "3");
}

TEST_F(CliRunTest, RefusedActionsWarnButSucceed) {
  const CliRun result = runOnSmall({"quintello", "--numero", "5", "--presenze", "5", "--rimuovi",
                                    "4", "--stampa", "previsioni"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err,
            "quintello-cli: avviso: --rimuovi 4: nessuna previsione con questo numero.\n");
  EXPECT_EQ(result.out, "# previsioni\nN° \tSorte\tEsiti\tET  \t1\t2\t3\t4\t5\t6\t7\n");
}

// Numbers the entry grid lets through (99) and a number stored twice on a wheel: every
// command still runs to its end.
TEST_F(CliRunTest, MalformedNumbersInTheArchive) {
  const std::string odd = work.file("strano.mdb");
  writeArchiveFile(odd, {
                            {"02/01/2025", {{"BA", {5, 99, 5, 0, 0}}}},
                            {"04/01/2025", {{"BA", {99, 2, 3, 4, 5}}}},
                            {"07/01/2025", {{"BA", {1, 99, 99, 99, 99}}}},
                        });
  const CliRun result = run(
      {"--archivio", odd, "quintello", "--numero", "5", "--presenze", "5", "--colpi", "2",
       "--tabellone", "2,5", "--coppia", "1,2", "--verifica", "--elabora", "--coppie", "--stampa",
       "elenco,numeri,previsioni,combinazioni,scoperte,coppie,riepilogo,colpi,ritardi,"
       "ristretto:1,completo:1,dettaglio:1,etichette"});
  EXPECT_EQ(result.status, 0) << result.err;
  // The draw-2 occurrence is listed once although the number 5 is stored twice in draw 1.
  EXPECT_NE(result.out.find("LBL_NC\t2\n"), std::string::npos) << result.out;
}

// Command lines put together at random from valid and invalid pieces: every run ends with
// status 0 (warnings only on stderr) or 2 (one message), never with a crash.
TEST_F(CliRunTest, RandomCommandLinesNeverCrash) {
  // Each option with values it accepts; a flag has none.
  const std::vector<std::pair<std::string, std::vector<std::string>>> options = {
      {"--numero", {"1", "5", "90"}},
      {"--rilevazione", {"ba", "RO"}},
      {"--gioco", {"BA", "NZ"}},
      {"--posizioni", {"135", "2"}},
      {"--colpi", {"1", "3", "20"}},
      {"--presenze", {"5", "100"}},
      {"--estrazione", {"1", "6", "7"}},
      {"--fine", {}},
      {"--numeri", {"1", "2", "7"}},
      {"--seme", {"0", "42"}},
      {"--previsione", {"5", "1,2,3,4,5,6,7", "60,70"}},
      {"--tabellone", {"1,2", "74"}},
      {"--coppia", {"5,60", "1,90"}},
      {"--rimuovi", {"1", "2"}},
      {"--verifica", {}},
      {"--elabora", {}},
      {"--coppie", {}},
      {"--stampa",
       {"elenco,numeri,previsioni,combinazioni,scoperte,coppie,riepilogo,colpi,etichette",
        "ritardi", "ristretto:1", "completo:2", "dettaglio:1", "dettaglio:3"}},
  };
  // Values that fit no option, or not the one they follow.
  const std::vector<std::string> wrong = {
      "0", "91", "TU", "x", "", "-1", "99999999999", "5,5", "1,2,3,4,5,6,7,8", "dettaglio:0"};
  std::uint32_t state = 12345;
  const auto next = [&](size_t bound) {
    state = state * 1103515245u + 12345u;
    return static_cast<size_t>((state >> 8) % bound);
  };
  int succeeded = 0, refused = 0;
  for (int i = 0; i < 60; ++i) {
    std::vector<std::string> args = {"quintello", "--numero", "5"};
    for (size_t n = next(7); n > 0; --n) {
      const auto& [option, valid] = options[next(options.size())];
      args.push_back(option);
      if (next(12) == 0)
        args.push_back(wrong[next(wrong.size())]);
      else if (!valid.empty())
        args.push_back(valid[next(valid.size())]);
    }
    std::string line;
    for (const auto& arg : args) line += arg + " ";
    SCOPED_TRACE(line);
    const CliRun result = runOnSmall(args);
    ASSERT_TRUE(result.status == 0 || result.status == 2) << result.status;
    ++(result.status == 0 ? succeeded : refused);
    if (result.status == 2) {
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(result.err.rfind("quintello-cli: ", 0), 0u);
    } else if (!result.err.empty()) {
      EXPECT_EQ(result.err.rfind("quintello-cli: avviso: ", 0), 0u) << result.err;
    }
  }
  // Both kinds of run were met.
  EXPECT_GE(succeeded, 10);
  EXPECT_GE(refused, 10);
}

}  // namespace
}  // namespace quintello::test
