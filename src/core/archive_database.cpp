#include "core/archive_database.h"

#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>

#include "core/database_errors.h"
#include "core/dates.h"
#include "core/error.h"
#include "core/file_access.h"
#include "core/new_database.h"
#include "core/one_line_text.h"
#include "core/pending_file.h"

namespace quintello {

namespace {

constexpr std::string_view kSchema =
    "CREATE TABLE EstrazioniLotto ("
    " DataEstrazione TEXT PRIMARY KEY,"
    " Ba TEXT, Ca TEXT, Fi TEXT, Ge TEXT, Mi TEXT, Na TEXT, Pa TEXT, Ro TEXT, \"To\" TEXT,"
    " Ve TEXT, Nz TEXT, datareg TEXT, orareg TEXT);";

// The calendar's rows: year, month and day of every draw.
constexpr std::string_view kCalendarView =
    "CREATE VIEW Query_AAMMGG AS SELECT DataEstrazione,"
    " CAST(substr(DataEstrazione, 1, 4) AS INTEGER) AS A,"
    " CAST(substr(DataEstrazione, 6, 2) AS INTEGER) AS M,"
    " CAST(substr(DataEstrazione, 9, 2) AS INTEGER) AS G FROM EstrazioniLotto;";

constexpr std::string_view kLoadQuery =
    "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, "
    "EstrazioniLotto.Fi, EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, "
    "EstrazioniLotto.Pa, EstrazioniLotto.Ro, EstrazioniLotto.\"To\", EstrazioniLotto.Ve, "
    "EstrazioniLotto.Nz From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

// The columns the loader reads, and those only the program's own writes fill.
constexpr std::array<std::string_view, 12> kLoadedColumns = {
    "DataEstrazione", "Ba", "Ca", "Fi", "Ge", "Mi", "Na", "Pa", "Ro", "To", "Ve", "Nz"};
constexpr std::array<std::string_view, 2> kWrittenColumns = {"datareg", "orareg"};
// No stored value of an archive comes near this: a larger one is refused, not read.
constexpr int kMaxValueBytes = 1 << 20;

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
  throw Error("Il file " + inQuotes(path) +
              " non può essere usato come archivio delle estrazioni: " + why);
}

bool hasContent(const std::string& path) {
  if (!inspectPath(path).isFile()) return false;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return !error && size > 0;
}

// What is true when SQLite cannot open or read the archive. The usual causes are told
// apart by the files beside the archive: an interrupted write left in its journal, or
// changes kept in a write-ahead log that need a side file the folder does not allow.
std::string openFailureReason(const std::string& path, const sqlite::Failure& failure,
                              bool writing) {
  const std::string folder = inQuotes(folderOf(path));
  const std::string journal = inQuotes(path + "-journal"), wal = inQuotes(path + "-wal");
  const int code = failure.code(), primary = code & 0xff;
  const bool permission =
      primary == SQLITE_CANTOPEN || primary == SQLITE_READONLY || primary == SQLITE_PERM;
  if (code == SQLITE_READONLY_ROLLBACK)
    return "una modifica precedente dell'archivio è stata interrotta e va completata (file " +
           journal + "), ma il file o la cartella " + folder +
           " non consentono la scrittura. Chiedere il permesso di scrittura, poi riprovare: il "
           "programma o quintello-cli la completano all'apertura.";
  if (permission && hasContent(path + "-journal"))
    return "una modifica precedente dell'archivio è stata interrotta e non può essere "
           "completata, perché il file " +
           journal + " o la cartella " + folder +
           " non consentono la scrittura. Chiedere il permesso di scrittura sulla cartella, "
           "poi riprovare.";
  const bool walNeedsFolder =
      permission && sqlite::usesWriteAheadLog(path) && !canWrite(folderOf(path));
  if (code == SQLITE_READONLY_RECOVERY || (walNeedsFolder && hasContent(path + "-wal")))
    return "l'archivio tiene le ultime modifiche nel file " + wal +
           " e per leggerle servono file di appoggio che la cartella " + folder +
           " non consente di creare. Copiare l'archivio insieme al file " + wal +
           " in una cartella in cui si può scrivere, oppure chiedere il permesso di scrittura "
           "sulla cartella.";
  if (walNeedsFolder)
    return "l'archivio registra le modifiche in file di appoggio (" + wal + ") che la cartella " +
           folder +
           " non consente di creare. Spostare l'archivio in una cartella in cui si può "
           "scrivere, oppure chiedere il permesso di scrittura sulla cartella.";
  if (code == SQLITE_READONLY_DIRECTORY)
    return "la cartella " + folder +
           " non consente la scrittura. Spostare l'archivio in una cartella in cui si può "
           "scrivere, oppure chiedere il permesso di scrittura sulla cartella.";
  if (permission)
    return std::string(writing ? "il file non può essere aperto in scrittura"
                               : "il file non può essere aperto in lettura") +
           ": controllare i permessi del file e della cartella " + folder + ".";
  return databaseFailureReason(failure);
}

// The file itself, before SQLite sees it: what the path names, whether it can be read (and
// written), and whether it is an SQLite file at all.
void checkArchiveFile(const std::string& path, bool writing) {
  const PathState state = inspectPath(path);
  if (!state.isFile()) refuse(path, unusableFileReason(path, state));
  if (!canRead(path))
    refuse(path,
           "il file non può essere letto (permesso negato). Controllare i permessi del file.");
  if (!sqlite::hasSqliteHeader(path))
    refuse(path, "non è un archivio di Quintello (formato del file non riconosciuto).");
  if (writing && !canWrite(path))
    refuse(path,
           "il file è in sola lettura. Togliere la sola lettura dal file o sceglierne un altro.");
}

// A write killed half way leaves its journal ("hot"): a read-write connection rolls the
// change back on its first read, as the program does when it opens the archive. A command
// that only reads does the same when the file and its folder allow writing, so it reads the
// archive as it was; otherwise the read reports the journal.
void rollBackInterruptedWrite(const std::string& path) {
  if (!hasContent(path + "-journal") || !canWrite(path) || !canWrite(folderOf(path))) return;
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    db.execute("SELECT count(*) FROM sqlite_master");
  } catch (const sqlite::Failure&) {
    // Left to the read, which says what is wrong.
  }
}

