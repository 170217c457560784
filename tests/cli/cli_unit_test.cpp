// The parts of quintello-cli tested in-process: the command line and the JSON output.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/app.h"
#include "cli/cli_process.h"
#include "cli/grid_output.h"
#include "cli/json.h"
#include "cli/options.h"

namespace quintello::cli {
namespace {

using test::words;

// The options of the window's selection lists take exactly the values the lists offer and
// start from the window's opening values.
TEST(CliOptions, ListsOfTheWindow) {
  struct Listed {
    std::string option;
    const Choice& choice;
    int QuintelloOptions::*field;
  };
  for (const auto& [option, choice, field] :
       {Listed{"--numero", kNumeroCercatoChoice, &QuintelloOptions::numero},
        Listed{"--colpi", kColpiChoice, &QuintelloOptions::colpi},
        Listed{"--presenze", kPresenzeChoice, &QuintelloOptions::presenze},
        Listed{"--numeri", kNumeriCombinazioneChoice, &QuintelloOptions::numeri}}) {
    SCOPED_TRACE(option);
    const auto parsed = [&](int value) {
      return parseOptions(words("quintello " + option + " " + std::to_string(value))).quintello;
    };
    EXPECT_EQ(parseOptions(words("quintello")).quintello.*field, choice.initial);
    EXPECT_EQ(parsed(choice.min).*field, choice.min);
    EXPECT_EQ(parsed(choice.max).*field, choice.max);
    EXPECT_THROW(parsed(choice.min - 1), UsageError);
    EXPECT_THROW(parsed(choice.max + 1), UsageError);
  }
}

// Each accepted command line and what it must set.
TEST(CliOptions, AcceptedLines) {
  using Command = Options::Command;
  const std::vector<std::pair<std::string, bool (*)(const Options&, const QuintelloOptions&)>>
      cases = {
          {"quintello --numero 007 --colpi 3 --colpi 2 --estrazione 1",
           [](auto&, auto& q) { return q.numero == 7 && q.colpi == 2 && q.estrazione == 1; }},
          {"quintello --rilevazione ro --fine --verifica-automatica --seme 0",
           [](auto&, auto& q) {
             return q.rilevazione == 7 && q.giocoOrDetection() == 7 && q.fine &&
                    q.verificaAutomatica && q.seme == 0u;
           }},
          {"quintello --gioco NZ --rilevazione CA --posizioni 51 --seme 18446744073709551615",
           [](auto&, auto& q) {
             return q.rilevazione == 1 && q.giocoOrDetection() == 10 && !q.fine &&
                    q.posizioni == std::array{true, false, false, false, true} &&
                    q.seme == 18446744073709551615u;
           }},
          {"quintello --colpi 99 -h", [](auto& o, auto&) { return o.command == Command::Help; }},
          {"aggiorna agg.txt",
           [](auto& o, auto&) {
             return o.command == Command::Aggiorna &&
                    o.aggiorna == AggiornaOptions{"agg.txt", false, false, std::nullopt};
           }},
          {"--archivio a.mdb aggiorna --applica storico.zip --corregge --json",
           [](auto& o, auto&) {
             return o.archivio == "a.mdb" && o.json &&
                    o.aggiorna == AggiornaOptions{"storico.zip", true, true, std::nullopt};
           }},
          {"aggiorna s.zip --file-aggiornamento out.txt",
           [](auto& o, auto&) { return o.aggiorna.fileAggiornamento == "out.txt"; }},
          {"esporta nazionale naz.txt --archivio a.mdb",
           [](auto& o, auto&) {
             return o.command == Command::Esporta && o.archivio == "a.mdb" &&
                    o.esporta == EsportaOptions{ExportFormat::Nazionale, "naz.txt"};
           }},
          {"scarica --applica --corregge --indirizzo http://127.0.0.1/s.zip --tempo-massimo 5",
           [](auto& o, auto&) {
             return o.command == Command::Scarica &&
                    o.scarica == ScaricaOptions{"http://127.0.0.1/s.zip", true, true, 5};
           }},
          {"esporta zefiral DATI32.III",
           [](auto& o, auto&) { return o.esporta.format == ExportFormat::Zefiral; }},
          {"esporta dati-iii Dati.iii",
           [](auto& o, auto&) { return o.esporta.format == ExportFormat::DatiIii; }},
      };
  for (const auto& [line, holds] : cases) {
    SCOPED_TRACE(line);
    Options options;
    EXPECT_NO_THROW(options = parseOptions(words(line)));
    EXPECT_TRUE(holds(options, options.quintello));
  }
}

// Refused lines exit with status 2, nothing on stdout, and on stderr one Italian message
// (bounded, however long the argument) followed by the pointer to the help.
TEST(CliOptions, RefusedLines) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"",
       "Manca il comando: quintello, info, quadratura, aggiorna, scarica, esporta o statistiche."},
      {"estrai", "Comando sconosciuto: \"estrai\""},
      {"--numero 5 quintello", "Opzione sconosciuta: \"--numero\"."},
      {"quintello --verbose", "Opzione sconosciuta per il comando quintello: \"--verbose\"."},
      {"quintello --numero", "L'opzione --numero richiede un valore."},
      {"quintello --numero 91",
       "--numero: valore \"91\" non valido: serve un numero intero da 1 a 90."},
      {"quintello --numero 1.0", "--numero: valore \"1.0\""},
      {"quadratura 99999999999999999999 1 2 3", "quadratura N1: valore \"99999999999999999999\""},
      {"quintello --rilevazione TU", "--rilevazione: sigla di ruota \"TU\" sconosciuta"},
      {"quintello --posizioni 6", "--posizioni: \"6\" non valido: le posizioni sono le cifre"},
      {"quintello --posizioni 113", "la posizione 1 compare più di una volta."},
      {"quintello --posizioni 123451", "servono da 1 a 5 cifre tra 1 e 5"},
      {"quintello --seme 18446744073709551616", "--seme: valore \"18446744073709551616\""},
      {"quintello --previsione 1,2,3,4,5,6,7,8", "servono da 1 a 7 numeri da 1 a 90"},
      {"quintello --tabellone 1,,3", "--tabellone: valore \"\""},
      {"quintello --previsione 5,5", "--previsione: il numero 5 compare più di una volta."},
      {"quintello --coppia 5", "--coppia: \"5\" non valido: servono 2 numeri"},
      {"quintello --rimuovi 51",
       "--rimuovi: valore \"51\" non valido: serve un numero intero da 1 a 50."},
      {"quintello --stampa elenco,tutto", "--stampa: tabella \"tutto\" sconosciuta"},
      {"quintello --stampa ristretto", "\"ristretto\" richiede il numero di riga"},
      {"quintello --stampa completo:0", "--stampa completo: valore \"0\""},
      {"quintello --stampa elenco:2", "la tabella elenco non prende un numero di riga."},
      {"quintello --archivio ", "--archivio: manca il nome del file."},
      {"info extra", "Il comando info non prende \"extra\"."},
      {"quadratura 1 2 3", "Il comando quadratura prende quattro numeri (N1 N2 N3 N4"},
      {"quadratura 1 2 3 4 5", "prende quattro numeri, non di più."},
      {"quadratura 1 2 3 91",
       "quadratura N4: valore \"91\" non valido: serve un numero intero da 0 a 90."},
      {"statistiche --ruota TU", "--ruota: sigla di ruota \"TU\" sconosciuta"},
      {"statistiche --dal 31/02/2020", "--dal: data \"31/02/2020\" non valida"},
      {"statistiche --al 2020-01-01", "--al: data \"2020-01-01\" non valida"},
      {"statistiche --dal 02/01/2020 --al 01/01/2020",
       "--dal: la data 02/01/2020 viene dopo quella di --al (01/01/2020)."},
      {"statistiche --al", "L'opzione --al richiede un valore."},
      {"statistiche --numero 5", "Opzione sconosciuta per il comando statistiche: \"--numero\"."},

