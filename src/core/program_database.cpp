#include "core/program_database.h"

#include <filesystem>

#include "core/error.h"

namespace quintello {

namespace {

constexpr std::string_view kSchema =
    "CREATE TABLE ParametriProgramma ("
    " Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, Valore2 TEXT)";

[[noreturn]] void unusable(const std::string& path, const std::string& why) {
  throw Error("Impossibile aprire il database del programma \"" + path + "\": " + why);
}

}  // namespace

ProgramDatabase ProgramDatabase::open(const std::string& path) {
  if (!std::filesystem::is_regular_file(path)) unusable(path, "il file non esiste.");
  if (!sqlite::hasSqliteHeader(path)) unusable(path, "il file non è nel formato previsto.");
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    db.prepare("SELECT Parametro, Valore1, Valore2 FROM ParametriProgramma LIMIT 0");
    return ProgramDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    unusable(path, failure.what());
  }
}

ProgramDatabase ProgramDatabase::create(const std::string& path,
                                        const std::vector<Parameter>& rows) {
  if (std::filesystem::exists(path)) unusable(path, "il file esiste già.");
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
    sqlite::Transaction transaction(db);
    db.execute(kSchema);
    auto insert =
        db.prepare("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?, ?, ?)");
    for (const auto& row : rows) {
      insert.bind(1, row.key).bind(2, row.value1).bind(3, row.value2).run();
      insert.reset();
    }
    db.execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
    return ProgramDatabase(path, std::move(db));
  } catch (const sqlite::Failure& failure) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw Error("Impossibile creare il database del programma \"" + path + "\": " + failure.what());
  }
}

std::optional<std::string> ProgramDatabase::getParameter(std::string_view key) {
  auto stmt = db_.prepare("SELECT Valore1 FROM ParametriProgramma WHERE Parametro = ?");
  stmt.bind(1, key);
  if (!stmt.step()) return std::nullopt;
  return std::string(stmt.text(0));
}

bool ProgramDatabase::setParameter(std::string_view key, std::string_view value) {
  sqlite::Transaction transaction(db_);
  auto stmt = db_.prepare("UPDATE ParametriProgramma SET Valore1 = ? WHERE Parametro = ?");
  stmt.bind(1, value).bind(2, key).run();
  const bool changed = sqlite3_changes(db_.handle()) > 0;
  transaction.commit();
  return changed;
}

std::vector<ProgramDatabase::Parameter> ProgramDatabase::listParameters() {
  std::vector<Parameter> rows;
  auto stmt =
      db_.prepare("SELECT Parametro, Valore1, Valore2 FROM ParametriProgramma ORDER BY Parametro");
  while (stmt.step())
    rows.push_back(
        {std::string(stmt.text(0)), std::string(stmt.text(1)), std::string(stmt.text(2))});
  return rows;
}

}  // namespace quintello
