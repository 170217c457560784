#include "cli/statistics_options.h"

#include "cli/options.h"
#include "core/dates.h"

namespace quintello::cli {

namespace {

std::string parseDate(const std::string& text, const std::string& option) {
  const auto iso = isoFromDateText(text);
  if (!iso)
    throw UsageError(option + ": data \"" + text.substr(0, 40) +
                     "\" non valida: serve una data del calendario nella forma GG/MM/AAAA.");
  return *iso;
}

}  // namespace

StatisticheOptions parseStatistiche(std::span<const std::string> args) {
  StatisticheOptions options;
  std::string dal, al;  // as given, for the message
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg != "--ruota" && arg != "--dal" && arg != "--al")
      throw UsageError("Opzione sconosciuta per il comando statistiche: \"" + arg.substr(0, 40) +
                       "\".");
    if (i + 1 == args.size()) throw UsageError("L'opzione " + arg + " richiede un valore.");
    const std::string& value = args[++i];
    if (arg == "--ruota") {
      const auto wheel = statisticsWheelIndex(value);
      if (!wheel)
        throw UsageError("--ruota: sigla di ruota \"" + value.substr(0, 40) +
                         "\" sconosciuta: usare BA, CA, FI, GE, MI, NA, PA, RO, TO, VE, NZ o TT.");
      options.ruota = *wheel;
    } else if (arg == "--dal") {
      options.dal = parseDate(value, arg);
      dal = value;
    } else {
      options.al = parseDate(value, arg);
      al = value;
    }
  }
  if (!options.dal.empty() && !options.al.empty() && options.dal > options.al)
    throw UsageError("--dal: la data " + dal + " viene dopo quella di --al (" + al + ").");
  return options;
}

}  // namespace quintello::cli
