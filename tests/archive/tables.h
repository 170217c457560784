#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/grid.h"
#include "support/files.h"

namespace quintello::test {

// The rows of a case file under archive/cases/: one case a line, fields separated by " | " (a
// line ending in " |" ends with an empty field), blank lines and lines starting with "#" left
// out. In a field, \t \r \n \\ and \xHH stand for their bytes.
inline std::vector<std::vector<std::string>> caseRows(const std::string& name) {
  const std::string text = readFile(QUINTELLO_TEST_SOURCE_DIR "/archive/cases/" + name);
  std::vector<std::vector<std::string>> rows;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.ends_with(" |")) line += ' ';  // an empty last field
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields{""};
    for (size_t i = 0; i < line.size(); ++i) {
      if (line.compare(i, 3, " | ") == 0) {
        fields.emplace_back();
        i += 2;
      } else if (line[i] != '\\' || i + 1 == line.size()) {
        fields.back() += line[i];
      } else {
        const char c = line[++i];
        if (c == 'x') {
          fields.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else {
          fields.back() += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
      }
    }
    rows.push_back(std::move(fields));
  }
  if (rows.empty()) throw std::runtime_error("no cases in " + name);
  return rows;
}

// Every row of a grid, header first, as its cells joined by "|".
inline std::vector<std::string> gridRows(const Grid& grid) {
  std::vector<std::string> rows;
  for (int r = 0; r < grid.rows(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < grid.cols(); ++c) rows.back() += (c > 0 ? "|" : "") + grid.text(r, c);
  }
  return rows;
}

}  // namespace quintello::test