      {"aggiorna", "Il comando aggiorna richiede il file delle estrazioni"},
      {"aggiorna a.txt b.txt", "prende un solo file, non anche \"b.txt\""},
      {"aggiorna a.txt --corregge", "--corregge vale solo insieme ad --applica."},
      {"aggiorna a.txt --file-aggiornamento", "--file-aggiornamento richiede un valore"},
      {"aggiorna a.txt --file-aggiornamento --applica", "--file-aggiornamento: manca il nome"},
      {"aggiorna a.txt --tutto", "Opzione sconosciuta per il comando aggiorna: \"--tutto\""},
      {"scarica --corregge", "--corregge vale solo insieme ad --applica."},
      {"scarica --tempo-massimo 0", "--tempo-massimo"},
      {"scarica agg.txt", "Argomento sconosciuto per il comando scarica: \"agg.txt\""},
      {"esporta", "Il comando esporta prende il formato"},
      {"esporta dati-iii", "Il comando esporta prende il formato"},
      {"esporta dati-iii a b", "Il comando esporta prende il formato"},
      {"esporta ambrosa a", "formato \"ambrosa\" sconosciuto"},
      {"esporta zefiral -x", "esporta: manca il nome del file"},
      {"quintello --colpi " + std::string(100000, '7'), "\"" + std::string(40, '7') + "...\""},
  };
  const std::string help = "\nPer l'elenco dei comandi e delle opzioni: quintello-cli --aiuto\n";
  for (const auto& [line, message] : cases) {
    SCOPED_TRACE(line.substr(0, 60));
    std::ostringstream out, err;
    EXPECT_EQ(runCli(words(line), out, err, "/nessuna-cartella"), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind("quintello-cli: ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    EXPECT_TRUE(err.str().ends_with(help)) << err.str();
    EXPECT_LT(err.str().size(), 300u);
  }
}

// Escapes are the library's; what is ours is that a damaged text (a Latin-1 "è", a cut
// sequence) never makes the document invalid UTF-8: its bytes become U+FFFD.
TEST(Json, DamagedTextStillGivesUtf8) {
  const std::string r = "\xEF\xBF\xBD";
  Grid grid(1, 1, 0, 0);
  grid.setText(0, 0, "a\xE8z \"N°\"\t\xE2\x82");
  EXPECT_EQ(gridsJson({{"g", &grid}}, {}),
            R"({"grids":[{"name":"g","rows":[[{"text":"a)" + r + R"(z \"N°\"\t)" + r +
                R"(","back":"#ffffff","fore":"#000000","bold":false}]]}],"labels":{}})");
}

