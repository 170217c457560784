#include "archive/draw_file.h"

#include <algorithm>

#include "archive/official_archive.h"
#include "archive/update_file.h"
#include "core/error.h"

namespace quintello {

namespace {

[[noreturn]] void refuse(const std::string& detail) {
  throw UpdateFailure(update_text::kFaseElenco, detail);
}

bool isZip(std::string_view bytes) {
  // A zip starts with a file entry, or with the end record when it is empty.
  return bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06");
}

// The first line that is not blank.
std::string_view firstFilledLine(std::string_view text) {
  std::string_view first;
  forEachLine(text, [&](std::string_view line) {
    if (first.empty() && line.find_first_not_of(" \t") != std::string_view::npos) first = line;
  });
  return first;
}

// The rows of the official text in file order: a draw at the first line of its date, an
// invalid line at its own.
DrawFile officialDraws(std::string_view text, DrawFileKind kind) {
  DrawFile file;
  file.kind = kind;
  OfficialArchive official;
  try {
    official = parseOfficialArchive(text);
  } catch (const Error& error) {
    refuse(error.what());
  }
  file.draws = std::move(official.draws);
  file.rows = updateRowsFromDraws(file.draws);
  for (size_t i = 0; i < file.rows.size(); ++i) file.rows[i].lineNumber = official.firstLines[i];
  for (auto& invalid : official.invalidLines) {
    UpdateRow row;
    row.lineNumber = invalid.lineNumber;
    row.line.dateText = std::move(invalid.start);
    row.problem = std::move(invalid.why);
    row.official = true;
    file.rows.push_back(std::move(row));
  }
  std::stable_sort(file.rows.begin(), file.rows.end(),
                   [](const auto& a, const auto& b) { return a.lineNumber < b.lineNumber; });
  return file;
}

DrawFile updateFileDraws(std::string_view text, FirstLine firstLine) {
  DrawFile file;
  if (firstLine == FirstLine::Check) {
    const size_t end = text.find_first_of("\r\n");
    if (!hasUpdateLineForm(text.substr(0, end))) {
      file.wrongForm = true;
      return file;
    }
  }
  try {
    file.rows = updateRowsFromText(text);
  } catch (const Error& error) {
    refuse(error.what());
  }
  for (const auto& row : file.rows)
    if (row.problem.empty()) file.draws.push_back(storedDrawOfRow(row));
  return file;
}

}  // namespace

DrawFile readDrawFile(const std::string& path, FirstLine firstLine) {
  std::string bytes;
  try {
    bytes = readInputFile(path, kDrawFileMaxBytes);
  } catch (const Error& error) {
    // "AGGIORNA DA FILE" fails here before its first step is named.
    throw UpdateFailure(firstLine == FirstLine::Check ? "" : update_text::kFaseElenco,
                        error.what());
  }
  return readDrawBytes(bytes, path, firstLine);
}

DrawFile readDrawBytes(std::string_view bytes, const std::string& name, FirstLine firstLine) {
  if (bytes.size() > kDrawFileMaxBytes) refuse("Il file \"" + name + "\" è troppo grande.");
  if (isZip(bytes)) {
    std::string text;
    try {
      text = unpackOfficialArchiveZip(bytes, name);
    } catch (const Error& error) {
      refuse(error.what());
    }
    return officialDraws(text, DrawFileKind::OfficialZip);
  }
  if (firstFilledLine(bytes).find('\t') != std::string_view::npos)
    return officialDraws(bytes, DrawFileKind::OfficialText);
  return updateFileDraws(bytes, firstLine);
}

}  // namespace quintello
