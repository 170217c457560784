#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/sqlite.h"

namespace quintello {

class PendingFile;

// The program database "dbQuintello.mdb" in the program folder: the parameter table.
// Keys compare without regard to letter case. Every failure throws Error, with an Italian
// message naming the file.
class ProgramDatabase {
 public:
  static constexpr std::string_view kFileName = "dbQuintello.mdb";
  static constexpr int kSchemaVersion = 1;

  struct Parameter {
    std::string key, value1, value2;
  };

  // Opens an existing file; throws Error naming the file when it is missing or unusable.
  static ProgramDatabase open(const std::string& path);
  // Writes a new file holding the given parameter rows (it must not exist yet).
  static ProgramDatabase create(const std::string& path, const std::vector<Parameter>& rows);
  // The same at the pending file's temporary path; messages name its target.
  static ProgramDatabase create(const PendingFile& pending, const std::vector<Parameter>& rows);

  // Valore1 of the row, or nothing when no row has that key. A NULL value reads as "".
  std::optional<std::string> getParameter(std::string_view key);
  // Updates Valore1 of an existing row; returns false (and writes nothing) when there is none.
  [[nodiscard]] bool setParameter(std::string_view key, std::string_view value);
  // Adds a row with the value unless one with that key exists (a parameter newer than the
  // file).
  void addMissingParameter(std::string_view key, std::string_view value);

  const std::string& path() const { return path_; }

 private:
  static ProgramDatabase create(const std::string& path, const std::vector<Parameter>& rows,
                                const std::string& shownPath);
  Error failed(const char* doing, const sqlite::Failure& failure) const;
  ProgramDatabase(std::string path, sqlite::Database db)
      : path_(std::move(path)), db_(std::move(db)) {}
  std::string path_;
  sqlite::Database db_;
};

}  // namespace quintello
