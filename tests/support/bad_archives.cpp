#include "support/bad_archives.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/sqlite.h"
#include "core/wheel_text.h"
#include "support/test_archive.h"

namespace quintello::test {

namespace {

namespace fs = std::filesystem;
using Stage = Expectation::Stage;
using Mode = sqlite::Database::Mode;

constexpr int kDraws = 300;  // enough for a file of several pages

const std::string kTable =
    "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY, Ba TEXT, Ca TEXT, Fi TEXT, "
    "Ge TEXT, Mi TEXT, Na TEXT, Pa TEXT, Ro TEXT, \"To\" TEXT, Ve TEXT, Nz TEXT, datareg TEXT, "
    "orareg TEXT);";

Expectation loads(int draws) { return {Stage::Loads, "", draws}; }
Expectation atOpen(std::string words) { return {Stage::RefusedAtOpen, std::move(words)}; }
Expectation atLoad(std::string words) { return {Stage::RefusedAtLoad, std::move(words)}; }

std::string archiveIn(const std::string& folder) { return folder + "/archivio.mdb"; }

std::string goodArchive(const std::string& folder, int draws = kDraws) {
  const std::string path = archiveIn(folder);
  writeArchiveFile(path, weeklyDraws(draws));
  return path;
}

// An archive built by SQL, for tables the program would never write.
std::string archiveFromSql(const std::string& folder, const std::string& sql) {
  const std::string path = archiveIn(folder);
  sqlite::Database(path, Mode::ReadWriteCreate).execute(sql);
  return path;
}

// A draw-table row with a given date and Bari text; the other wheels empty.
std::string row(const std::string& date, const std::string& bari) {
  return "INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (" + date + ", " + bari + ");";
}

std::string truncated(const std::string& folder, std::uintmax_t size) {
  const std::string path = goodArchive(folder);
  fs::resize_file(path, size ? size : fs::file_size(path) / 2);
  return path;
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
  auto root = db.prepare("SELECT rootpage FROM sqlite_schema WHERE name = 'EstrazioniLotto'");
  auto size = db.prepare("PRAGMA page_size");
  root.step();
  size.step();
  return static_cast<std::uintmax_t>(root.integer(0) - 1) * size.integer(0);
}

// Offset of the first stored copy of a text in a file.
std::uintmax_t offsetOf(const std::string& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), {});
  const size_t found = content.find(text);
  if (found == std::string::npos) throw std::runtime_error(text + " not in " + path);
  return found;
}

// A copy of a good archive taken while another connection is half-way through a large
// change: the copy's journal is hot, and the next opening must roll the change back.
std::string withHotJournal(const std::string& folder) {
  const std::string original = folder + "/originale.mdb", path = archiveIn(folder);
  writeArchiveFile(original, weeklyDraws(kDraws));
  {
    sqlite::Database db(original, Mode::ReadWrite);
    db.execute("PRAGMA cache_size = 1; BEGIN; UPDATE EstrazioniLotto SET Ba = '01-02-03-04-05';");
    fs::copy_file(original, path);
    fs::copy_file(original + "-journal", path + "-journal");
    db.execute("ROLLBACK");
  }
  fs::remove(original);
  return path;
}

// A good archive switched to a write-ahead log; with pendingChanges its last change is
// still in the "-wal" file (copied without its "-shm" index).
std::string inWalMode(const std::string& folder, bool pendingChanges) {
  const std::string path = goodArchive(folder);
  if (!pendingChanges) {
    sqlite::Database(path, Mode::ReadWrite).execute("PRAGMA journal_mode = WAL");
    return path;
  }
  const std::string original = folder + "/originale.mdb";
  fs::rename(path, original);
  {
    sqlite::Database db(original, Mode::ReadWrite);
    db.execute("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;");
    db.execute("INSERT INTO EstrazioniLotto (DataEstrazione) VALUES ('2030-01-01')");
    fs::copy_file(original, path);
    fs::copy_file(original + "-wal", path + "-wal");
  }
  fs::remove(original);
  return path;
}

