#include "cli/options.h"

#include <gtest/gtest.h>

#include <functional>

namespace quintello::cli {
namespace {

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < line.size()) {
    const size_t end = line.find(' ', start);
    out.push_back(line.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

Options parse(const std::string& line) { return parseOptions(words(line)); }

TEST(CliOptions, QuintelloDefaultsAreTheWindowsOpeningDefaults) {
  const Options options = parse("quintello");
  EXPECT_EQ(options.command, Options::Command::Quintello);
  EXPECT_FALSE(options.archivio);
  EXPECT_FALSE(options.json);
  const QuintelloOptions& q = options.quintello;
  EXPECT_EQ(q.numero, 1);
  EXPECT_EQ(q.rilevazione, 0);
  EXPECT_EQ(q.giocoOrDetection(), 0);
  EXPECT_EQ(q.posizioni, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_EQ(q.colpi, 12);
  EXPECT_EQ(q.presenze, 12);
  EXPECT_FALSE(q.estrazione);
  EXPECT_FALSE(q.fine);
  EXPECT_EQ(q.numeri, 3);
  EXPECT_FALSE(q.seme);
  EXPECT_FALSE(q.verificaAutomatica);
  EXPECT_TRUE(q.actions.empty());
  EXPECT_TRUE(q.stampa.empty());
}

// Each accepted command line, and the one field it must set.
TEST(CliOptions, AcceptedValues) {
  struct Case {
    std::string line;
    std::function<bool(const Options&)> holds;
  };
  const std::vector<Case> cases = {
      {"quintello --numero 90", [](auto& o) { return o.quintello.numero == 90; }},
      {"quintello --numero 007", [](auto& o) { return o.quintello.numero == 7; }},
      {"quintello --rilevazione ro",
       [](auto& o) { return o.quintello.rilevazione == 7 && o.quintello.giocoOrDetection() == 7; }},
      {"quintello --rilevazione RO --gioco NA",
       [](auto& o) { return o.quintello.rilevazione == 7 && o.quintello.giocoOrDetection() == 5; }},
      {"quintello --gioco NZ --rilevazione CA",
       [](auto& o) {
         return o.quintello.rilevazione == 1 && o.quintello.giocoOrDetection() == 10;
       }},
      {"quintello --posizioni 51",
       [](auto& o) {
         return o.quintello.posizioni == std::array<bool, 5>{true, false, false, false, true};
       }},
      {"quintello --colpi 1", [](auto& o) { return o.quintello.colpi == 1; }},
      {"quintello --colpi 20", [](auto& o) { return o.quintello.colpi == 20; }},
      {"quintello --presenze 5", [](auto& o) { return o.quintello.presenze == 5; }},
      {"quintello --presenze 100", [](auto& o) { return o.quintello.presenze == 100; }},
      {"quintello --numeri 7", [](auto& o) { return o.quintello.numeri == 7; }},
      {"quintello --estrazione 1", [](auto& o) { return o.quintello.estrazione == 1; }},
      {"quintello --fine --verifica-automatica",
       [](auto& o) { return o.quintello.fine && o.quintello.verificaAutomatica; }},
      {"quintello --seme 0", [](auto& o) { return o.quintello.seme == 0u; }},
      {"quintello --seme 18446744073709551615",
       [](auto& o) { return o.quintello.seme == 18446744073709551615u; }},
      {"quintello --colpi 3 --colpi 9", [](auto& o) { return o.quintello.colpi == 9; }},
      {"--json --archivio a.mdb quintello",
       [](auto& o) { return o.json && o.archivio == "a.mdb"; }},
      {"quintello --archivio b.mdb --json",
       [](auto& o) { return o.json && o.archivio == "b.mdb"; }},
      {"info", [](auto& o) { return o.command == Options::Command::Info && !o.json; }},
      {"info --json", [](auto& o) { return o.command == Options::Command::Info && o.json; }},
      {"--aiuto", [](auto& o) { return o.command == Options::Command::Help; }},
      {"quintello --colpi 99 --aiuto", [](auto& o) { return o.command == Options::Command::Help; }},
      {"quadratura 1 90 0 45",
       [](auto& o) {
         return o.command == Options::Command::Quadratura &&
                o.quadratura == std::array<int, 4>{1, 90, 0, 45};
       }},
  };
  for (const auto& [line, holds] : cases) {
    SCOPED_TRACE(line);
    try {
      EXPECT_TRUE(holds(parse(line)));
    } catch (const UsageError& failure) {
      ADD_FAILURE() << "refused: " << failure.what();
    }
  }
}

TEST(CliOptions, ActionsKeepTheirOrder) {
  const Options options = parse(
      "quintello --elabora --previsione 5,17,62 --tabellone 90,1 --coppia 3,4 --rimuovi 2 "
      "--verifica --coppie --previsione 9");
  const std::vector<Action> expected = {
      {Action::Kind::Elabora, {}},        {Action::Kind::Previsione, {5, 17, 62}},
      {Action::Kind::Tabellone, {90, 1}}, {Action::Kind::Coppia, {3, 4}},
      {Action::Kind::Rimuovi, {2}},       {Action::Kind::Verifica, {}},
      {Action::Kind::Coppie, {}},         {Action::Kind::Previsione, {9}},
  };
  EXPECT_EQ(options.quintello.actions, expected);
}

TEST(CliOptions, PrintListsAddUpInOrder) {
  const Options options =
      parse("quintello --stampa elenco,ristretto:2 --stampa etichette,dettaglio:12,colpi");
  const std::vector<PrintItem> expected = {
      {PrintItem::Kind::Elenco, 0, "elenco"},
      {PrintItem::Kind::Ristretto, 2, "ristretto:2"},
      {PrintItem::Kind::Etichette, 0, "etichette"},
      {PrintItem::Kind::Dettaglio, 12, "dettaglio:12"},
      {PrintItem::Kind::Colpi, 0, "colpi"},
  };
  EXPECT_EQ(options.quintello.stampa, expected);
  const auto all = parsePrintList(
      "elenco,numeri,previsioni,combinazioni,scoperte,coppie,riepilogo,colpi,ritardi,"
      "ristretto:1,completo:01,dettaglio:3,etichette");
  ASSERT_EQ(all.size(), 13u);
  EXPECT_EQ(all[10].name, "completo:1");  // the row as a number
  EXPECT_EQ(all[10].row, 1);
}

// Every refused command line and a piece of the message the user gets.
TEST(CliOptions, RefusedCommandLines) {
  struct Case {
    std::string line;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"", "Manca il comando"},
      {"--json", "Manca il comando"},
      {"estrai", "Comando sconosciuto: \"estrai\""},
      {"--numero 5 quintello", "Opzione sconosciuta: \"--numero\""},
      {"quintello --verbose", "Opzione sconosciuta per il comando quintello: \"--verbose\""},
      {"quintello --numero", "L'opzione --numero richiede un valore"},
      {"quintello --numero 0",
       "--numero: valore \"0\" non valido: serve un numero intero da 1 a 90"},
      {"quintello --numero 91", "da 1 a 90"},
      {"quintello --numero -1", "\"-1\""},
      {"quintello --numero +1", "\"+1\""},
      {"quintello --numero 1.0", "\"1.0\""},
      {"quintello --numero 12x", "\"12x\""},
      {"quintello --numero 99999999999999999999", "serve un numero intero da 1 a 90"},
      {"quintello --colpi 0", "--colpi: valore \"0\" non valido: serve un numero intero da 1 a 20"},
      {"quintello --colpi 21", "da 1 a 20"},
      {"quintello --presenze 4",
       "--presenze: valore \"4\" non valido: serve un numero intero da 5 a 100"},
      {"quintello --presenze 101", "da 5 a 100"},
      {"quintello --numeri 0",
       "--numeri: valore \"0\" non valido: serve un numero intero da 1 a 7"},
      {"quintello --numeri 8", "da 1 a 7"},
      {"quintello --estrazione 0", "--estrazione: valore \"0\""},
      {"quintello --rilevazione XX", "--rilevazione: sigla di ruota \"XX\" sconosciuta"},
      {"quintello --rilevazione TU", "sigla di ruota \"TU\" sconosciuta"},
      {"quintello --gioco B", "--gioco: sigla di ruota \"B\""},
      {"quintello --posizioni 0", "le posizioni sono le cifre da 1 a 5"},
      {"quintello --posizioni 6", "le posizioni sono le cifre da 1 a 5"},
      {"quintello --posizioni 1,2", "le posizioni sono le cifre da 1 a 5"},
      {"quintello --posizioni 113", "la posizione 1 compare più di una volta"},
      {"quintello --posizioni 123451", "servono da 1 a 5 cifre"},
      {"quintello --seme -3", "--seme: valore \"-3\""},
      {"quintello --seme 18446744073709551616", "--seme"},
      {"quintello --previsione 1,2,3,4,5,6,7,8", "servono da 1 a 7 numeri"},
      {"quintello --previsione 1,,3", "--previsione: valore \"\""},
      {"quintello --previsione 5,91", "--previsione: valore \"91\""},
      {"quintello --previsione 5,5", "il numero 5 compare più di una volta"},
      {"quintello --tabellone 0", "--tabellone: valore \"0\""},
      {"quintello --coppia 5", "servono 2 numeri"},
      {"quintello --coppia 5,6,7", "servono 2 numeri"},
      {"quintello --coppia 8,8", "il numero 8 compare più di una volta"},
      {"quintello --rimuovi 0",
       "--rimuovi: valore \"0\" non valido: serve un numero intero da 1 a 50"},
      {"quintello --rimuovi 51", "da 1 a 50"},
      {"quintello --stampa tutto", "--stampa: tabella \"tutto\" sconosciuta"},
      {"quintello --stampa elenco,", "--stampa: tabella \"\" sconosciuta"},
      {"quintello --stampa ristretto", "\"ristretto\" richiede il numero di riga"},
      {"quintello --stampa completo:0", "--stampa completo: valore \"0\""},
      {"quintello --stampa dettaglio:a", "--stampa dettaglio: valore \"a\""},
      {"quintello --stampa elenco:2", "la tabella elenco non prende un numero di riga"},
      {"quintello --archivio", "L'opzione --archivio richiede un valore"},
      {"info extra", "Il comando info non prende \"extra\""},
      {"quadratura 1 2 3", "prende quattro numeri"},
      {"quadratura 1 2 3 4 5", "quattro numeri, non di più"},
      {"quadratura 1 2 3 91",
       "quadratura N4: valore \"91\" non valido: serve un numero intero da 0 a 90"},
      {"quadratura a 2 3 4", "quadratura N1: valore \"a\""},
  };
  for (const auto& [line, message] : cases) {
    SCOPED_TRACE(line);
    try {
      parse(line);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& failure) {
      EXPECT_NE(std::string(failure.what()).find(message), std::string::npos) << failure.what();
    }
  }
}

TEST(CliOptions, EmptyValuesAreRefused) {
  for (const char* option : {"--gioco", "--numero", "--posizioni", "--stampa", "--archivio"}) {
    SCOPED_TRACE(option);
    EXPECT_THROW(parseOptions(std::vector<std::string>{"quintello", option, ""}), UsageError);
  }
}

TEST(CliOptions, LongArgumentsAreCutInMessages) {
  const std::string huge(100000, '7');
  try {
    parseOptions(std::vector<std::string>{"quintello", "--colpi", huge});
    FAIL() << "accepted";
  } catch (const UsageError& failure) {
    EXPECT_LT(std::string(failure.what()).size(), 200u);
    EXPECT_NE(std::string(failure.what()).find("77777...\""), std::string::npos);
  }
}

TEST(CliOptions, DrawIndexAgainstTheArchive) {
  EXPECT_NO_THROW(checkDrawIndex(1, 10));
  EXPECT_NO_THROW(checkDrawIndex(10, 10));
  EXPECT_THROW(checkDrawIndex(11, 10), UsageError);
  EXPECT_THROW(checkDrawIndex(0, 10), UsageError);
  try {
    checkDrawIndex(11, 10);
  } catch (const UsageError& failure) {
    EXPECT_STREQ(failure.what(),
                 "--estrazione: l'estrazione 11 non è nell'archivio, che va da 1 a 10.");
  }
}

}  // namespace
}  // namespace quintello::cli
