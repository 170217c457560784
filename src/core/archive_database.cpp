#include "core/archive_database.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "core/dates.h"
#include "core/error.h"

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

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
  throw Error("Il file " + inQuotes(path) +
              " non può essere usato come archivio delle estrazioni: " + why);
}

[[noreturn]] void refuse(const std::string& path, const sqlite::Failure& failure) {
  switch (failure.code() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      refuse(path, "è in uso da un altro programma. Chiudere l'altro programma e riprovare.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      refuse(path, "il file è danneggiato o incompleto.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
      refuse(path, "il file non può essere aperto in scrittura.");
    default:
      refuse(path, std::string("errore del database (") + failure.what() + ").");
  }
}

// Archives written by older versions may lack the calendar's view: it is added when the file
// is opened for writing. A file that cannot take it still opens; its calendar stays empty.
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
      why = failure.what();
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

std::optional<StoredDraw> StoredDrawReader::find(std::string_view isoDate) {
  try {
    statement_.reset();
    statement_.bind(1, isoDate);
    if (!statement_.step()) return std::nullopt;
    StoredDraw draw{std::string(statement_.text(0)), {}};
    for (int w = 0; w < kWheelCount; ++w)
      draw.wheels[static_cast<size_t>(w)] = statement_.text(w + 1);
    statement_.reset();
    return draw;
  } catch (const sqlite::Failure& failure) {
    refuse(path_, failure);
  }
}

ArchiveDatabase ArchiveDatabase::open(const std::string& path) {
  return open(path, Access::ReadWrite);
}

ArchiveDatabase ArchiveDatabase::openForReading(const std::string& path) {
  return open(path, Access::ReadOnly);
}

ArchiveDatabase ArchiveDatabase::open(const std::string& path, Access access) {
  namespace fs = std::filesystem;
  const bool writing = access == Access::ReadWrite;
  if (path.empty()) throw Error("Nessun archivio delle estrazioni selezionato.");
  if (!fs::is_regular_file(path)) refuse(path, "il file non esiste.");
  if (!sqlite::hasSqliteHeader(path))
    refuse(path, "non è un archivio di Quintello (formato del file non riconosciuto).");
  if (writing && ::access(path.c_str(), W_OK) != 0) refuse(path, "il file è in sola lettura.");
  try {
    sqlite::Database db(
        path, writing ? sqlite::Database::Mode::ReadWrite : sqlite::Database::Mode::ReadOnly);
    if (writing && db.readOnly()) refuse(path, "il file è in sola lettura.");
    // Reading the schema touches the file: a damaged or locked file fails here.
    try {
      db.prepare(
          "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz "
          "FROM EstrazioniLotto LIMIT 0");
    } catch (const sqlite::Failure& failure) {
      if ((failure.code() & 0xff) == SQLITE_ERROR)
        refuse(path, "non contiene la tabella delle estrazioni (EstrazioniLotto).");
      throw;
    }
    if (writing) {
      auto check = db.prepare("PRAGMA quick_check(1)");
      if (check.step() && check.text(0) != "ok")
        refuse(path, "il file è danneggiato o incompleto.");
      addCalendarViewIfMissing(db);
    }
    return ArchiveDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    refuse(path, failure);
  }
}

ArchiveDatabase ArchiveDatabase::create(const std::string& path) {
  if (std::filesystem::exists(path)) refuse(path, "il file esiste già.");
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
    sqlite::Transaction transaction(db);
    db.execute(kSchema);
    db.execute(kCalendarView);
    db.execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
    return ArchiveDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw Error("Impossibile creare l'archivio " + inQuotes(path) + ": " + failure.what());
  }
}

void ArchiveDatabase::load(DrawArchive& archive, Progress& progress, int progressStep,
                           DrawArchive::Ordinals ordinals) {
  try {
    const int total = drawCount();
    progress.setMaximum(total + 1);
    auto stmt = db_.prepare(kLoadQuery);
    archive.clear();
    int draw = 0;
    std::array<std::string_view, kWheelCount> wheels;
    while (stmt.step()) {
      ++draw;
      if (progressStep > 0 && draw % progressStep == 0) progress.setValue(draw);
      for (int w = 0; w < kWheelCount; ++w) wheels[static_cast<size_t>(w)] = stmt.text(w + 1);
      archive.loadRow(draw, dateTextFromIso(stmt.text(0)), wheels);
    }
    archive.finishLoad(draw, ordinals);
    progress.setValue(draw);
  } catch (const sqlite::Failure& failure) {
    refuse(path_, failure);
  }
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
    return StoredDrawReader(path_, db_.prepare(kFindDraw));
  } catch (const sqlite::Failure& failure) {
    refuse(path_, failure);
  }
}

sqlite::Transaction ArchiveDatabase::beginReading() {
  try {
    return sqlite::Transaction(db_, sqlite::Transaction::Kind::Read);
  } catch (const sqlite::Failure& failure) {
    refuse(path_, failure);
  }
}

int ArchiveDatabase::drawCount() {
  auto stmt = db_.prepare("SELECT COUNT(*) FROM EstrazioniLotto");
  return stmt.step() ? stmt.integer(0) : 0;
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
