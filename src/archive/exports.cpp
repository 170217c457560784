#include "archive/exports.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/error.h"
#include "core/number_format.h"
#include "core/pending_file.h"
#include "core/text_number.h"

namespace quintello {

namespace fs = std::filesystem;

namespace {

constexpr int kClassicWheels = 10;  // Bari .. Venezia
constexpr int kNazionale = 10;
constexpr int kProgressStep = 10;

// Part of the date text "GG/MM/AAAA", empty where the text is shorter.
std::string_view datePart(const std::string& date, size_t from, size_t length) {
  return from < date.size() ? std::string_view(date).substr(from, length) : std::string_view();
}
std::string_view dayText(const std::string& date) { return datePart(date, 0, 2); }
std::string_view monthText(const std::string& date) { return datePart(date, 3, 2); }
std::string_view yearText(const std::string& date) {
  return date.size() >= 2 ? std::string_view(date).substr(date.size() - 2) : std::string_view();
}

// A number with two digits; what no number can be (below 0) is written as no number.
void appendTwoDigits(std::string& out, int number) {
  if (number < 0 || number > 99) number = 0;
  out += static_cast<char>('0' + number / 10);
  out += static_cast<char>('0' + number % 10);
}

void appendClassicNumbers(std::string& out, const DrawArchive& archive, int draw) {
  for (int w = 0; w < kClassicWheels; ++w)
    for (const int number : archive.wheel(draw, w)) appendTwoDigits(out, number);
}

void appendInt16(std::string& out, int value) {
  const auto bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
  out += static_cast<char>(bits & 0xff);
  out += static_cast<char>(bits >> 8);
}

// Calls write(i) for i = 1..N with the progress of the tab: maximum N, value every 10 draws.
template <class Write>
void forEachDraw(const DrawArchive& archive, Progress& progress, Write&& write) {
  const int n = archive.count();
  progress.setMaximum(n);
  for (int i = 1; i <= n; ++i) {
    if (i % kProgressStep == 0) progress.setValue(i);
    write(i);
  }
}

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : ".";
}

void writeFormat(ExportFormat format, std::ostream& out, const DrawArchive& archive,
                 Progress& progress) {
  switch (format) {
    case ExportFormat::DatiIii:
      return writeDatiIii(out, archive, progress);
    case ExportFormat::Zefiral:
      return writeZefiral(out, archive, progress);
    case ExportFormat::Nazionale:
      return writeNazionaleText(out, archive, progress);
  }
}

}  // namespace

void writeDatiIii(std::ostream& out, const DrawArchive& archive, Progress& progress) {
  std::string record;
  forEachDraw(archive, progress, [&](int i) {
    const std::string& date = archive.dateText(i);
    record.clear();
    appendInt16(record, leadingInteger(dayText(date)));
    appendInt16(record, leadingInteger(monthText(date)));
    appendInt16(record, leadingInteger(yearText(date)));
    appendClassicNumbers(record, archive, i);
    appendInt16(record, archive.monthOrdinal(i));
    appendInt16(record, archive.yearOrdinal(i));
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
  });
}

void writeZefiral(std::ostream& out, const DrawArchive& archive, Progress& progress) {
  std::string line;
  forEachDraw(archive, progress, [&](int i) {
    const std::string& date = archive.dateText(i);
    line.assign(1, '"');
    appendClassicNumbers(line, archive, i);
    line.append(yearText(date)).append(monthText(date)).append(dayText(date));
    line += formatZeroPadded(archive.monthOrdinal(i), 2);
    line += formatZeroPadded(archive.yearOrdinal(i), 2);
    line += "\"\r\n";
    out << line;
  });
}

void writeNazionaleText(std::ostream& out, const DrawArchive& archive, Progress& progress) {
  std::string line;
  forEachDraw(archive, progress, [&](int i) {
    if (!isLottoNumber(archive.number(i, kNazionale, 1))) return;
    line = formatZeroPadded(i, 5) + "-";
    for (const int number : archive.wheel(i, kNazionale)) appendTwoDigits(line, number);
    line += "\r\n";
    out << line;
  });
}

void exportArchive(ExportFormat format, const DrawArchive& archive, const std::string& path,
                   Progress& progress, const std::vector<std::string>& inUse) {
  PendingFile pending(path, inUse);
  std::ostringstream content;
  writeFormat(format, content, archive, progress);
  pending.write(content.view());
  pending.commit();
}

void exportZefiral(const DrawArchive& archive, Progress& progress) {
  exportZefiral(archive, progress, zefiralPath());
}

void exportZefiral(const DrawArchive& archive, Progress& progress, const std::string& path,
                   const std::vector<std::string>& inUse) {
  std::error_code error;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty() && !fs::is_directory(folder, error))
    throw Error(std::string(export_text::kCartellaNonEsiste));
  try {
    exportArchive(ExportFormat::Zefiral, archive, path, progress, inUse);
  } catch (const Error&) {
    throw Error(std::string(export_text::kCartellaNonEsiste));
  }
}

std::string zefiralPath() {
#ifdef _WIN32
  return "C:\\AMBROSA3\\DATI32.III";
#else
  return (fs::path(homeFolder()) / "AMBROSA3" / "DATI32.III").string();
#endif
}

std::string estrattiZipPath() {
#ifdef _WIN32
  return "C:\\estratti.zip";
#else
  return (fs::path(homeFolder()) / "estratti.zip").string();
#endif
}

}  // namespace quintello
