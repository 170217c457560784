#include "cli/options.h"

#include <algorithm>
#include <charconv>

#include "core/wheels.h"

namespace quintello::cli {

namespace {

// Longest digit string read as a number: enough for any index, short enough to never
// overflow an int before the range check.
constexpr size_t kMaxDigits = 9;
constexpr int kMaxDrawIndex = 999'999'999;

std::string quoted(std::string_view text) {
  // Bounded, so that a huge argument does not flood the message.
  constexpr size_t kShown = 40;
  std::string shown(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  return "\"" + shown + "\"";
}

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

[[noreturn]] void badNumber(std::string_view text, int min, int max, std::string_view what) {
  throw UsageError(std::string(what) + ": valore " + quoted(text) +
                   " non valido: serve un numero intero da " + std::to_string(min) + " a " +
                   std::to_string(max) + ".");
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::uint64_t parseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  const auto* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, seed);
  if (!allDigits(text) || result.ec != std::errc() || result.ptr != end)
    throw UsageError("--seme: valore " + quoted(text) +
                     " non valido: serve un numero intero da 0 a 18446744073709551615.");
  return seed;
}

// The arguments one by one, with the value of an option taken from the next argument.
class Arguments {
 public:
  explicit Arguments(std::span<const std::string> args) : args_(args) {}
  bool done() const { return next_ >= args_.size(); }
  const std::string& take() { return args_[next_++]; }
  const std::string& valueOf(const std::string& option) {
    if (done()) throw UsageError("L'opzione " + option + " richiede un valore.");
    return take();
  }