TEST(Json, GridsWithColoursBoldFloodAndLabels) {
  Grid grid = Grid::withHeader("Colpo|Perc");
  grid.addRow({"1"});
  grid.setBackColor(1, 0, GialloMedio);
  grid.setForeColor(1, 0, kBlue);
  grid.setBold(1, 0, true);
  grid.setFlood(1, 1, Arancio, 100.0 / 3);
  const std::string white = R"("back":"#ffffff","fore":"#000000")";
  EXPECT_EQ(gridsJson({{"colpi", &grid}}, {{"Lbl_T", "12", kGreen, kRed}, {"Label1", "8 \"33\""}}),
            R"({"grids":[{"name":"colpi","rows":[[{"text":"Colpo",)" + white +
                R"(,"bold":false},{"text":"Perc",)" + white + R"(,"bold":false}],)" +
                R"([{"text":"1","back":"#ffff80","fore":"#0000ff","bold":true},{"text":"",)" +
                white +
                R"(,"bold":false,"flood":{"color":"#ff8000","percent":33.333333333333336}}]]}],)" +
                R"("labels":{"Lbl_T":{"text":"12","back":"#00ff00","fore":"#ff0000"},)" +
                R"("Label1":{"text":"8 \"33\"",)" + white + "}}}");
  EXPECT_EQ(gridsJson({}, {}), R"({"grids":[],"labels":{}})");
}

}  // namespace
}  // namespace quintello::cli
