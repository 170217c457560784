// quintello-cli aggiorna, scarica and esporta run as processes on a small archive, an update
// file, the official archive's text and its zip.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "archive/draw_file.h"
#include "archive/exports.h"
#include "archive/update_file.h"
#include "cli/archive_source.h"
#include "cli/cli_process.h"
#include "support/local_http_server.h"
#include "support/zip_writer.h"

namespace quintello::test {
namespace {

// An update line with the given wheel groups, the others blank.
std::string updateLine(const std::string& iso, const std::string& bari,
                       const std::string& milano = "") {
  StoredDraw draw{iso, {}};
  draw.wheels[0] = bari;
  draw.wheels[4] = milano;
  return updateLineText(draw) + "\r\n";
}

// The archive lacks the draw of 07/01/2025, and its draw of 04/01/2025 is wrong on Milano.
const std::string kFound =
    "# controllo\nManca estrazione del: 07/01/2025\nErrori Estrazione del 04/01/2025\n";
const std::string kAdded =
    "# aggiornamento\nAggiunta estrazione del07/01/2025\naggiunti N° 1 record\n"
    "Dati salvati correttamente.\n";

class CliUpdateRun : public ::testing::Test {
 protected:
  void SetUp() override {
    writeArchiveFile(archive,
                     {{"02/01/2025", {{"BA", {1, 2, 3, 4, 5}}, {"MI", {11, 12, 13, 14, 15}}}},
                      {"04/01/2025", {{"BA", {6, 7, 8, 9, 10}}, {"MI", {1, 2, 3, 4, 5}}}}});
    writeFile(update, updateLine("2025-01-02", "01-02-03-04-05", "11-12-13-14-15") +
                          updateLine("2025-01-04", "06-07-08-09-10", "01-02-03-04-06") +
                          updateLine("2025-01-07", "41-42-43-44-45", "46-47-48-49-50"));
    // The same draws as the official archive gives them.
    const std::string storicoText =
        "2025/01/02\tBA\t1\t2\t3\t4\t5\n2025/01/02\tMI\t11\t12\t13\t14\t15\n"
        "2025/01/04\tBA\t6\t7\t8\t9\t10\n2025/01/04\tMI\t1\t2\t3\t4\t6\n"
        "2025/01/07\tBA\t41\t42\t43\t44\t45\n2025/01/07\tMI\t46\t47\t48\t49\t50\n";
    writeFile(storico, storicoText);
    ASSERT_TRUE(writeZip(storicoZip, {{"storico.txt", storicoText}}));
  }

  void expectRun(const std::string& line, int status, const std::string& out,
                 const std::string& err = "") {
    SCOPED_TRACE(line);
    const CliRun result = runCliProcess(words(line), programFolder.path());
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.out, out);
    EXPECT_NE(result.err.find(err), std::string::npos) << result.err;
  }

  TempDir work, programFolder;
  const std::string archive = work.file("archivio.mdb"), update = work.file("agg.txt");
  const std::string storico = work.file("storico.txt"), storicoZip = work.file("storico.zip");
  const std::string small = "--archivio " + archive + " aggiorna ";
};

// The check alone never writes; a file with a line that is no draw stores nothing; --applica
// adds the missing draw; --corregge also rewrites the wrong one. The update file, the text and
// the zip say the same; the zip also becomes an update file that reads the same.
TEST_F(CliUpdateRun, CheckThenApplyThenCorrect) {
  const std::string before = readFile(archive), badLine = work.file("riga00.txt");
  for (const auto& file : {update, storico, storicoZip}) expectRun(small + file, 0, kFound);
  writeFile(badLine, readFile(update) + updateLine("2025-01-09", "00-02-03-04-05"));
  expectRun(small + badLine + " --applica", 2,
            "# controllo\nRiga 4 non valida: i numeri di Bari non sono validi\n" +
                kFound.substr(12) +
                "# aggiornamento\nIl file contiene una riga non valida (vedere l'elenco): "
                "nessuna estrazione è stata salvata.\n",
            "nessuna estrazione è stata salvata");
  EXPECT_EQ(readFile(archive), before);
  const std::string written = work.file("scritto.txt");
  expectRun(small + storicoZip + " --file-aggiornamento " + written, 0,
            kFound + "# file-aggiornamento\n3 estrazioni scritte in " + written + "\n");
  EXPECT_EQ(readFile(written), readFile(update));
  EXPECT_FALSE(readDrawFile(written).wrongForm);
  expectRun(small + written + " --applica", 0, kFound + kAdded);
  expectRun(small + update + " --applica", 0,
            "# controllo\nErrori Estrazione del 04/01/2025\n# aggiornamento\n");
  expectRun(small + update + " --corregge --applica", 0,
            "# controllo\nErrori Estrazione del 04/01/2025\n# aggiornamento\n"
            "Modificata estrazione del04/01/2025\n");
  expectRun(small + storico, 0, "# controllo\nNessuna anomalia rilevata\n");
  // Without --archivio and without a program database: the bundled draws.
  expectRun(std::string("aggiorna ") + QUINTELLO_TEST_BUNDLED_DRAWS, 0,
            "# controllo\nNessuna anomalia rilevata\n");
}

TEST_F(CliUpdateRun, JsonReport) {
  expectRun("--json " + small + update + " --applica", 0,
            R"({"archivio":")" + archive + R"(","file":")" + update +
                R"(","controllo":["Manca estrazione del: 07/01/2025",)"
                R"("Errori Estrazione del 04/01/2025"],"aggiornamento":{"messaggi":)"
                R"(["Aggiunta estrazione del07/01/2025","aggiunti N° 1 record"],)"
                R"("aggiunte":["07/01/2025"],"modificate":[],)"
                R"("avviso":"Dati salvati correttamente."},"file_aggiornamento":null})"
                "\n");
}