// Reading only must leave the folder as it was. SQLite creates "-wal" and "-shm" files
// beside a write-ahead-log archive even to read it; when the log holds nothing those files
// are not needed and the archive is read as immutable. A rollback-journal archive is read
// with ordinary locks: that creates nothing, and a hot journal that cannot be rolled back is
// reported rather than silently ignored.
sqlite::Database connect(const std::string& path, bool writing) {
  using Mode = sqlite::Database::Mode;
  if (writing) return sqlite::Database(path, Mode::ReadWrite);
  rollBackInterruptedWrite(path);
  if (sqlite::usesWriteAheadLog(path) && !hasContent(path + "-wal"))
    return sqlite::Database(path, Mode::Immutable);
  return sqlite::Database(path, Mode::ReadOnly);
}

std::string lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The draw table must be a real table holding its stored columns: a view could run for ever
// (a recursive one) or yield more rows than any memory holds, and a computed column could
// make every row as large as it likes.
void checkDrawTable(sqlite::Database& db, const std::string& path, bool writing) {
  auto schema = db.prepare(
      "SELECT type, sql FROM sqlite_schema WHERE type IN ('table', 'view') AND "
      "lower(name) = 'estrazionilotto'");
  if (!schema.step()) refuse(path, "non contiene la tabella delle estrazioni (EstrazioniLotto).");
  const std::string described = "la tabella delle estrazioni (EstrazioniLotto)";
  if (schema.text(0) == "view") refuse(path, described + " è una vista, non una tabella di dati.");
  if (lowercase(schema.text(1)).starts_with("create virtual"))
    refuse(path, described + " è una tabella virtuale, non una tabella di dati.");

  std::map<std::string, int> hidden;  // lower-case column name -> 0 stored, else computed
  auto columns = db.prepare("PRAGMA table_xinfo(EstrazioniLotto)");
  while (columns.step()) hidden[lowercase(columns.text(1))] = columns.integer(6);
  auto check = [&](std::string_view column) {
    const auto found = hidden.find(lowercase(column));
    if (found == hidden.end())
      refuse(path, described + " non ha la colonna " + std::string(column) + ".");
    if (found->second != 0)
      refuse(path, "la colonna " + std::string(column) + " di " + described +
                       " è calcolata, non memorizzata.");
  };
  for (const auto column : kLoadedColumns) check(column);
  if (writing)
    for (const auto column : kWrittenColumns) check(column);
}

// Archives written by older versions may lack the calendar's view: it is added when the
// calendar first needs it, never by merely opening the file; a file that cannot take it keeps an
// empty calendar.
void addCalendarViewIfMissing(sqlite::Database& db) {
  {
    auto lookup = db.prepare("SELECT 1 FROM sqlite_master WHERE name = 'Query_AAMMGG'");
    if (lookup.step()) return;
  }
  try {
    sqlite::Transaction transaction(db);
    db.execute(kCalendarView);
    transaction.commit();
  } catch (const sqlite::Failure&) {
  }
}

