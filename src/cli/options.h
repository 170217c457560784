#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/quintello/limits.h"
#include "cli/maintenance_options.h"
#include "cli/statistics_options.h"

namespace quintello::cli {

// A command line that cannot be run: what() is the Italian message for the user.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An action on the Quintello session, run in the order given after "ELENCO".
struct Action {
  enum class Kind {
    Previsione,  // --previsione A,B,...: add from the combination list
    Tabellone,   // --tabellone A,B,...: add from the number board
    Coppia,      // --coppia A,B: pair add
    Rimuovi,     // --rimuovi N: remove the forecast numbered N
    Verifica,    // --verifica
    Elabora,     // --elabora: combination search
    Coppie,      // --coppie: pair search
  };
  Kind kind;
  std::vector<int> numbers;  // the numbers, or the forecast number for Rimuovi
  friend bool operator==(const Action&, const Action&) = default;
};

// One entry of --stampa.
struct PrintItem {
  enum class Kind {
    Elenco,
    Numeri,
    Previsioni,
    Combinazioni,
    Scoperte,
    Coppie,
    Riepilogo,
    Colpi,
    Ritardi,
    Caso,       // the forecasts against chance
    Ristretto,  // ristretto:K, K = row of the forecast list
    Completo,   // completo:K
    Dettaglio,  // dettaglio:R, R = row of the occurrence list
    Etichette,
  };
  Kind kind;
  int row = 0;       // K or R, 1 or more; 0 for the items without one
  std::string name;  // as printed after "#": "elenco", "ristretto:2"
  friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

// The inputs of the Quintello window and what to do with them; defaults are the window's
// opening defaults.
struct QuintelloOptions {
  int numero = kNumeroCercatoChoice.initial;                    // NumeroCercato
  int rilevazione = kRuotaChoice.initial;                       // RuotaRilevazione
  std::optional<int> gioco;                                     // RuotaGioco; unset = detection
  std::array<bool, kPositions> posizioni = kPosizioniIniziali;  // PosizioniRilevazione
  int colpi = kColpiChoice.initial;
  int presenze = kPresenzeChoice.initial;          // NumPresenze
  std::optional<int> estrazione;                   // EstrazioneCorrente; unset = the last draw
  bool fine = false;                               // "Fine ricerca"
  int numeri = kNumeriCombinazioneChoice.initial;  // NumeriCombinazione
  std::optional<std::uint64_t> seme;               // seed of the random generator
  bool verificaAutomatica = false;                 // "Verifica automatica"
  std::vector<Action> actions;
  std::vector<PrintItem> stampa;  // empty: print "elenco"

  int giocoOrDetection() const { return gioco.value_or(rilevazione); }
};

struct Options {
  enum class Command {
    Help,
    Version,
    Info,
    Quadratura,
    Quintello,
    Aggiorna,
    Scarica,
    Esporta,
    Statistiche
  };
  Command command = Command::Help;
  std::optional<std::string> archivio;
  bool json = false;
  std::array<int, 4> quadratura{};  // N1..N4, 0 = missing corner
  QuintelloOptions quintello;
  AggiornaOptions aggiorna;
  ScaricaOptions scarica;
  EsportaOptions esporta;
  StatisticheOptions statistiche;
};

// Reads the arguments after the program name. Throws UsageError on anything it cannot run:
// an unknown command or option, a missing value, a wheel code, a number or a list out of range.
// The draw index of --estrazione is checked against the archive later (checkDrawIndex).
Options parseOptions(std::span<const std::string> args);

// A whole number min..max written with digits only; what names the option in the message.
int parseNumber(std::string_view text, int min, int max, std::string_view what);
// A whole number among those a selection list of the window offers.
int parseChoice(std::string_view text, const Choice& choice, std::string_view what);
// A list "A,B,..." of count 1..maxCount distinct numbers 1..90.
std::vector<int> parseNumberList(std::string_view text, size_t minCount, size_t maxCount,
                                 std::string_view what);
// A wheel code BA..NZ, any letter case (not TU).
int parseWheel(std::string_view text, std::string_view what);
// Positions as digits 1..5, each at most once ("135").
std::array<bool, kPositions> parsePositions(std::string_view text);
// The items of --stampa, comma separated.
std::vector<PrintItem> parsePrintList(std::string_view text);

// Refuses a draw index outside 1..drawCount.
void checkDrawIndex(int index, int drawCount);

// The usage text printed by --aiuto.
std::string usageText();

}  // namespace quintello::cli
