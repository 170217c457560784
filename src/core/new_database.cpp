#include "core/new_database.h"

#include <filesystem>

#include "core/database_errors.h"
#include "core/error.h"
#include "core/file_access.h"

namespace quintello {

sqlite::Database createDatabaseFile(const std::string& path, const std::string& shownPath,
                                    const std::string& what, int schemaVersion,
                                    const std::function<void(sqlite::Database&)>& fill) {
  const auto cannotCreate = [&](const std::string& why) {
    return Error("Impossibile creare " + what + " \"" + shownPath + "\": " + why);
  };
  if (const PathState state = inspectPath(path); !state.isMissing())
    throw cannotCreate(state.isFile() ? "il file esiste già." : unusableFileReason(path, state));
  try {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
    sqlite::Transaction transaction(db);
    fill(db);
    db.execute("PRAGMA user_version = " + std::to_string(schemaVersion));
    transaction.commit();
    return db;
  } catch (const sqlite::Failure& failure) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw cannotCreate(failure.code() == SQLITE_CANTOPEN
                           ? "la cartella \"" + folderOf(shownPath) +
                                 "\" non esiste o non consente la scrittura."
                           : databaseFailureReason(failure));
  }
}

}  // namespace quintello
