#include "archive/official_archive.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "archive/update_file.h"
#include "core/dates.h"
#include "core/error.h"
#include "core/one_line_text.h"
#include "core/wheel_text.h"

namespace quintello {

namespace {

constexpr size_t kFields = 7;  // date, wheel, five numbers
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A zip with more entries than this is not the official archive.
constexpr zip_int64_t kMaxZipEntries = 100;

struct OfficialWheel {
  std::string_view code;
  int index;
};
// The operator's codes differ from the program's for Roma (RM) and the Nazionale (RN).
constexpr std::array<OfficialWheel, kWheelCount> kOfficialWheels = {{{"BA", 0},
                                                                     {"CA", 1},
                                                                     {"FI", 2},
                                                                     {"GE", 3},
                                                                     {"MI", 4},
                                                                     {"NA", 5},
                                                                     {"PA", 6},
                                                                     {"RM", 7},
                                                                     {"TO", 8},
                                                                     {"VE", 9},
                                                                     {"RN", 10}}};

std::optional<int> officialWheelIndex(std::string_view code) {
  for (const auto& wheel : kOfficialWheels)
    if (wheel.code == code) return wheel.index;
  return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  while (fields.size() <= kFields) {  // one more than needed is enough to refuse the line
    const size_t tab = line.find('\t');
    fields.push_back(trimmed(line.substr(0, tab)));
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return fields;
}

// Shown bounded and on one line, so that a line of garbage neither floods the message nor
// breaks it (a stray carriage return or control character becomes "?").
std::string quoted(std::string_view text) {
  constexpr size_t kShown = 20;
  return "\"" + shortOneLineText(text, kShown) + "\"";
}

// A line that cannot be read: the message names it.
class LineError {
 public:
  explicit LineError(size_t lineNumber) : lineNumber_(lineNumber) {}
  [[noreturn]] void operator()(const std::string& why) const {
    throw Error("Archivio storico, riga " + std::to_string(lineNumber_) + ": " + why + ".");
  }

 private:
  size_t lineNumber_;
};

// "YYYY/MM/DD" -> "YYYY-MM-DD".
std::optional<std::string> isoFromOfficialDate(std::string_view date) {
  if (date.size() != 10 || date[4] != '/' || date[7] != '/') return std::nullopt;
  std::string dayFirst;
  dayFirst.append(date.substr(8, 2)).append("/").append(date.substr(5, 2)).append("/");
  dayFirst.append(date.substr(0, 4));
  return isoFromDateText(dayFirst);
}

int parseDrawnNumber(std::string_view text, const LineError& fail) {
  const bool digits =
      !text.empty() && text.size() <= 2 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  const int number = digits ? std::stoi(std::string(text)) : 0;
  if (!isLottoNumber(number)) fail("il numero " + quoted(text) + " non è tra 1 e 90");
  return number;
}

// Adds one line to the draws by date.
void addLine(std::string_view line, size_t lineNumber, std::map<std::string, StoredDraw>& draws) {
  const LineError fail(lineNumber);
  const auto fields = fieldsOf(line);
  if (fields.size() != kFields) fail("servono data, ruota e cinque numeri separati da tabulazioni");
  const auto iso = isoFromOfficialDate(fields[0]);
  if (!iso) fail("la data " + quoted(fields[0]) + " non è una data AAAA/MM/GG");
  const auto wheel = officialWheelIndex(fields[1]);
  if (!wheel) fail("la ruota " + quoted(fields[1]) + " è sconosciuta");
  WheelNumbers numbers{};
  for (size_t k = 0; k < numbers.size(); ++k) {
    numbers[k] = static_cast<std::int16_t>(parseDrawnNumber(fields[2 + k], fail));
    if (std::find(numbers.begin(), numbers.begin() + static_cast<long>(k), numbers[k]) !=
        numbers.begin() + static_cast<long>(k))
      fail("il numero " + std::to_string(numbers[k]) + " compare due volte");
  }
  auto found = draws.find(*iso);
  if (found == draws.end()) {
    if (draws.size() == kMaxUpdateRows)
      fail("l'archivio contiene più di " + std::to_string(kMaxUpdateRows) + " date");
    found = draws.emplace(*iso, StoredDraw{*iso, {}}).first;
  }
  std::string& text = found->second.wheels[static_cast<size_t>(*wheel)];
  if (!text.empty())
    fail("la ruota " + std::string(fields[1]) + " compare due volte nella stessa data");
  text = encodeWheelText(numbers);
}

struct ZipDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

[[noreturn]] void refuseZip(const std::string& path, const std::string& why) {
  throw Error("Il file compresso \"" + path + "\" non è l'archivio storico: " + why + ".");
}

// The one file entry of the zip (folders aside).
zip_uint64_t onlyFileEntry(zip_t* archive, const std::string& path) {
  const zip_int64_t entries = zip_get_num_entries(archive, 0);
  if (entries > kMaxZipEntries) refuseZip(path, "contiene troppi file");
  std::optional<zip_uint64_t> file;
  for (zip_int64_t i = 0; i < entries; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name && *name && std::string_view(name).back() == '/') continue;
    if (file) refuseZip(path, "contiene più di un file");
    file = static_cast<zip_uint64_t>(i);
  }
  if (!file) refuseZip(path, "non contiene alcun file");
  return *file;
}

bool startsWith(const std::string& path, std::string_view head) {
  std::ifstream in = openInputFile(path);
  std::string start(head.size(), '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  return static_cast<size_t>(in.gcount()) == head.size() && start == head;
}

// The first line that is not blank, at most a few hundred bytes of it.
std::string firstLine(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string head(4096, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  std::string first;
  forEachLine(head, [&](std::string_view line) {
    if (first.empty() && !trimmed(line).empty()) first = line;
  });
  return first;
}

std::string readBoundedFile(const std::string& path) {
  std::ifstream in = openInputFile(path);
  std::string text;
  std::array<char, 64 * 1024> block;
  while (in.read(block.data(), block.size()) || in.gcount() > 0) {
    text.append(block.data(), static_cast<size_t>(in.gcount()));
    if (text.size() > kOfficialArchiveMaxBytes)
      throw Error("Il file \"" + path + "\" è troppo grande.");
  }
  if (in.bad()) throw Error("Errore durante la lettura del file \"" + path + "\".");
  return text;
}

}  // namespace

std::vector<StoredDraw> parseOfficialArchive(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::map<std::string, StoredDraw> byDate;
  size_t lineNumber = 0;
  forEachLine(text, [&](std::string_view line) {
    ++lineNumber;
    if (!trimmed(line).empty()) addLine(line, lineNumber, byDate);
  });
  std::vector<StoredDraw> draws;
  draws.reserve(byDate.size());
  for (auto& [date, draw] : byDate) draws.push_back(std::move(draw));
  return draws;
}

std::string readOfficialArchiveZip(const std::string& path) {
  int code = 0;
  std::unique_ptr<zip_t, ZipDiscard> archive(
      zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
  if (!archive) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const std::string why = zip_error_strerror(&error);
    zip_error_fini(&error);
    refuseZip(path, "il file è danneggiato o non è un file zip (" + why + ")");
  }
  const zip_uint64_t entry = onlyFileEntry(archive.get(), path);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive.get(), entry, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
      stat.size > kOfficialArchiveMaxBytes)
    refuseZip(path, "il file contenuto è troppo grande");
  std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive.get(), entry, 0));
  if (!file)
    refuseZip(path, std::string("il file contenuto non può essere letto (") +
                        zip_strerror(archive.get()) + ")");
  std::string text;
  std::array<char, 64 * 1024> block;
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), block.data(), block.size());
    if (got < 0)
      refuseZip(path, std::string("il file contenuto è danneggiato (") +
                          zip_error_strerror(zip_file_get_error(file.get())) + ")");
    if (got == 0) break;
    if (text.size() + static_cast<size_t>(got) > kOfficialArchiveMaxBytes)
      refuseZip(path, "il file contenuto è troppo grande");
    text.append(block.data(), static_cast<size_t>(got));
  }
  return text;
}