 private:
  std::span<const std::string> args_;
  size_t next_ = 0;
};

bool isHelp(std::string_view arg) { return arg == "--aiuto" || arg == "-h" || arg == "--help"; }

// Options shared by every command; true when arg was one of them.
bool takeGlobal(const std::string& arg, Arguments& in, Options& options) {
  if (arg == "--archivio") {
    const std::string& path = in.valueOf(arg);
    if (path.empty()) throw UsageError("--archivio: manca il nome del file.");
    options.archivio = path;
    return true;
  }
  if (arg == "--json") {
    options.json = true;
    return true;
  }
  return false;
}

void parseQuintello(Arguments& in, Options& options) {
  QuintelloOptions& q = options.quintello;
  while (!in.done()) {
    const std::string& arg = in.take();
    if (takeGlobal(arg, in, options)) continue;
    if (arg == "--numero") {
      q.numero = parseChoice(in.valueOf(arg), kNumeroCercatoChoice, arg);
    } else if (arg == "--rilevazione") {
      q.rilevazione = parseWheel(in.valueOf(arg), arg);
    } else if (arg == "--gioco") {
      q.gioco = parseWheel(in.valueOf(arg), arg);
    } else if (arg == "--posizioni") {
      q.posizioni = parsePositions(in.valueOf(arg));
    } else if (arg == "--colpi") {
      q.colpi = parseChoice(in.valueOf(arg), kColpiChoice, arg);
    } else if (arg == "--presenze") {
      q.presenze = parseChoice(in.valueOf(arg), kPresenzeChoice, arg);
    } else if (arg == "--estrazione") {
      q.estrazione = parseNumber(in.valueOf(arg), 1, kMaxDrawIndex, arg);
    } else if (arg == "--fine") {
      q.fine = true;
    } else if (arg == "--numeri") {
      q.numeri = parseChoice(in.valueOf(arg), kNumeriCombinazioneChoice, arg);
    } else if (arg == "--seme") {
      q.seme = parseSeed(in.valueOf(arg));
    } else if (arg == "--verifica-automatica") {
      q.verificaAutomatica = true;
    } else if (arg == "--previsione") {
      q.actions.push_back(
          {Action::Kind::Previsione, parseNumberList(in.valueOf(arg), 1, kNumeriPrevisione, arg)});
    } else if (arg == "--tabellone") {
      q.actions.push_back(
          {Action::Kind::Tabellone, parseNumberList(in.valueOf(arg), 1, kNumeriPrevisione, arg)});
    } else if (arg == "--coppia") {
      q.actions.push_back({Action::Kind::Coppia, parseNumberList(in.valueOf(arg), 2, 2, arg)});
    } else if (arg == "--rimuovi") {
      q.actions.push_back(
          {Action::Kind::Rimuovi, {parseNumber(in.valueOf(arg), 1, kMaxNumeroPrevisione, arg)}});
    } else if (arg == "--verifica") {
      q.actions.push_back({Action::Kind::Verifica, {}});
    } else if (arg == "--elabora") {
      q.actions.push_back({Action::Kind::Elabora, {}});
    } else if (arg == "--coppie") {
      q.actions.push_back({Action::Kind::Coppie, {}});
    } else if (arg == "--stampa") {
      const auto items = parsePrintList(in.valueOf(arg));
      q.stampa.insert(q.stampa.end(), items.begin(), items.end());
    } else {
      throw UsageError("Opzione sconosciuta per il comando quintello: " + quoted(arg) + ".");
    }
  }
}

}  // namespace

int parseNumber(std::string_view text, int min, int max, std::string_view what) {
  if (!allDigits(text) || text.size() > kMaxDigits) badNumber(text, min, max, what);
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (value < min || value > max) badNumber(text, min, max, what);
  return value;
}

int parseChoice(std::string_view text, const Choice& choice, std::string_view what) {
  return parseNumber(text, choice.min, choice.max, what);
}

std::vector<int> parseNumberList(std::string_view text, size_t minCount, size_t maxCount,
                                 std::string_view what) {
  const auto parts = split(text, ',');
  if (parts.size() < minCount || parts.size() > maxCount) {
    const std::string count =
        minCount == maxCount ? std::to_string(minCount)
                             : "da " + std::to_string(minCount) + " a " + std::to_string(maxCount);
    throw UsageError(std::string(what) + ": " + quoted(text) + " non valido: servono " + count +
                     " numeri da 1 a " + std::to_string(kHighestNumber) + " separati da virgole.");
  }
  std::vector<int> numbers;
  for (const auto part : parts) {
    const int n = parseNumber(part, 1, kHighestNumber, what);
    if (std::find(numbers.begin(), numbers.end(), n) != numbers.end())
      throw UsageError(std::string(what) + ": il numero " + std::to_string(n) +
                       " compare più di una volta.");
    numbers.push_back(n);
  }
  return numbers;
}

int parseWheel(std::string_view text, std::string_view what) {
  const auto index = wheelIndex(text);
  if (!index || *index >= kWheelCount)
    throw UsageError(std::string(what) + ": sigla di ruota " + quoted(text) +
                     " sconosciuta: usare BA, CA, FI, GE, MI, NA, PA, RO, TO, VE o NZ.");
  return *index;
}

std::array<bool, kPositions> parsePositions(std::string_view text) {
  std::array<bool, kPositions> positions{};
  const std::string last = std::to_string(kPositions);
  const auto refuse = [&](const std::string& why) {
    throw UsageError("--posizioni: " + quoted(text) + " non valido: " + why);
  };
  if (text.empty() || text.size() > positions.size())
    refuse("servono da 1 a " + last + " cifre tra 1 e " + last + ", per esempio 135.");
  for (const char c : text) {
    const int position = c - '0';
    if (position < 1 || position > kPositions)
      refuse("le posizioni sono le cifre da 1 a " + last + ", per esempio 135.");
    bool& ticked = positions[static_cast<size_t>(position - 1)];
    if (ticked) refuse(std::string("la posizione ") + c + " compare più di una volta.");
    ticked = true;
  }
  return positions;
}

std::vector<PrintItem> parsePrintList(std::string_view text) {
  struct Named {
    std::string_view name;
    PrintItem::Kind kind;
    bool withRow;
  };
  static constexpr Named kItems[] = {
      {"elenco", PrintItem::Kind::Elenco, false},
      {"numeri", PrintItem::Kind::Numeri, false},
      {"previsioni", PrintItem::Kind::Previsioni, false},
      {"combinazioni", PrintItem::Kind::Combinazioni, false},
      {"scoperte", PrintItem::Kind::Scoperte, false},
      {"coppie", PrintItem::Kind::Coppie, false},
      {"riepilogo", PrintItem::Kind::Riepilogo, false},
      {"colpi", PrintItem::Kind::Colpi, false},
      {"ritardi", PrintItem::Kind::Ritardi, false},
      {"caso", PrintItem::Kind::Caso, false},
      {"ristretto", PrintItem::Kind::Ristretto, true},
      {"completo", PrintItem::Kind::Completo, true},
      {"dettaglio", PrintItem::Kind::Dettaglio, true},
      {"etichette", PrintItem::Kind::Etichette, false},
  };
  std::vector<PrintItem> items;
  for (const auto part : split(text, ',')) {
    const size_t colon = part.find(':');
    const std::string_view name = part.substr(0, colon);
    const auto* named = std::find_if(std::begin(kItems), std::end(kItems),
                                     [&](const Named& item) { return item.name == name; });
    if (named == std::end(kItems))
      throw UsageError(
          "--stampa: tabella " + quoted(part) +
          " sconosciuta: usare elenco, numeri, previsioni, combinazioni, scoperte, "
          "coppie, riepilogo, colpi, ritardi, caso, ristretto:K, completo:K, dettaglio:R "
          "o etichette.");
    PrintItem item{named->kind, 0, std::string(name)};
    if (named->withRow) {
      if (colon == std::string_view::npos)
        throw UsageError("--stampa: " + quoted(part) + " richiede il numero di riga, per esempio " +
                         std::string(name) + ":1.");
      item.row = parseNumber(part.substr(colon + 1), 1, kMaxDrawIndex, "--stampa " + item.name);
      item.name += ":" + std::to_string(item.row);
    } else if (colon != std::string_view::npos) {
      throw UsageError("--stampa: la tabella " + std::string(name) +
                       " non prende un numero di riga.");
    }
    items.push_back(std::move(item));
  }
  return items;
}

void checkDrawIndex(int index, int drawCount) {
  if (index < 1 || index > drawCount)
    throw UsageError("--estrazione: l'estrazione " + std::to_string(index) +
                     " non è nell'archivio, che va da 1 a " + std::to_string(drawCount) + ".");
}

Options parseOptions(std::span<const std::string> args) {
  Options options;
  // A request for help wins over everything else on the line, mistakes included.
  if (std::any_of(args.begin(), args.end(), [](const std::string& arg) { return isHelp(arg); }))
    return options;
  if (std::find(args.begin(), args.end(), "--version") != args.end()) {
    options.command = Options::Command::Version;
    return options;
  }
  Arguments in(args);
  while (!in.done()) {
    const std::string& arg = in.take();
    if (takeGlobal(arg, in, options)) continue;
    if (arg == "info") {
      options.command = Options::Command::Info;
      while (!in.done()) {
        const std::string& rest = in.take();
        if (!takeGlobal(rest, in, options))
          throw UsageError("Il comando info non prende " + quoted(rest) + ".");
      }
      return options;
    }
    if (arg == "quadratura") {
      options.command = Options::Command::Quadratura;
      size_t corner = 0;
      while (!in.done()) {
        const std::string& rest = in.take();
        if (takeGlobal(rest, in, options)) continue;
        if (corner == options.quadratura.size())
          throw UsageError("Il comando quadratura prende quattro numeri, non di più.");
        options.quadratura[corner] =
            parseNumber(rest, 0, kHighestNumber, "quadratura N" + std::to_string(corner + 1));
        ++corner;
      }
      if (corner < options.quadratura.size())
        throw UsageError(
            "Il comando quadratura prende quattro numeri (N1 N2 N3 N4, 0 per un "
            "angolo vuoto).");
      return options;
    }
    if (arg == "quintello") {
      options.command = Options::Command::Quintello;
      parseQuintello(in, options);
      return options;
    }
    if (arg == "aggiorna" || arg == "scarica" || arg == "esporta" || arg == "statistiche") {
      std::vector<std::string> rest;  // the command's own arguments
      while (!in.done()) {
        const std::string& next = in.take();
        if (!takeGlobal(next, in, options)) rest.push_back(next);
      }
      if (arg == "aggiorna") {
        options.command = Options::Command::Aggiorna;
        options.aggiorna = parseAggiorna(rest);
      } else if (arg == "scarica") {
        options.command = Options::Command::Scarica;
        options.scarica = parseScarica(rest);
      } else if (arg == "esporta") {
        options.command = Options::Command::Esporta;
        options.esporta = parseEsporta(rest);
      } else {
        options.command = Options::Command::Statistiche;
        options.statistiche = parseStatistiche(rest);
      }
      return options;
    }
    if (arg.starts_with("-")) throw UsageError("Opzione sconosciuta: " + quoted(arg) + ".");
    throw UsageError(
        "Comando sconosciuto: " + quoted(arg) +
        " (i comandi sono quintello, info, quadratura, aggiorna, scarica, esporta e statistiche).");
  }
  throw UsageError(
      "Manca il comando: quintello, info, quadratura, aggiorna, scarica, esporta o statistiche.");
}

namespace {

// "1..20 (12)": the values a list offers and, in brackets, the one the window opens with.
std::string offered(const Choice& choice) {
  return std::to_string(choice.min) + ".." + std::to_string(choice.max) + " (" +
         std::to_string(choice.initial) + ")";
}

}  // namespace

std::string usageText() {
  const std::string wheel(SiglaRuota[static_cast<size_t>(kRuotaChoice.initial)]);
  const std::string numbers = std::to_string(kNumeriPrevisione);
  std::string everyPosition;
  for (int p = 1; p <= kPositions; ++p) everyPosition += std::to_string(p);
  return R"(Uso:
  quintello-cli [--archivio FILE] [--json] quintello [opzioni e azioni]
  quintello-cli [--archivio FILE] [--json] info
  quintello-cli [--json] quadratura N1 N2 N3 N4
  quintello-cli [--archivio FILE] [--json] aggiorna FILE [--applica [--corregge]]
                [--file-aggiornamento USCITA]
  quintello-cli [--archivio FILE] [--json] scarica [--indirizzo URL] [--applica [--corregge]]
                [--tempo-massimo S]
  quintello-cli [--archivio FILE] [--json] esporta dati-iii|zefiral|nazionale USCITA
  quintello-cli [--archivio FILE] [--json] statistiche [--ruota SIGLA] [--dal GG/MM/AAAA]
                [--al GG/MM/AAAA]
  quintello-cli --aiuto
  quintello-cli --version

Archivio: senza --archivio si usa l'archivio del programma (PercorsoArchivio nel database
dbQuintello.mdb della cartella del programma); se il database del programma non c'è,
l'archivio archivio.mdb di quella cartella o le estrazioni fornite con il programma
(estrazioni.txt accanto all'eseguibile o in share/quintello). La cartella del programma è
QUINTELLO_CARTELLA se impostata, altrimenti quella dell'eseguibile se vi si può scrivere e
non è un'installazione, altrimenti la cartella dei dati dell'utente
($XDG_DATA_HOME/quintello, di solito ~/.local/share/quintello). L'archivio viene modificato
solo da aggiorna --applica e scarica --applica.

quintello, opzioni (tra parentesi i valori iniziali della finestra):
  --numero N              numero cercato, )" +
         offered(kNumeroCercatoChoice) + R"(
  --rilevazione SIGLA     ruota di rilevazione, BA..NZ ()" +
         wheel + R"()
  --gioco SIGLA           ruota di gioco (la stessa della rilevazione)
  --posizioni CIFRE       posizioni di rilevazione, per esempio 135 ()" +
         everyPosition + R"()
  --colpi C               colpi, )" +
         offered(kColpiChoice) + R"(
  --presenze P            presenze, )" +
         offered(kPresenzeChoice) + R"(
  --estrazione I          estrazione di riferimento, 1..N (l'ultima)
  --fine                  "Fine ricerca"
  --numeri K              numeri della combinazione, )" +
         offered(kNumeriCombinazioneChoice) + R"(
  --seme S                seme del generatore casuale
  --verifica-automatica   "Verifica automatica"
