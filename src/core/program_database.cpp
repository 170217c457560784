#include "core/program_database.h"

#include "core/database_errors.h"
#include "core/error.h"
#include "core/file_access.h"
#include "core/new_database.h"
#include "core/pending_file.h"

namespace quintello {

namespace {

constexpr std::string_view kSchema =
    "CREATE TABLE ParametriProgramma ("
    " Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, Valore2 TEXT)";

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void unusable(const std::string& path, const std::string& why) {
  throw Error("Impossibile aprire il database del programma " + inQuotes(path) + ": " + why);
}

// A file or folder in the way of the program database: moved aside, a new database is made.
constexpr std::string_view kMoveFileAside =
    " Spostare o rinominare il file: al successivo avvio il programma ne crea uno nuovo.";
constexpr std::string_view kMoveFolderAside =
    " Spostare o rinominare la cartella: al successivo avvio il programma crea il database.";

}  // namespace

ProgramDatabase ProgramDatabase::open(const std::string& path) {
  if (const PathState state = inspectPath(path); !state.isFile())
    unusable(path,
             unusableFileReason(path, state) +
                 (state.kind == PathState::Kind::Folder ? std::string(kMoveFolderAside) : ""));
  if (!canRead(path))
    unusable(path,
             "il file non può essere letto (permesso negato). Controllare i permessi del file.");
  if (!sqlite::hasSqliteHeader(path))
    unusable(path, "il file non è nel formato previsto." + std::string(kMoveFileAside));
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    db.prepare("SELECT Parametro, Valore1, Valore2 FROM ParametriProgramma LIMIT 0");
    return ProgramDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    if ((failure.code() & 0xff) == SQLITE_ERROR)
      unusable(path, "non contiene la tabella dei parametri (ParametriProgramma)." +
                         std::string(kMoveFileAside));
    unusable(path, databaseFailureReason(failure));
  }
}

ProgramDatabase ProgramDatabase::create(const std::string& path,
                                        const std::vector<Parameter>& rows) {
  return create(path, rows, path);
}

ProgramDatabase ProgramDatabase::create(const PendingFile& pending,
                                        const std::vector<Parameter>& rows) {
  return create(pending.path(), rows, pending.target());
}

ProgramDatabase ProgramDatabase::create(const std::string& path, const std::vector<Parameter>& rows,
                                        const std::string& shownPath) {
  const auto fill = [&](sqlite::Database& db) {
    db.execute(kSchema);
    auto insert =
        db.prepare("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?, ?, ?)");
    for (const auto& row : rows) {
      insert.bind(1, row.key).bind(2, row.value1).bind(3, row.value2).run();
      insert.reset();
    }
  };
  return ProgramDatabase(
      path, createDatabaseFile(path, shownPath, "il database del programma", kSchemaVersion, fill));
}

Error ProgramDatabase::failed(const char* doing, const sqlite::Failure& failure) const {
  return Error(std::string("Impossibile ") + doing + " nel database del programma " +
               inQuotes(path_) + ": " + databaseFailureReason(failure));
}

std::optional<std::string> ProgramDatabase::getParameter(std::string_view key) {
  try {
    auto stmt = db_.prepare("SELECT Valore1 FROM ParametriProgramma WHERE Parametro = ?");
    stmt.bind(1, key);
    if (!stmt.step()) return std::nullopt;
    return std::string(stmt.text(0));
  } catch (const sqlite::Failure& failure) {
    throw failed("leggere il parametro", failure);
  }
}

bool ProgramDatabase::setParameter(std::string_view key, std::string_view value) {
  try {
    sqlite::Transaction transaction(db_);
    auto stmt = db_.prepare("UPDATE ParametriProgramma SET Valore1 = ? WHERE Parametro = ?");
    stmt.bind(1, value).bind(2, key).run();
    const bool changed = sqlite3_changes(db_.handle()) > 0;
    transaction.commit();
    return changed;
  } catch (const sqlite::Failure& failure) {
    throw failed("salvare il parametro", failure);
  }
}

void ProgramDatabase::addMissingParameter(std::string_view key, std::string_view value) {
  try {
    sqlite::Transaction transaction(db_);
    db_.prepare(
           "INSERT OR IGNORE INTO ParametriProgramma (Parametro, Valore1, Valore2) "
           "VALUES (?, ?, '')")
        .bind(1, key)
        .bind(2, value)
        .run();
    transaction.commit();
  } catch (const sqlite::Failure& failure) {
    throw failed("salvare il parametro", failure);
  }
}

}  // namespace quintello
