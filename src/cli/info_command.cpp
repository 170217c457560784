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

void writeDraw(JsonWriter& json, const DrawArchive& archive, int draw) {
  if (draw < 1) {
    json.null();
    return;
  }
  json.beginObject().key("indice").value(draw).key("data").value(archive.dateText(draw));
  json.endObject();
}

}  // namespace

void runInfo(const Options& options, const LoadedArchive& loaded, std::ostream& out) {
  const DrawArchive& archive = loaded.archive;
  const int n = archive.count();
  const int first = n > 0 ? 1 : 0;
  const int modelCount = static_cast<int>(archive.modelList().size());
  if (options.json) {
    JsonWriter json;
    json.beginObject().key("archivio").value(loaded.source).key("estrazioni").value(n);
    writeDraw(json.key("prima"), archive, first);
    writeDraw(json.key("ultima"), archive, n);
    json.key("modello").beginObject();
    writeDraw(json.key("inizio"), archive, archive.modelFirst());
    writeDraw(json.key("fine"), archive, archive.modelLast());
    json.key("estrazioni").value(modelCount).endObject();
    json.endObject();
    out << json.text() << '\n';
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