// What the user is told when a change cannot be written; the file stays as it was.
[[noreturn]] void cannotWrite(const std::string& path, const sqlite::Failure& failure) {
  std::string why;
  switch (failure.code() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      why = "è in uso da un altro programma. Chiudere l'altro programma e riprovare.";
      break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
      why = "il file non può essere scritto.";
      break;
    case SQLITE_FULL:
      why = "il disco è pieno.";
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      why = "il file è danneggiato.";
      break;
    default:
      why = databaseFailureReason(failure);
  }
  throw Error("Impossibile scrivere nell'archivio " + inQuotes(path) + ": " + why);
}

constexpr std::string_view kInsertDraw =
    "INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, "
    "Nz, datareg, orareg) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr std::string_view kUpdateDraw =
    "UPDATE EstrazioniLotto SET Ba = ?, Ca = ?, Fi = ?, Ge = ?, Mi = ?, Na = ?, Pa = ?, Ro = ?, "
    "\"To\" = ?, Ve = ?, Nz = ?, datareg = ?, orareg = ? WHERE DataEstrazione = ?";
constexpr std::string_view kFindDraw =
    "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz "
    "FROM EstrazioniLotto WHERE DataEstrazione = ?";
constexpr std::string_view kLastDraw =
    "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz "
    "FROM EstrazioniLotto ORDER BY DataEstrazione DESC LIMIT 1";

std::string now(const char* format) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

// Today's date and the time of day, as datareg and orareg hold them.
struct Stamp {
  std::string date = now("%Y-%m-%d");
  std::string time = now("%H:%M:%S");
};

// Binds the eleven wheel texts from parameter `first` on.
void bindWheels(sqlite::Statement& statement, const StoredDraw& draw, int first) {
  for (int w = 0; w < kWheelCount; ++w)
    statement.bind(first + w, draw.wheels[static_cast<size_t>(w)]);
}

void requireIsoDate(std::string_view isoDate) {
  if (isoFromDateText(dateTextFromIso(isoDate)) != isoDate)
    throw Error("Data dell'estrazione non valida: \"" + std::string(isoDate.substr(0, 40)) + "\".");
}

}  // namespace

std::optional<StoredDraw> StoredDrawReader::read(sqlite::Statement& statement) {
  try {
    if (!statement.step()) {
      statement.reset();
      return std::nullopt;
    }
    StoredDraw draw{std::string(statement.text(0)), {}};
    for (int w = 0; w < kWheelCount; ++w)
      draw.wheels[static_cast<size_t>(w)] = statement.text(w + 1);
    statement.reset();
    return draw;
  } catch (const sqlite::Failure& failure) {
    refuse(path_, openFailureReason(path_, failure, false));
  }
}

std::optional<StoredDraw> StoredDrawReader::find(std::string_view isoDate) {
  byDate_.reset();
  byDate_.bind(1, isoDate);
  return read(byDate_);
}

std::optional<StoredDraw> StoredDrawReader::last() {
  last_.reset();
  return read(last_);
}

ArchiveDatabase ArchiveDatabase::open(const std::string& path) {
  return open(path, Access::ReadWrite);
}

ArchiveDatabase ArchiveDatabase::openForReading(const std::string& path) {
  return open(path, Access::ReadOnly);
}

ArchiveDatabase ArchiveDatabase::open(const std::string& path, Access access) {
  const bool writing = access == Access::ReadWrite;
  if (path.empty()) throw Error("Nessun archivio delle estrazioni selezionato.");
  checkArchiveFile(path, writing);
  try {
    sqlite::Database db = connect(path, writing);
    if (writing && db.readOnly())
      refuse(path,
             "il file è in sola lettura. Togliere la sola lettura dal file o sceglierne un altro.");
    db.guardAgainstUntrustedFile(kMaxValueBytes);
    // Reading the schema touches the file: a damaged or locked file fails here.
    checkDrawTable(db, path, writing);
    if (writing) {
      auto check = db.prepare("PRAGMA quick_check(1)");
      if (check.step() && check.text(0) != "ok")
        refuse(path, "il file è danneggiato o incompleto. Usare una copia di sicurezza del file.");
    }
    return ArchiveDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    refuse(path, openFailureReason(path, failure, writing));
  }
}

ArchiveDatabase ArchiveDatabase::create(const std::string& path) { return create(path, path); }