// Another program holding the archive's exclusive lock with a change under way
// (programs/lock_holder.cpp), until destroyed. A separate process, because a process's own
// locks vanish as soon as it closes any handle on the file, as a snapshot of the folder does.
class LockHolder {
 public:
  explicit LockHolder(const std::string& path) {
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
      throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(toChild[0], STDIN_FILENO);
      dup2(fromChild[1], STDOUT_FILENO);
      execl(QUINTELLO_TEST_LOCK_HOLDER, QUINTELLO_TEST_LOCK_HOLDER, path.c_str(), nullptr);
      _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    char ready[8] = {};
    const ssize_t got = read(fromChild[0], ready, 7);
    close(fromChild[0]);
    if (pid_ < 0 || got != 7 || std::string(ready) != "pronto\n")
      throw std::runtime_error("the lock holder did not start");
  }
  ~LockHolder() {
    close(input_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};

void makeReadOnlyFolder(const std::string& folder) {
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
}

const std::string kDamaged = "danneggiato o incompleto";
const std::string kNotAnArchive = "non è un archivio di Quintello";
const std::string kInvalidDate = "non è una data valida nella forma AAAA-MM-GG";

std::vector<BadArchiveCase> makeCases() {
  std::vector<BadArchiveCase> cases = {
      // Damage.
      {"troncato a 100 byte", [](const std::string& f, Held&) { return truncated(f, 100); },
       atOpen(kDamaged), atLoad(kDamaged)},
      {"troncato a 5000 byte", [](const std::string& f, Held&) { return truncated(f, 5000); },
       atOpen(kDamaged), atLoad(kDamaged)},
      {"troncato a metà", [](const std::string& f, Held&) { return truncated(f, 0); },
       atOpen(kDamaged), atLoad(kDamaged)},
      {"bit cambiato nella dimensione delle pagine",
       [](const std::string& f, Held&) { return withFlippedBit(goodArchive(f), 16, 0x04); },
       atOpen(kDamaged), atLoad(kDamaged)},
      {"bit cambiato nella tabella delle estrazioni",
       [](const std::string& f, Held&) {
         const std::string path = goodArchive(f);
         return withFlippedBit(path, drawTableRootPage(path), 0x40);
       },
       atOpen(kDamaged), atLoad(kDamaged)},
      // A flipped bit inside a stored number changes the number and nothing else.
      {"bit cambiato in un numero",
       [](const std::string& f, Held&) {
         const std::string path = goodArchive(f);
         const WheelNumbers draw = weeklyDraws(1)[0].wheels[0].second;
         return withFlippedBit(path, offsetOf(path, encodeWheelText(draw)), 0x01);
       },
       loads(kDraws), loads(kDraws)},
      // Not an archive at all.
      {"file di testo",
       [](const std::string& f, Held&) {
         std::ofstream(archiveIn(f)) << "07/01/1871 15-71-18-64-81\n";
         return archiveIn(f);
       },
       atOpen(kNotAnArchive), atOpen(kNotAnArchive)},
      {"file vuoto",
       [](const std::string& f, Held&) {
         std::ofstream{archiveIn(f)};
         return archiveIn(f);
       },
       atOpen(kNotAnArchive), atOpen(kNotAnArchive)},
      {"cartella",
       [](const std::string& f, Held&) {
         fs::create_directory(archiveIn(f));
         return archiveIn(f);
       },
       atOpen("è una cartella, non un file"), atOpen("è una cartella, non un file")},
      {"bloccato da un altro programma",
       [](const std::string& f, Held& held) {
         const std::string path = goodArchive(f, 5);
         held.push_back(std::make_shared<LockHolder>(path));
         return path;
       },
       atOpen("in uso da un altro programma"), atOpen("in uso da un altro programma")},
      // Tables and columns.
      {"senza tabella delle estrazioni",
       [](const std::string& f, Held&) { return archiveFromSql(f, "CREATE TABLE Altro (x);"); },
       atOpen("non contiene la tabella delle estrazioni (EstrazioniLotto)"),
       atOpen("non contiene la tabella delle estrazioni (EstrazioniLotto)")},
      {"senza colonna Nz",
       [](const std::string& f, Held&) {
         return archiveFromSql(f,
                               "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY, Ba,"
                               " Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, datareg, orareg);");
       },
       atOpen("non ha la colonna Nz"), atOpen("non ha la colonna Nz")},
      {"colonna calcolata",
       [](const std::string& f, Held&) {
         return archiveFromSql(f,
                               "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY, Ba,"
                               " Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, datareg, orareg, Nz AS "
                               "(zeroblob(100000000)));");
       },
       atOpen("la colonna Nz"), atOpen("è calcolata")},
      {"tabella vuota", [](const std::string& f, Held&) { return goodArchive(f, 0); }, loads(0),
       loads(0)},
      // Odd contents.
      {"numeri fuori da 1..90",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01-05'", "'99-00-95-91-07'") +
                                      row("'2021-01-07'", "'-5--1-+3-1x-xx'"));
       },
       loads(2), loads(2)},
      {"ruote NULL",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01-05'", "NULL") + row("'2021-01-07'", "7"));
       },
       loads(2), loads(2)},
      {"data NULL",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01-05'", "NULL") + row("NULL", "NULL"));
       },
       atLoad("non ha la data"), atLoad("non ha la data")},
      {"data inesistente",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-02-30'", "NULL"));
       },
       atLoad("\"2021-02-30\", che " + kInvalidDate), atLoad(kInvalidDate)},
      {"data nella forma GG/MM/AAAA",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'30/01/2021'", "NULL"));
       },
       atLoad(kInvalidDate), atLoad(kInvalidDate)},
      {"data con una tabulazione",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01-05' || char(9) || 'x'", "NULL"));
       },
       atLoad("\"2021-01-05?x\""), atLoad("\"2021-01-05?x\"")},
      {"data con un a capo",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01' || char(10) || '-05'", "NULL"));
       },
       atLoad("\"2021-01?-05\""), atLoad("\"2021-01?-05\"")},
      {"data con un numero",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("20210105", "NULL"));
       },
       atLoad(kInvalidDate), atLoad(kInvalidDate)},
      {"data con l'ora",
       [](const std::string& f, Held&) {
         return archiveFromSql(f, kTable + row("'2021-01-05 00:00:00'", "NULL"));
       },
       loads(1), loads(1)},
      // Paths that cannot be followed.
      {"collegamento circolare",
       [](const std::string& f, Held&) {
         fs::create_symlink("archivio.mdb", archiveIn(f));
         return archiveIn(f);
       },
       atOpen("collegamento simbolico che rimanda a se stesso"),
       atOpen("collegamento simbolico che rimanda a se stesso")},
      {"nome troppo lungo",
       [](const std::string& f, Held&) { return f + "/" + std::string(300, 'a') + ".mdb"; },
       atOpen("troppo lungo per il sistema"), atOpen("troppo lungo per il sistema")},
      {"cartella non accessibile",
       [](const std::string& f, Held&) {
         fs::create_directory(f + "/chiusa");
         const std::string path = goodArchive(f + "/chiusa", 5);
         fs::permissions(f + "/chiusa", fs::perms::owner_all);
         return path;
       },
       atOpen("/chiusa\" non è accessibile (permesso negato)"),
       atOpen("/chiusa\" non è accessibile (permesso negato)"), true},
      {"file non leggibile",
       [](const std::string& f, Held&) {
         const std::string path = goodArchive(f, 5);
         fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
         return path;
       },
       atOpen("non può essere letto (permesso negato)"),
       atOpen("non può essere letto (permesso negato)"), true},
      // The draw table as a view.
      {"vista ricorsiva",
       [](const std::string& f, Held&) {
         return archiveFromSql(
             f,
             "CREATE VIEW EstrazioniLotto AS WITH RECURSIVE r(d) AS (SELECT '2000-01-01' UNION "
             "ALL SELECT d FROM r) SELECT d AS DataEstrazione, '' AS Ba, '' AS Ca, '' AS Fi, '' "
             "AS Ge, '' AS Mi, '' AS Na, '' AS Pa, '' AS Ro, '' AS \"To\", '' AS Ve, '' AS Nz, "
             "'' AS datareg, '' AS orareg FROM r;");
       },
       atOpen("è una vista, non una tabella di dati"),
       atOpen("è una vista, non una tabella di dati")},
      {"vista enorme",
       [](const std::string& f, Held&) {
         return archiveFromSql(
             f, kTable + row("'2021-01-05'", "NULL") +
                    "CREATE TABLE c (n); WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
                    "FROM r WHERE n < 1000) INSERT INTO c SELECT n FROM r;"
                    "ALTER TABLE EstrazioniLotto RENAME TO Vere;"
                    "CREATE VIEW EstrazioniLotto AS SELECT v.* FROM Vere v, c, c AS c2, c AS c3;");
       },
       atOpen("è una vista, non una tabella di dati"),
       atOpen("è una vista, non una tabella di dati")},
      // Interrupted writes and write-ahead logs.
      {"scrittura interrotta",
       [](const std::string& f, Held&) { return withHotJournal(f); },
       {Stage::Loads, "", kDraws, true}, {Stage::Loads, "", kDraws, true}},
      {"scrittura interrotta, cartella non scrivibile",
       [](const std::string& f, Held&) {
         const std::string path = withHotJournal(f);
         fs::permissions(path, fs::perms::all);
         makeReadOnlyFolder(f);
         return path;
       },
       atOpen("non può essere completata"), atOpen("va completata"), true},
      {"registro WAL vuoto", [](const std::string& f, Held&) { return inWalMode(f, false); },
       loads(kDraws), loads(kDraws)},
      {"registro WAL vuoto, cartella non scrivibile",
       [](const std::string& f, Held&) {
         const std::string path = inWalMode(f, false);
         fs::permissions(path, fs::perms::all);
         makeReadOnlyFolder(f);
         return path;
       },
       atOpen("file di appoggio ("), loads(kDraws), true},
      {"registro WAL con modifiche, cartella non scrivibile",
       [](const std::string& f, Held&) {
         const std::string path = inWalMode(f, true);
         fs::permissions(path, fs::perms::all);
         makeReadOnlyFolder(f);
         return path;
       },
       atOpen("file di appoggio"), atOpen("file di appoggio"), true},
  };
  return cases;
}

}  // namespace

const std::vector<BadArchiveCase>& badArchiveCases() {
  static const std::vector<BadArchiveCase> cases = makeCases();
  return cases;
}

std::string testName(const std::string& caseName) {
  std::string name;
  for (const unsigned char c : caseName) {
    if (std::isalnum(c))
      name += static_cast<char>(c);
    else if (c < 0x80 || (c & 0xC0) == 0xC0)
      name += '_';
  }
  return name;
}

}  // namespace quintello::test
