#include "cli/commands.h"
#include "cli/json.h"
#include "core/one_line_text.h"

namespace quintello::cli {

namespace {

// "10779 del 30/12/2025", or "-" when the archive has no such draw.
std::string drawText(const DrawArchive& archive, int draw) {
  if (draw < 1) return "-";
  return std::to_string(draw) + " del " + oneLineText(archive.dateText(draw));
}

// {"indice":10779,"data":"30/12/2025"}, or null when the archive has no such draw.
Json drawJson(const DrawArchive& archive, int draw) {
  if (draw < 1) return nullptr;
  return {{"indice", draw}, {"data", archive.dateText(draw)}};
}

}  // namespace

void runInfo(const Options& options, const LoadedArchive& loaded, std::ostream& out) {
  const DrawArchive& archive = loaded.archive;
  const int n = archive.count();
  const int first = n > 0 ? 1 : 0;
  const int modelCount = static_cast<int>(archive.modelList().size());
  if (options.json) {
    const Json document = {{"archivio", loaded.source},
                           {"estrazioni", n},
                           {"prima", drawJson(archive, first)},
                           {"ultima", drawJson(archive, n)},
                           {"modello",
                            {{"inizio", drawJson(archive, archive.modelFirst())},
                             {"fine", drawJson(archive, archive.modelLast())},
                             {"estrazioni", modelCount}}}};
    out << jsonText(document) << '\n';
    return;
  }
  out << "Archivio\t" << oneLineText(loaded.source) << '\n'
      << "Estrazioni\t" << n << '\n'
      << "Prima estrazione\t" << drawText(archive, first) << '\n'
      << "Ultima estrazione\t" << drawText(archive, n) << '\n'
      << "Inizio archivio modello\t" << drawText(archive, archive.modelFirst()) << '\n'
      << "Fine archivio modello\t" << drawText(archive, archive.modelLast()) << '\n'
      << "Estrazioni archivio modello\t" << modelCount << '\n';
}

}  // namespace quintello::cli
