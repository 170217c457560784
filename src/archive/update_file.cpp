#include "archive/update_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/dates.h"
#include "core/error.h"
#include "core/one_line_text.h"
#include "core/pending_file.h"

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

std::ifstream openInputFile(const std::string& path) {
  std::error_code ignored;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ignored)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw Error("Impossibile aprire il file \"" + path + "\".");
  return in;
}

std::vector<std::string> readUpdateFileLines(const std::string& path, size_t maxBytes) {
  std::ifstream in = openInputFile(path);
  std::vector<std::string> lines;
  forEachLine(in, path, maxBytes, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void forEachLine(std::istream& in, const std::string& name, size_t maxBytes,
                 const std::function<void(std::string_view)>& onLine) {
  constexpr size_t kBlock = 64 * 1024;
  std::string pending;  // the start of a line not yet ended
  std::string block(kBlock, '\0');
  size_t total = 0;
  const auto emit = [&](std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    onLine(line);
  };
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<size_t>(in.gcount());
    total += got;
    if (total > maxBytes) throw Error("Il file \"" + name + "\" è troppo grande.");
    std::string_view rest(block.data(), got);
    for (size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
      if (pending.empty()) {
        emit(rest.substr(0, end));
      } else {
        pending.append(rest.substr(0, end));
        emit(pending);
        pending.clear();
      }
      rest.remove_prefix(end + 1);
    }
    pending.append(rest);
  }
  if (in.bad()) throw Error("Errore durante la lettura del file \"" + name + "\".");
  if (!pending.empty()) emit(pending);
}

void forEachLine(std::string_view text, const std::function<void(std::string_view)>& onLine) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    onLine(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::string updateLineText(const StoredDraw& draw) {
  std::string line(kUpdateLineLength, ' ');
  const std::string date = dateTextFromIso(draw.isoDate).substr(0, 10);
  line.replace(0, date.size(), date);
  for (size_t w = 0; w < draw.wheels.size(); ++w) {
    const std::string_view wheel = std::string_view(draw.wheels[w]).substr(0, 14);
    line.replace(11 + 15 * w, wheel.size(), wheel);
  }
  line.replace(kUpdateLineLength - 2, 2, "pr");
  return line;
}

void writeUpdateFile(const std::string& path, const std::vector<StoredDraw>& draws) {
  PendingFile pending(path);
  {
    std::ofstream out(pending.path(), std::ios::binary | std::ios::trunc);
    for (const auto& draw : draws) out << updateLineText(draw) << "\r\n";
    out.close();
    if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
  }
  pending.commit();
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