ArchiveDatabase ArchiveDatabase::create(const PendingFile& pending) {
  return create(pending.path(), pending.target());
}

ArchiveDatabase ArchiveDatabase::create(const std::string& path, const std::string& shownPath) {
  return ArchiveDatabase(path, createDatabaseFile(path, shownPath, "l'archivio", kSchemaVersion,
                                                  [](sqlite::Database& db) {
                                                    db.execute(kSchema);
                                                    db.execute(kCalendarView);
                                                  }));
}

namespace {

// One draw read and checked, waiting for the whole table to be read.
struct LoadedDraw {
  std::string dateText;
  std::array<WheelNumbers, kWheelCount> wheels;
};

}  // namespace

void ArchiveDatabase::load(DrawArchive& archive, Progress& progress, int progressStep,
                           DrawArchive::Ordinals ordinals) {
  // Everything is read and checked before the archive is touched: a refused load leaves
  // the draws in memory as they were.
  std::vector<LoadedDraw> draws;
  try {
    const std::int64_t total = drawCount();
    if (total > kMaxDraws) refuseTooManyDraws();
    progress.setMaximum(static_cast<int>(total) + 1);
    draws.reserve(static_cast<size_t>(total));
    auto stmt = db_.prepare(kLoadQuery);
    while (stmt.step()) {
      if (draws.size() >= static_cast<size_t>(kMaxDraws)) refuseTooManyDraws();
      const int draw = static_cast<int>(draws.size()) + 1;
      auto date = dateTextFromStored(stmt.text(0));
      if (!date) refuseDate(draw, stmt.isNull(0), stmt.text(0));
      LoadedDraw& loaded = draws.emplace_back(LoadedDraw{std::move(*date), {}});
      for (int w = 0; w < kWheelCount; ++w)
        loaded.wheels[static_cast<size_t>(w)] = decodeWheelText(stmt.text(w + 1));
      if (progressStep > 0 && draw % progressStep == 0) progress.setValue(draw);
    }
  } catch (const sqlite::Failure& failure) {
    refuse(path_, openFailureReason(path_, failure, !db_.readOnly()));
  }
  archive.clear();
  int draw = 0;
  for (const auto& loaded : draws) archive.loadRow(++draw, loaded.dateText, loaded.wheels);
  archive.finishLoad(draw, ordinals);
  progress.setValue(draw);
}

void ArchiveDatabase::refuseTooManyDraws() const {
  refuse(path_, "la tabella delle estrazioni contiene più di " + std::to_string(kMaxDraws) +
                    " righe, molte più di quante ne abbia mai avute il Lotto: non è un archivio "
                    "delle estrazioni.");
}

void ArchiveDatabase::refuseDate(int draw, bool missing, std::string_view stored) const {
  const std::string which = "l'estrazione numero " + std::to_string(draw) + " (in ordine di data)";
  refuse(path_, which +
                    (missing ? " non ha la data"
                             : " ha la data \"" + shortOneLineText(stored) +
                                   "\", che non è una data valida nella forma AAAA-MM-GG") +
                    ". Correggere la data nell'archivio o sceglierne un altro.");
}

void ArchiveDatabase::insertDraws(const std::vector<StoredDraw>& draws) {
  try {
    sqlite::Transaction transaction(db_);
    auto insert = db_.prepare(kInsertDraw);
    const Stamp stamp;
    for (const auto& draw : draws) {
      insert.bind(1, draw.isoDate);
      bindWheels(insert, draw, 2);
      insert.bind(13, stamp.date).bind(14, stamp.time).run();
      insert.reset();
    }
    transaction.commit();
  } catch (const sqlite::Failure& failure) {
    cannotWrite(path_, failure);
  }
}

bool ArchiveDatabase::insertDraw(const StoredDraw& draw) {
  requireIsoDate(draw.isoDate);
  try {
    sqlite::Transaction transaction(db_);
    // Looked up inside the transaction, so no other writer can take the date in between.
    auto taken = db_.prepare("SELECT 1 FROM EstrazioniLotto WHERE DataEstrazione = ?");
    if (taken.bind(1, draw.isoDate).step()) return false;
    auto insert = db_.prepare(kInsertDraw);
    const Stamp stamp;
    insert.bind(1, draw.isoDate);
    bindWheels(insert, draw, 2);
    insert.bind(13, stamp.date).bind(14, stamp.time).run();
    transaction.commit();
    return true;
  } catch (const sqlite::Failure& failure) {
    cannotWrite(path_, failure);
  }
}

