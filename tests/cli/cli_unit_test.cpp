// The parts of quintello-cli tested in-process: the command line and the JSON output.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/app.h"
#include "cli/cli_process.h"
#include "cli/grid_output.h"
#include "cli/options.h"

namespace quintello::cli {
namespace {

using test::words;

// Leading zeros, the last of a repeated option, letter case, the game wheel defaulting to the
// detection one, the largest seed, help anywhere (the other commands' options: the runs).
TEST(CliOptions, AcceptedLines) {
  const auto parsed = [](const std::string& line) { return parseOptions(words(line)); };
  auto q = parsed(
               "quintello --numero 007 --colpi 3 --colpi 2 --estrazione 1 --rilevazione ro "
               "--fine --verifica-automatica --seme 0")
               .quintello;
  EXPECT_TRUE(q.numero == 7 && q.colpi == 2 && q.estrazione == 1 && q.giocoOrDetection() == 7 &&
              q.fine && q.verificaAutomatica && q.seme == 0u);
  constexpr std::array kFirstAndFifth{true, false, false, false, true};
  q = parsed("quintello --gioco NZ --rilevazione CA --posizioni 51 --seme 18446744073709551615")
          .quintello;
  EXPECT_TRUE(q.rilevazione == 1 && q.giocoOrDetection() == 10 && q.posizioni == kFirstAndFifth &&
              q.seme == 18446744073709551615u);
  EXPECT_EQ(parsed("quintello --colpi 99 -h").command, Options::Command::Help);
}

// Refused lines (cases/refused_lines.txt) exit with status 2, nothing on stdout, and on stderr
// one Italian message, bounded however long the argument, and the pointer to the help.
TEST(CliOptions, RefusedLines) {
  auto cases = test::caseRows("cli/cases/refused_lines.txt");
  cases.push_back(
      {"quintello --colpi " + std::string(100000, '7'), "\"" + std::string(40, '7') + "...\""});
  const std::string help = "\nPer l'elenco dei comandi e delle opzioni: quintello-cli --aiuto\n";
  for (const auto& row : cases) {
    const std::string &line = row.at(0), &message = row.at(1);
    SCOPED_TRACE(line.substr(0, 60));
    std::ostringstream out, err;
    EXPECT_EQ(runCli(words(line), out, err, "/nessuna-cartella"), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(err.str().starts_with("quintello-cli: ") && err.str().ends_with(help) &&
                err.str().find(message) != std::string::npos && err.str().size() < 300)
        << err.str();
  }
}

// Colours, bold, flood bars and labels; a damaged text (a Latin-1 "è", a cut sequence) never
// makes the document invalid UTF-8: its bytes become U+FFFD.
TEST(Json, GridsAndLabels) {
  Grid grid = Grid::withHeader("a\xE8z \"N°\"\t\xE2\x82|Perc");
  grid.addRow({"1"});
  grid.setBackColor(1, 0, GialloMedio);
  grid.setForeColor(1, 0, kBlue);
  grid.setBold(1, 0, true);
  grid.setFlood(1, 1, Arancio, 100.0 / 3);
  const std::string white = R"("back":"#ffffff","fore":"#000000")", r = "\xEF\xBF\xBD";
  EXPECT_EQ(gridsJson({{"colpi", &grid}}, {{"Lbl_T", "12", kGreen, kRed}, {"Label1", "8"}}),
            R"({"grids":[{"name":"colpi","rows":[[{"text":"a)" + r + R"(z \"N°\"\t)" + r + R"(",)" +
                white + R"(,"bold":false},{"text":"Perc",)" + white +
                R"(,"bold":false}],[{"text":"1","back":"#ffff80","fore":"#0000ff","bold":true},)" +
                R"({"text":"",)" + white +
                R"(,"bold":false,"flood":{"color":"#ff8000","percent":33.333333333333336}}]]}],)" +
                R"("labels":{"Lbl_T":{"text":"12","back":"#00ff00","fore":"#ff0000"},)" +
                R"("Label1":{"text":"8",)" + white + "}}}");
}

}  // namespace
}  // namespace quintello::cli