Azioni, eseguite dopo ELENCO nell'ordine dato:
  --previsione A,B,...    aggiunge la previsione dall'elenco delle combinazioni (fino a )" +
         numbers + R"( numeri)
  --tabellone A,B,...     aggiunge la previsione dal tabellone dei numeri (fino a )" +
         numbers + R"( numeri)
  --coppia A,B            aggiunge la coppia
  --rimuovi N             rimuove la previsione numero N (1..)" +
         std::to_string(kMaxNumeroPrevisione) + R"()
  --verifica              verifica le previsioni
  --elabora               ricerca delle combinazioni
  --coppie                ricerca delle coppie
Stampa:
  --stampa LISTA          tabelle separate da virgole (elenco): elenco, numeri, previsioni,
                          combinazioni, scoperte, coppie, riepilogo, colpi, ritardi,
                          caso (previsioni a confronto con il caso), ristretto:K,
                          completo:K (previsione della riga K), dettaglio:R (riga R
                          dell'elenco), etichette

quadratura: i quattro numeri degli angoli (0 = angolo vuoto); stampa le dodici somme e
distanze e la somma totale.

aggiorna: controlla l'archivio con un file di estrazioni (file di aggiornamento da 178
caratteri per riga, archivio storico ufficiale in testo o il suo zip storico.zip) e stampa
i messaggi del controllo ("Manca estrazione del: ", "Errori Estrazione del ", ...).
  --applica               salva nell'archivio le estrazioni mancanti
  --corregge              con --applica, corregge anche le estrazioni errate
  --file-aggiornamento F  scrive le estrazioni del file come file di aggiornamento in F