DrawFileKind drawFileKind(const std::string& path) {
  // A zip starts with a file entry, or with the end record when it is empty.
  if (startsWith(path, "PK\x03\x04") || startsWith(path, "PK\x05\x06"))
    return DrawFileKind::OfficialZip;
  return firstLine(path).find('\t') != std::string::npos ? DrawFileKind::OfficialText
                                                         : DrawFileKind::UpdateFile;
}

std::vector<StoredDraw> readOfficialArchive(const std::string& path) {
  if (drawFileKind(path) == DrawFileKind::OfficialZip)
    return parseOfficialArchive(readOfficialArchiveZip(path));
  return parseOfficialArchive(readBoundedFile(path));
}

std::string officialArchiveText(const std::vector<StoredDraw>& draws) {
  std::string text;
  for (const auto& draw : draws) {
    // "YYYY-MM-DD" -> "YYYY/MM/DD"
    std::string date = draw.isoDate;
    std::replace(date.begin(), date.end(), '-', '/');
    for (const auto& wheel : kOfficialWheels) {
      const auto numbers = decodeWheelText(draw.wheels[static_cast<size_t>(wheel.index)]);
      if (numbers[0] == 0) continue;  // no draw on that wheel
      text += date + "\t" + std::string(wheel.code);
      for (const auto number : numbers) text += "\t" + std::to_string(number);
      text += '\n';
    }
  }
  return text;
}

}  // namespace quintello
