#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quintello::sqlite {

// A failed SQLite call; what() holds SQLite's own message. Callers that face the user
// turn it into an Italian Error.
class Failure : public std::exception {
 public:
  Failure(int code, std::string message) : code_(code), message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  int code() const { return code_; }

 private:
  int code_;
  std::string message_;
};

class Statement;

// One open database file. Move-only; closes on destruction.
class Database {
 public:
  // Immutable reads a file that nothing writes while it is open: no locks and no side files
  // (-shm, -wal) beside it, so a reader leaves the folder as it found it.
  enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly, Immutable };

  Database() = default;
  Database(const std::string& path, Mode mode);
  Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}
  Database& operator=(Database&& other) noexcept;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  bool isOpen() const { return db_ != nullptr; }
  bool readOnly() const;
  void execute(std::string_view sql);  // statements without parameters
  Statement prepare(std::string_view sql);
  int userVersion();
  int changes() const;  // rows changed by the last INSERT, UPDATE or DELETE
  // For a file that comes from outside the program: no schema code with side effects, no
  // writes to the schema, stricter checks on damaged pages, and no single value larger than
  // maxValueBytes (a larger one fails with SQLITE_TOOBIG instead of filling the memory).
  void guardAgainstUntrustedFile(int maxValueBytes);
  sqlite3* handle() const { return db_; }

 private:
  [[noreturn]] void fail(int code) const;
  sqlite3* db_ = nullptr;
};

// A prepared statement: bind, then step() row by row, or run() once.
class Statement {
 public:
  Statement(Statement&& other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}
  Statement(const Statement&) = delete;
  ~Statement();

  Statement& bind(int index, std::string_view text);
  Statement& bind(int index, int value);
  Statement& bindNull(int index);
  bool step();  // true while a row is available
  void run();   // steps to the end
  void reset();

  std::string_view text(int col) const;  // NULL reads as empty text
  int integer(int col) const;
  std::int64_t integer64(int col) const;
  bool isNull(int col) const;

 private:
  friend class Database;
  explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  [[noreturn]] void fail(int code) const;
  sqlite3_stmt* stmt_;
};

// Every change runs inside one: without commit() the destructor rolls back, so a failure
// leaves the file as it was. A read transaction keeps one state of the file for many reads
// in a row, locking it once instead of at every statement.
class Transaction {
 public:
  enum class Kind { Write, Read };
  explicit Transaction(Database& db, Kind kind = Kind::Write);
  Transaction(const Transaction&) = delete;
  ~Transaction();
  void commit();

 private:
  Database& db_;
  bool done_ = false;
};

// True when the file starts with SQLite's header: anything else (an Access file, text,
// an empty file) is not ours to open.
bool hasSqliteHeader(const std::string& path);
// True when the file's header says it keeps its changes in a write-ahead log ("-wal" file)
// rather than a rollback journal.
bool usesWriteAheadLog(const std::string& path);

}  // namespace quintello::sqlite
