#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_database.h"
#include "core/error.h"
#include "core/grid.h"
#include "support/files.h"

namespace quintello::test {

// Helpers the archive and cli tests share: case files, grids as rows of text, refused calls.

// A line split at single separators (spaces unless told): "a  b" holds an empty word.
inline std::vector<std::string> words(std::string_view line, char separator = ' ') {
  std::vector<std::string> out;
  for (size_t start = 0; !line.empty();) {
    const size_t end = line.find(separator, start);
    out.emplace_back(line.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

// The rows of a case file (a path under tests/), blank and "#" lines left out: fields split at
// tabs; \t \r \n \\ and \xHH stand for their bytes, each "{name}" for values[name].
inline std::vector<std::vector<std::string>> caseRows(
    const std::string& file, const std::map<std::string, std::string>& values = {}) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& line : words(readFile(QUINTELLO_TEST_SOURCE_DIR "/" + file), '\n')) {
    if (line.empty() || line.starts_with('#')) continue;
    auto& fields = rows.emplace_back();
    for (const auto& escaped : words(line, '\t')) {
      std::string& field = fields.emplace_back();
      for (size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i] == '\\' && i + 1 < escaped.size() ? escaped[++i] : '\0';
        if (c == 'x') {
          field += char(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else {
          field += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c ? c : escaped[i];
        }
      }
      for (const auto& [name, value] : values)
        for (size_t at; (at = field.find("{" + name + "}")) != std::string::npos;)
          field.replace(at, name.size() + 2, value);
    }
  }
  if (rows.empty()) throw std::runtime_error("no cases in " + file);
  return rows;
}

// The draws of an archive file, read as quintello-cli reads them.
inline DrawArchive loadedArchive(const std::string& path) {
  auto db = ArchiveDatabase::openForReading(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 1, progress);
  return archive;
}

inline std::set<std::string> filesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// Every row of a grid, header first, as its cells joined by "|".
inline std::vector<std::string> gridRows(const Grid& grid) {
  std::vector<std::string> rows(size_t(grid.rows()));
  for (int r = 0; r < grid.rows(); ++r)
    for (int c = 0; c < grid.cols(); ++c) rows[size_t(r)] += (c > 0 ? "|" : "") + grid.text(r, c);
  return rows;
}

// What a call was refused with: what() of the Error it throws, "" when it went through.
inline std::string refusal(const std::function<void()>& call) {
  try {
    call();
    return "";
  } catch (const Error& error) {
    return error.what();
  }
}

}  // namespace quintello::test
