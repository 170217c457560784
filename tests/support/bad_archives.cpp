#include "support/bad_archives.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/sqlite.h"
#include "core/wheel_text.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

namespace quintello::test {

namespace {

namespace fs = std::filesystem;
using Mode = sqlite::Database::Mode;

constexpr int kDraws = 300;  // enough for a file of several pages

std::string archiveIn(const std::string& folder) { return folder + "/archivio.mdb"; }

std::string goodArchive(const std::string& folder, int draws = kDraws) {
  writeArchiveFile(archiveIn(folder), weeklyDraws(draws));
  return archiveIn(folder);
}

// An archive built by SQL, for tables the program would never write.
std::string archiveFromSql(const std::string& folder, const std::string& sql) {
  sqlite::Database(archiveIn(folder), Mode::ReadWriteCreate).execute(sql);
  return archiveIn(folder);
}

std::string withFlippedBit(const std::string& path, std::uintmax_t offset, unsigned char bit) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  const char byte = static_cast<char>(file.get() ^ bit);
  file.seekp(static_cast<std::streamoff>(offset));
  file.put(byte);
  if (!file) throw std::runtime_error("cannot flip a bit of " + path);
  return path;
}

// Offset of the first page of the draw table's b-tree.
std::uintmax_t drawTableRootPage(const std::string& path) {
  sqlite::Database db(path, Mode::ReadOnly);
  auto root = db.prepare(
      "SELECT rootpage, page_size FROM sqlite_schema, pragma_page_size WHERE name = "
      "'EstrazioniLotto'");
  root.step();
  return static_cast<std::uintmax_t>(root.integer(0) - 1) * root.integer(1);
}

// A copy of an archive and its side file taken half-way through a change: a hot "-journal"
// (to roll back) or a "-wal" holding the change (without its "-shm" index).
std::string copiedMidChange(const std::string& folder, const std::string& change,
                            const std::string& sideFile) {
  const std::string original = folder + "/originale.mdb", path = archiveIn(folder);
  writeArchiveFile(original, weeklyDraws(kDraws));
  {
    sqlite::Database db(original, Mode::ReadWrite);
    db.execute(change);
    fs::copy_file(original, path);
    fs::copy_file(original + sideFile, path + sideFile);
  }
  fs::remove(original);
  return path;
}

// Another program holding the archive's exclusive lock with a change under way, until released
// (a separate process: a process's own locks vanish when it closes any handle on the file).
std::shared_ptr<FILE> lockHolder(const std::string& path) {
  FILE* child = popen(("exec " QUINTELLO_TEST_LOCK_HOLDER " '" + path + "'").c_str(), "r");
  char ready[8] = {};
  if (!child || !fgets(ready, sizeof ready, child) || std::string(ready) != "pronto\n")
    throw std::runtime_error("the lock holder did not start");
  return {child, pclose};
}

// Makes the file of one case, as bad_archives.txt names the way and gives its argument.
std::string make(const std::string& way, const std::string& argument, const std::string& f,
                 Held& held) {
  if (way == "truncated") {
    const std::string path = goodArchive(f);
    const std::uintmax_t size = std::stoull(argument);
    fs::resize_file(path, size ? size : fs::file_size(path) / 2);
    return path;
  }
  if (way == "flipped-page-size") return withFlippedBit(goodArchive(f), 16, 0x04);
  if (way == "flipped-draw-table") {
    const std::string path = goodArchive(f);
    return withFlippedBit(path, drawTableRootPage(path), 0x40);
  }
  if (way == "flipped-number") {  // the first stored copy of the first draw's Bari
    const std::string path = goodArchive(f);
    std::ifstream in(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    const size_t at = content.find(encodeWheelText(weeklyDraws(1)[0].wheels[0].second));
    return withFlippedBit(path, at == std::string::npos ? content.size() : at, 0x01);
  }
  if (way == "text") std::ofstream(archiveIn(f)) << argument;
  if (way == "folder") fs::create_directory(archiveIn(f));
  if (way == "locked") held.push_back(lockHolder(goodArchive(f, 5)));
  if (way == "sql") return archiveFromSql(f, argument);
  if (way == "rows") {  // (DataEstrazione, Ba) values in an empty archive
    goodArchive(f, 0);
    return archiveFromSql(f, "INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES " + argument);
  }
  if (way == "good") return goodArchive(f, std::stoi(argument));
  if (way == "link-loop") fs::create_symlink("archivio.mdb", archiveIn(f));
  if (way == "long-name") return f + "/" + std::string(300, 'a') + ".mdb";
  if (way == "closed-folder") {
    fs::create_directory(f + "/chiusa");
    const std::string path = goodArchive(f + "/chiusa", 5);
    fs::permissions(f + "/chiusa", fs::perms::owner_all);
    return path;
  }
  if (way == "unreadable")
    fs::permissions(goodArchive(f, 5), fs::perms::owner_read | fs::perms::owner_write);
  if (way == "hot-journal")
    return copiedMidChange(
        f, "PRAGMA cache_size = 1; BEGIN; UPDATE EstrazioniLotto SET Ba = '01-02-03-04-05';",
        "-journal");
  if (way == "wal-pending")
    return copiedMidChange(f,
                           "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0; INSERT INTO "
                           "EstrazioniLotto (DataEstrazione) VALUES ('2030-01-01');",
                           "-wal");
  if (way == "wal")
    sqlite::Database(goodArchive(f), Mode::ReadWrite).execute("PRAGMA journal_mode = WAL");
  if (!fs::exists(fs::symlink_status(archiveIn(f))))
    throw std::invalid_argument("bad_archives.txt: no way " + way);
  return archiveIn(f);
}

decltype(BadArchiveCase::make) maker(const std::string& how) {
  const size_t space = how.find(' ');
  const std::string way = how.substr(0, space);
  const std::string argument = space == std::string::npos ? "" : how.substr(space + 1);
  return [way, argument](const std::string& folder, Held& held) {
    const std::string path = make(way, argument, folder, held);
    if (argument == "read-only-folder") {  // the file itself writable by all, its folder not
      fs::permissions(path, fs::perms::all);
      openFolderToEveryone(folder);
    }
    return path;
  };
}

Expectation expectation(const std::string& text) {
  const size_t space = text.find(' ');
  const std::string stage = text.substr(0, space), rest = text.substr(space + 1);
  if (stage == "loads" || stage == "completes")
    return {Expectation::Stage::Loads, "", std::stoi(rest), stage == "completes"};
  if (stage != "open" && stage != "load") throw std::invalid_argument("bad_archives.txt: " + text);
  return {stage == "open" ? Expectation::Stage::RefusedAtOpen : Expectation::Stage::RefusedAtLoad,
          rest};
}

std::vector<BadArchiveCase> readCases() {
  std::ifstream in(QUINTELLO_TEST_SOURCE_DIR "/support/bad_archives.txt");
  std::vector<BadArchiveCase> cases;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 3) {
      bar = line.find(" | ", start);
      fields.push_back(line.substr(start, bar - start));
    }
    if (fields.size() < 4) throw std::invalid_argument("bad_archives.txt: " + line);
    const Expectation program = expectation(fields[2]);
    cases.push_back({fields[0], maker(fields[1]), program,
                     fields[3] == "=" ? program : expectation(fields[3]), fields.size() > 4});
  }
  if (cases.empty()) throw std::runtime_error("bad_archives.txt not read");
  return cases;
}

}  // namespace

const std::vector<BadArchiveCase>& badArchiveCases() {
  static const std::vector<BadArchiveCase> cases = readCases();
  return cases;
}

std::string testName(const std::string& caseName) {
  std::string name;
  for (const unsigned char c : caseName)  // a "_" for each character not allowed, not each byte
    if (std::isalnum(c) || c < 0x80 || (c & 0xC0) == 0xC0)
      name += std::isalnum(c) ? static_cast<char>(c) : '_';
  return name;
}

}  // namespace quintello::test
