#include "cli/maintenance_options.h"

#include <algorithm>
#include <array>

#include "cli/options.h"

namespace quintello::cli {

namespace {

struct NamedFormat {
  std::string_view name;
  ExportFormat format;
};
constexpr std::array<NamedFormat, 3> kFormats = {{{"dati-iii", ExportFormat::DatiIii},
                                                  {"zefiral", ExportFormat::Zefiral},
                                                  {"nazionale", ExportFormat::Nazionale}}};

std::string quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

// A file name given on the line: not empty, not an option.
std::string fileArgument(std::string_view arg, std::string_view what) {
  if (arg.empty() || arg.starts_with("-"))
    throw UsageError(std::string(what) + ": manca il nome del file (trovato " + quoted(arg) + ").");
  return std::string(arg);
}

// The value after an option.
const std::string& valueOf(std::span<const std::string> args, size_t& i) {
  if (i + 1 == args.size()) throw UsageError("L'opzione " + args[i] + " richiede un valore.");
  return args[++i];
}

// --applica and --corregge, shared by aggiorna and scarica; false for any other argument.
template <class CommandOptions>
bool takeApplyFlag(const std::string& arg, CommandOptions& options) {
  if (arg == "--applica") options.applica = true;
  if (arg == "--corregge") options.corregge = true;
  return arg == "--applica" || arg == "--corregge";
}

void checkCorrects(bool applica, bool corregge) {
  if (corregge && !applica) throw UsageError("--corregge vale solo insieme ad --applica.");
}

}  // namespace

AggiornaOptions parseAggiorna(std::span<const std::string> args) {
  AggiornaOptions options;
  bool haveFile = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (takeApplyFlag(arg, options)) continue;
    if (arg == "--file-aggiornamento") {
      options.fileAggiornamento = fileArgument(valueOf(args, i), arg);
    } else if (arg.starts_with("-")) {
      throw UsageError("Opzione sconosciuta per il comando aggiorna: " + quoted(arg) + ".");
    } else if (haveFile) {
      throw UsageError("Il comando aggiorna prende un solo file, non anche " + quoted(arg) + ".");
    } else {
      options.file = fileArgument(arg, "aggiorna");
      haveFile = true;
    }
  }
  if (!haveFile)
    throw UsageError(
        "Il comando aggiorna richiede il file delle estrazioni (file di aggiornamento, "
        "archivio storico o il suo zip).");
  checkCorrects(options.applica, options.corregge);
  return options;
}

ScaricaOptions parseScarica(std::span<const std::string> args) {
  ScaricaOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (takeApplyFlag(arg, options)) continue;
    if (arg == "--indirizzo") {
      options.indirizzo = valueOf(args, i);
    } else if (arg == "--tempo-massimo") {
      options.tempoMassimo = parseNumber(valueOf(args, i), 1, 3600, arg);
    } else {
      throw UsageError("Argomento sconosciuto per il comando scarica: " + quoted(arg) + ".");
    }
  }
  checkCorrects(options.applica, options.corregge);
  return options;
}

EsportaOptions parseEsporta(std::span<const std::string> args) {
  if (args.size() != 2)
    throw UsageError(
        "Il comando esporta prende il formato (dati-iii, zefiral o nazionale) e il file da "
        "scrivere.");
  EsportaOptions options;
  const auto* named = std::find_if(kFormats.begin(), kFormats.end(),
                                   [&](const NamedFormat& f) { return f.name == args[0]; });
  if (named == kFormats.end())
    throw UsageError("esporta: formato " + quoted(args[0]) +
                     " sconosciuto: usare dati-iii, zefiral o nazionale.");
  options.format = named->format;
  options.file = fileArgument(args[1], "esporta");
  return options;
}

std::string_view exportFormatName(ExportFormat format) {
  for (const auto& named : kFormats)
    if (named.format == format) return named.name;
  return {};
}

}  // namespace quintello::cli
