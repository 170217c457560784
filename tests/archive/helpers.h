#pragma once

#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/grid.h"
#include "support/files.h"

namespace quintello::test {

// Helpers the archive tests share: case files, grids as rows of text, refused calls.

// The rows of a case file under archive/cases/: one case a line, fields separated by " | " (a
// line ending in " |" ends with an empty field), blank lines and lines starting with "#" left
// out. In a field, \t \r \n \\ and \xHH stand for their bytes.
inline std::vector<std::vector<std::string>> caseRows(const std::string& name) {
  std::istringstream text(readFile(QUINTELLO_TEST_SOURCE_DIR "/archive/cases/" + name));
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(text, line);) {
    if (line.empty() || line[0] == '#') continue;
    rows.emplace_back(1);
    for (size_t i = 0; i < line.size(); ++i) {
      const char c = line[i], next = i + 1 < line.size() ? line[i + 1] : '\0';
      if (line.compare(i, 3, " | ") == 0 ||
          line.compare(i, 3, " |") == 0) {  // " |" only at the end
        rows.back().emplace_back();
        i += 2;
      } else if (c == '\\' && next == 'x') {
        rows.back().back() += char(std::stoi(line.substr(i + 2, 2), nullptr, 16));
        i += 3;
      } else if (c == '\\') {
        rows.back().back() += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        ++i;
      } else {
        rows.back().back() += c;
      }
    }
  }
  if (rows.empty()) throw std::runtime_error("no cases in " + name);
  return rows;
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
