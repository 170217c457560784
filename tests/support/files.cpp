#include "support/files.h"

#include <fstream>
#include <sstream>

#include "core/sqlite.h"

namespace quintello::test {

std::string readFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<std::string> storedRows(const std::string& archivePath) {
  sqlite::Database db(archivePath, sqlite::Database::Mode::ReadOnly);
  auto rows = db.prepare(
      "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz FROM EstrazioniLotto "
      "ORDER BY DataEstrazione");
  std::vector<std::string> all;
  while (rows.step()) {
    std::string line(rows.text(0));
    for (int c = 1; c < 12; ++c) line += "|" + std::string(rows.text(c));
    all.push_back(std::move(line));
  }
  return all;
}

}  // namespace quintello::test
