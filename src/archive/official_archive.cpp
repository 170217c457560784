#include "archive/official_archive.h"

#include <zip.h>

#include <algorithm>
#include <array>
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

// Why a line cannot be read.
struct LineProblem {
  std::string why;
};
[[noreturn]] void fail(std::string why) { throw LineProblem{std::move(why)}; }

// "YYYY/MM/DD" -> "YYYY-MM-DD".
std::optional<std::string> isoFromOfficialDate(std::string_view date) {
  if (date.size() != 10 || date[4] != '/' || date[7] != '/') return std::nullopt;
  std::string dayFirst;
  dayFirst.append(date.substr(8, 2)).append("/").append(date.substr(5, 2)).append("/");
  dayFirst.append(date.substr(0, 4));
  return isoFromDateText(dayFirst);
}

int parseDrawnNumber(std::string_view text) {
  const bool digits =
      !text.empty() && text.size() <= 2 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  const int number = digits ? std::stoi(std::string(text)) : 0;
  if (!isLottoNumber(number)) fail("il numero " + quoted(text) + " non è tra 1 e 90");
  return number;
}

// The draws by date as they are read, with the first line of each date.
struct DrawsByDate {
  std::map<std::string, std::pair<StoredDraw, size_t>> draws;

  // Adds one line; throws LineProblem.
  void add(std::string_view line, size_t lineNumber) {
    const auto fields = fieldsOf(trimmed(line));  // blanks past the last number are no field
    if (fields.size() != kFields)
      fail("servono data, ruota e cinque numeri separati da tabulazioni");
    const auto iso = isoFromOfficialDate(fields[0]);
    if (!iso) fail("la data " + quoted(fields[0]) + " non è una data AAAA/MM/GG");
    if (isAfterToday(*iso)) fail("la data " + quoted(fields[0]) + " è successiva a oggi");
    const auto wheel = officialWheelIndex(fields[1]);
    if (!wheel) fail("la ruota " + quoted(fields[1]) + " è sconosciuta");
    WheelNumbers numbers{};
    for (size_t k = 0; k < numbers.size(); ++k) {
      numbers[k] = static_cast<std::int16_t>(parseDrawnNumber(fields[2 + k]));
      if (std::find(numbers.begin(), numbers.begin() + static_cast<long>(k), numbers[k]) !=
          numbers.begin() + static_cast<long>(k))
        fail("il numero " + std::to_string(numbers[k]) + " compare due volte");
    }
    auto found = draws.find(*iso);
    if (found == draws.end()) {
      if (draws.size() == kMaxUpdateRows)
        throw Error("L'archivio storico contiene più di " + std::to_string(kMaxUpdateRows) +
                    " date.");
      found = draws.emplace(*iso, std::pair{StoredDraw{*iso, {}}, lineNumber}).first;
    }
    std::string& text = found->second.first.wheels[static_cast<size_t>(*wheel)];
    const std::string drawn = encodeWheelText(numbers);
    if (!text.empty() && text != drawn)
      fail("la ruota " + std::string(fields[1]) +
           " compare due volte nella stessa data con numeri diversi");
    text = drawn;
  }
};

struct ZipDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

[[noreturn]] void refuseZip(const std::string& path, const std::string& why) {
  throw Error("Il file compresso \"" + path + "\" non è l'archivio storico: " + why + ".");
}

// libzip's own texts are English: what a user may meet, in Italian.
std::string zipFailureText(const zip_error_t* error) {
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
      return "non è un file zip";
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
      return "il file zip è danneggiato o incompleto";
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
      return "i dati compressi sono danneggiati";
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
      return "il file è protetto da una password";
    case ZIP_ER_COMPNOTSUPP:
      return "il metodo di compressione non è supportato";
    case ZIP_ER_MULTIDISK:
      return "i file zip su più dischi non sono supportati";
    case ZIP_ER_MEMORY:
      return "memoria insufficiente";
    default:
      return "errore zip " + std::to_string(zip_error_code_zip(error));
  }
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

}  // namespace

OfficialArchive parseOfficialArchive(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  DrawsByDate byDate;
  OfficialArchive archive;
  size_t lineNumber = 0;
  forEachLine(text, [&](std::string_view line) {
    ++lineNumber;
    if (trimmed(line).empty()) return;
    try {
      byDate.add(line, lineNumber);
    } catch (const LineProblem& problem) {
      if (archive.invalidLines.size() == kMaxUpdateRows)
        throw Error("L'archivio storico contiene più di " + std::to_string(kMaxUpdateRows) +
                    " righe non valide.");
      archive.invalidLines.push_back({lineNumber, std::string(line.substr(0, 10)), problem.why});
    }
  });
  archive.draws.reserve(byDate.draws.size());
  for (auto& [date, draw] : byDate.draws) {
    archive.draws.push_back(std::move(draw.first));
    archive.firstLines.push_back(draw.second);
  }
  return archive;
}

std::string unpackOfficialArchiveZip(std::string_view bytes, const std::string& path) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* opened =
      source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  if (!opened) {
    if (source) zip_source_free(source);
    const std::string why = zipFailureText(&error);
    zip_error_fini(&error);
    refuseZip(path, "il file è danneggiato o non è un file zip (" + why + ")");
  }
  zip_error_fini(&error);
  std::unique_ptr<zip_t, ZipDiscard> archive(opened);  // owns the source from here
  const zip_uint64_t entry = onlyFileEntry(archive.get(), path);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive.get(), entry, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
      stat.size > kOfficialArchiveMaxBytes)
    refuseZip(path, "il file contenuto è troppo grande");
  std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive.get(), entry, 0));
  if (!file)
    refuseZip(path, "il file contenuto non può essere letto (" +
                        zipFailureText(zip_get_error(archive.get())) + ")");
  std::string text;
  std::array<char, 64 * 1024> block;
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), block.data(), block.size());
    if (got < 0)
      refuseZip(path, "il file contenuto è danneggiato (" +
                          zipFailureText(zip_file_get_error(file.get())) + ")");
    if (got == 0) break;
    if (text.size() + static_cast<size_t>(got) > kOfficialArchiveMaxBytes)
      refuseZip(path, "il file contenuto è troppo grande");
    text.append(block.data(), static_cast<size_t>(got));
  }
  return text;
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