scarica: scarica le estrazioni come CONTROLLO AGGIORNAMENTI (dal server del programma se
impostato, altrimenti dall'archivio storico ufficiale, IndirizzoArchivioUfficiale; dell'archivio
ufficiale si controllano le ultime 100 estrazioni), ne tiene la copia nella cartella del
programma e stampa gli stessi messaggi di aggiorna.
  --indirizzo URL         scarica da questo indirizzo http o https
  --applica, --corregge   come per aggiorna
  --tempo-massimo S       secondi concessi all'intero scaricamento (120)

esporta: scrive l'intero archivio nel file USCITA nel formato dato: dati-iii (Ambrosa 3,
record da 110 byte), zefiral (righe tra virgolette) o nazionale (elenco della ruota
Nazionale). Dati.iii e Zefiral contengono solo le dieci ruote classiche.

statistiche: per ognuno dei 90 numeri la frequenza, il ritardo attuale, il ritardo massimo e la
data dell'ultima uscita, contando le sole estrazioni in cui la ruota ha cinque numeri.
  --ruota SIGLA           BA..NZ, oppure TT per le dieci ruote classiche insieme (TT)
  --dal GG/MM/AAAA        prima data considerata (la prima estrazione)
  --al GG/MM/AAAA         ultima data considerata (l'ultima estrazione)
)";
}

}  // namespace quintello::cli
