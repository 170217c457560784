#include "archive/update_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/dates.h"
#include "core/error.h"
#include "core/file_access.h"
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

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void cannotRead(const std::string& path, const std::string& why) {
  throw Error("Impossibile leggere il file \"" + path + "\": " + why);
}

}  // namespace

std::string readInputFile(const std::string& path, size_t maxBytes) {
  // Non-blocking, so that opening a FIFO returns at once and it is refused by what the open
  // descriptor is, like a device, a socket or a folder.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) {
    const PathState state = inspectPath(path);
    cannotRead(path, state.isFile() ? "la lettura non è consentita (permesso negato)."
                                    : unusableFileReason(path, state));
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) cannotRead(path, "il file non può essere esaminato.");
  if (S_ISDIR(info.st_mode)) cannotRead(path, "è una cartella, non un file.");
  if (!S_ISREG(info.st_mode))
    cannotRead(path, "non è un file di dati (è un dispositivo, una coda o un socket).");
  if (static_cast<unsigned long long>(info.st_size) > maxBytes)
    throw Error("Il file \"" + path + "\" è troppo grande.");
  std::string bytes(static_cast<size_t>(info.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) throw Error("Errore durante la lettura del file \"" + path + "\".");
    if (got == 0) break;  // shortened meanwhile
    done += static_cast<size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

std::vector<std::string> readUpdateFileLines(const std::string& path, size_t maxBytes) {
  std::vector<std::string> lines;
  forEachLine(readInputFile(path, maxBytes),
              [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void forEachLine(std::string_view text, const std::function<void(std::string_view)>& onLine) {
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    onLine(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
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

void writeUpdateFile(const std::string& path, const std::vector<StoredDraw>& draws,
                     const std::vector<std::string>& inUse) {
  PendingFile pending(path, inUse);
  std::string content;
  content.reserve(draws.size() * (kUpdateLineLength + 2));
  for (const auto& draw : draws) content.append(updateLineText(draw)).append("\r\n");
  pending.write(content);
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
