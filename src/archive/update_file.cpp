#include "archive/update_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/dates.h"
#include "core/error.h"
#include "core/one_line_text.h"

namespace quintello {

namespace {

std::string_view column(std::string_view line, size_t from, size_t length) {
  if (from >= line.size()) return {};
  return line.substr(from, length);
}

std::string trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

UpdateLine parseUpdateLine(std::string_view line) {
  UpdateLine parsed;
  parsed.dateText = column(line, 0, 10);
  for (size_t w = 0; w < parsed.wheels.size(); ++w)
    parsed.wheels[w] = column(line, 11 + 15 * w, 14);
  return parsed;
}

bool hasUpdateLineForm(std::string_view line) {
  return line.size() == kUpdateLineLength && line.substr(kUpdateLineLength - 2) == "pr";
}

std::vector<std::string> readUpdateFileLines(const std::string& path, size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Impossibile aprire il file \"" + path + "\".");
  in.seekg(0, std::ios::end);
  const auto size = static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0));
  if (size > maxBytes) throw Error("Il file \"" + path + "\" è troppo grande.");
  in.seekg(0);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  if (in.bad()) throw Error("Errore durante la lettura del file \"" + path + "\".");
  return lines;
}

StoredDraw storedDrawFromLine(const UpdateLine& line, size_t lineNumber) {
  const auto iso = isoFromDateText(line.dateText);
  if (!iso)
    throw Error("Riga " + std::to_string(lineNumber) + ": data non valida \"" +
                shortOneLineText(line.dateText) + "\".");
  StoredDraw draw{*iso, {}};
  for (size_t w = 0; w < draw.wheels.size(); ++w) draw.wheels[w] = trimmed(line.wheels[w]);
  return draw;
}

std::vector<StoredDraw> readStoredDraws(const std::string& path) {
  const auto lines = readUpdateFileLines(path);
  std::vector<StoredDraw> draws;
  draws.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty()) draws.push_back(storedDrawFromLine(parseUpdateLine(lines[i]), i + 1));
  // An archive keeps one row per date and reads them back in date order.
  std::stable_sort(draws.begin(), draws.end(),
                   [](const StoredDraw& a, const StoredDraw& b) { return a.isoDate < b.isoDate; });
  const auto repeated = std::adjacent_find(
      draws.begin(), draws.end(),
      [](const StoredDraw& a, const StoredDraw& b) { return a.isoDate == b.isoDate; });
  if (repeated != draws.end())
    throw Error("Il file delle estrazioni \"" + path + "\" contiene due volte l'estrazione del " +
                dateTextFromIso(repeated->isoDate) + ".");
  return draws;
}

void loadStoredDraws(const std::vector<StoredDraw>& draws, DrawArchive& archive, int firstIndex) {
  archive.clear();
  int draw = 0;
  std::array<std::string_view, kWheelCount> wheels;
  for (const auto& stored : draws) {
    for (size_t w = 0; w < wheels.size(); ++w) wheels[w] = stored.wheels[w];
    archive.loadRow(++draw, dateTextFromIso(stored.isoDate), wheels);
  }
  archive.finishLoad(draw);
  archive.buildModel(firstIndex);
}

}  // namespace quintello