bool ArchiveDatabase::updateDraw(const StoredDraw& draw) {
  requireIsoDate(draw.isoDate);
  try {
    sqlite::Transaction transaction(db_);
    auto update = db_.prepare(kUpdateDraw);
    const Stamp stamp;
    bindWheels(update, draw, 1);
    update.bind(12, stamp.date).bind(13, stamp.time).bind(14, draw.isoDate).run();
    if (db_.changes() == 0) return false;
    transaction.commit();
    return true;
  } catch (const sqlite::Failure& failure) {
    cannotWrite(path_, failure);
  }
}

std::vector<bool> ArchiveDatabase::writeDraws(const std::vector<DrawWrite>& writes) {
  for (const auto& write : writes) requireIsoDate(write.draw.isoDate);
  std::vector<bool> written;
  written.reserve(writes.size());
  try {
    sqlite::Transaction transaction(db_);
    StoredDrawReader stored = drawReader();
    auto insert = db_.prepare(kInsertDraw);
    auto update = db_.prepare(kUpdateDraw);
    const Stamp stamp;
    for (const auto& write : writes) {
      // Looked up inside the transaction, so no other writer can change the date in between.
      const auto found = stored.find(write.draw.isoDate);
      const bool adding = write.kind == DrawWrite::Kind::Add;
      written.push_back(adding != found.has_value());
      if (!written.back()) continue;
      StoredDraw draw = write.draw;
      if (found && write.keepStoredWheels)
        for (size_t w = 0; w < draw.wheels.size(); ++w)
          if (draw.wheels[w].empty()) draw.wheels[w] = found->wheels[w];
      auto& statement = adding ? insert : update;
      statement.reset();
      if (adding) {
        statement.bind(1, draw.isoDate);
        bindWheels(statement, draw, 2);
        statement.bind(13, stamp.date).bind(14, stamp.time).run();
      } else {
        bindWheels(statement, draw, 1);
        statement.bind(12, stamp.date).bind(13, stamp.time).bind(14, draw.isoDate).run();
      }
    }
    transaction.commit();
  } catch (const sqlite::Failure& failure) {
    cannotWrite(path_, failure);
  }
  return written;
}

bool ArchiveDatabase::deleteDraw(std::string_view isoDate) {
  requireIsoDate(isoDate);
  try {
    sqlite::Transaction transaction(db_);
    db_.prepare("DELETE FROM EstrazioniLotto WHERE DataEstrazione = ?").bind(1, isoDate).run();
    if (db_.changes() == 0) return false;
    transaction.commit();
    return true;
  } catch (const sqlite::Failure& failure) {
    cannotWrite(path_, failure);
  }
}

std::optional<StoredDraw> ArchiveDatabase::findDraw(std::string_view isoDate) {
  return drawReader().find(isoDate);
}

StoredDrawReader ArchiveDatabase::drawReader() {
  try {
    return StoredDrawReader(path_, db_.prepare(kFindDraw), db_.prepare(kLastDraw));
  } catch (const sqlite::Failure& failure) {
    refuse(path_, openFailureReason(path_, failure, false));
  }
}

sqlite::Transaction ArchiveDatabase::beginReading() {
  try {
    return sqlite::Transaction(db_, sqlite::Transaction::Kind::Read);
  } catch (const sqlite::Failure& failure) {
    refuse(path_, openFailureReason(path_, failure, false));
  }
}

void ArchiveDatabase::ensureCalendarView() {
  if (!db_.readOnly()) addCalendarViewIfMissing(db_);
}

std::int64_t ArchiveDatabase::drawCount() {
  try {
    auto stmt = db_.prepare("SELECT COUNT(*) FROM EstrazioniLotto");
    return stmt.step() ? stmt.integer64(0) : 0;
  } catch (const sqlite::Failure& failure) {
    refuse(path_, openFailureReason(path_, failure, !db_.readOnly()));
  }
}

void loadArchive(ArchiveDatabase& db, DrawArchive& archive, int firstIndex, Progress& progress) {
  db.load(archive, progress, 1, DrawArchive::Ordinals::Compute);
  archive.buildModel(firstIndex);
}

void CaricaArchivioExNovo(ArchiveDatabase& db, DrawArchive& archive, Progress& progress) {
  db.load(archive, progress, 50, DrawArchive::Ordinals::Compute);
  archive.buildModel(1);
}

int CaricaTabellaArchivio(ArchiveDatabase& db, DrawArchive& archive) {
  NoProgress none;
  db.load(archive, none, 0, DrawArchive::Ordinals::Keep);
  return archive.count();
}

}  // namespace quintello