// Each refusal: status 2, nothing on stdout, the archive untouched.
TEST_F(CliUpdateRun, Refusals) {
  const std::string wrongForm = work.file("corto.txt");
  writeFile(wrongForm, updateLine("2025-01-07", "41-42-43-44-45").substr(0, 177) + "\n");
  const std::string before = readFile(archive);
  const std::tuple<std::string, std::string> cases[] = {
      {small + wrongForm, "Attenzione, sembra che il file non sia del formato corretto"},
      {small + work.file("manca.txt"), "manca.txt\": il file non esiste."},
      {"--archivio " + work.file("manca.mdb") + " aggiorna " + update, "il file non esiste"},
      // Without a program database the archive would be the bundled draws file: no writing.
      {"aggiorna " + update + " --applica", "--applica: il programma non ha ancora un archivio"},
      {"--archivio " + archive + " esporta dati-iii " + work.file("manca/Dati.iii"),
       "Dati.iii\": la cartella di destinazione non esiste."},
      // The archive itself is never replaced by an export or an update file.
      {"--archivio " + archive + " esporta nazionale " + archive, "è un file in uso dal programma"},
      {small + update + " --file-aggiornamento " + archive, "è un file in uso dal programma"},
  };
  for (const auto& [line, message] : cases) expectRun(line, 2, "", message);
  EXPECT_EQ(readFile(archive), before);
}

// scarica from a local server: the download checked as aggiorna checks it, a failure an
// Italian sentence and status 2, the archive untouched until --applica.
TEST_F(CliUpdateRun, ScaricaFromALocalServer) {
  LocalHttpServer server;
  server.serveBody("/storico.zip", readFile(storicoZip));
  server.serveTrickle("/lento.zip", readFile(storicoZip), std::chrono::milliseconds(300));
  const std::string before = readFile(archive);
  const std::string scarica = "--archivio " + archive + " scarica --indirizzo ";
  expectRun(scarica + server.url("/storico.zip"), 0, kFound);
  expectRun(scarica + server.url("/manca.zip"), 2, "", "l'errore 404: file non trovato.");
  expectRun(scarica + server.url("/lento.zip") + " --tempo-massimo 1", 2, "",
            "non si è concluso entro 1 secondo.");
  EXPECT_EQ(readFile(archive), before);
  expectRun(scarica + server.url("/storico.zip") + " --applica", 0, kFound + kAdded);
}

// Each export writes the bytes of the tab's export of the same archive.
TEST_F(CliUpdateRun, ExportsAreTheTabsBytes) {
  const auto loaded = cli::loadProgramArchive(archive, "/nessuna-cartella");
  for (const auto& [name, format] :
       {std::pair{"dati-iii", ExportFormat::DatiIii}, std::pair{"zefiral", ExportFormat::Zefiral},
        std::pair{"nazionale", ExportFormat::Nazionale}}) {
    const std::string byCli = work.file(std::string(name) + ".cli");
    const std::string byTab = work.file(std::string(name) + ".tab");
    NoProgress none;
    exportArchive(format, loaded.archive, byTab, none);
    expectRun("--archivio " + archive + " esporta " + name + " " + byCli, 0,
              "Archivio\t" + archive + "\nFormato\t" + name + "\nFile\t" + byCli +
                  "\nEstrazioni\t2\nByte\t" + std::to_string(std::filesystem::file_size(byTab)) +
                  "\n");
    EXPECT_EQ(readFile(byCli), readFile(byTab));
  }
}

}  // namespace
}  // namespace quintello::test
