#include "core/sqlite.h"

#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

namespace quintello::sqlite {

namespace {

// "file:" URI of an absolute path, every byte but unreserved characters and "/"
// percent-encoded, so that no "?", "#" or "%" in a name is read as part of the URI.
std::string fileUri(const std::string& absolutePath, std::string_view query) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const unsigned char c : absolutePath) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri.append("?").append(query);
}

}  // namespace

Database::Database(const std::string& path, Mode mode) {
  int flags = SQLITE_OPEN_FULLMUTEX;
  std::string name = path;
  switch (mode) {
    case Mode::ReadWrite:
      flags |= SQLITE_OPEN_READWRITE;
      break;
    case Mode::ReadWriteCreate:
      flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
      break;
    case Mode::ReadOnly:
      flags |= SQLITE_OPEN_READONLY;
      break;
    case Mode::Immutable: {
      flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
      std::error_code error;
      const std::filesystem::path absolute = std::filesystem::absolute(path, error);
      if (error) throw Failure(SQLITE_CANTOPEN, "cannot make the path absolute");
      name = fileUri(absolute.string(), "immutable=1");
      break;
    }
  }
  const int code = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close(db_);
    db_ = nullptr;
    throw Failure(code, message);
  }
  sqlite3_extended_result_codes(db_, 1);
  // Another program holding the file gets a short grace period, then we report it.
  sqlite3_busy_timeout(db_, 1500);
}

Database& Database::operator=(Database&& other) noexcept {
  if (this != &other) {
    sqlite3_close(db_);
    db_ = std::exchange(other.db_, nullptr);
  }
  return *this;
}

Database::~Database() { sqlite3_close(db_); }

bool Database::readOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

void Database::fail(int code) const { throw Failure(code, db_ ? sqlite3_errmsg(db_) : "closed"); }

void Database::execute(std::string_view sql) {
  const std::string text(sql);
  const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) fail(code);
}

Statement Database::prepare(std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  const int code =
      sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (code != SQLITE_OK) fail(code);
  return Statement(stmt);
}

int Database::userVersion() {
  auto stmt = prepare("PRAGMA user_version");
  return stmt.step() ? stmt.integer(0) : 0;
}

int Database::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

void Database::guardAgainstUntrustedFile(int maxValueBytes) {
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, maxValueBytes);
  execute("PRAGMA cell_size_check = ON");
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::fail(int code) const {
  sqlite3* db = sqlite3_db_handle(stmt_);
  throw Failure(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

Statement& Statement::bind(int index, std::string_view text) {
  const int code =
      sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) fail(code);
  return *this;
}

Statement& Statement::bind(int index, int value) {
  const int code = sqlite3_bind_int(stmt_, index, value);
  if (code != SQLITE_OK) fail(code);
  return *this;
}

Statement& Statement::bindNull(int index) {
  const int code = sqlite3_bind_null(stmt_, index);
  if (code != SQLITE_OK) fail(code);
  return *this;
}

bool Statement::step() {
  const int code = sqlite3_step(stmt_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  fail(code);
}

void Statement::run() {
  while (step()) {
  }
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::string_view Statement::text(int col) const {
  const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
  if (!data) return {};
  return std::string_view(data, static_cast<size_t>(sqlite3_column_bytes(stmt_, col)));
}

int Statement::integer(int col) const { return sqlite3_column_int(stmt_, col); }

std::int64_t Statement::integer64(int col) const { return sqlite3_column_int64(stmt_, col); }

bool Statement::isNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }

Transaction::Transaction(Database& db, Kind kind) : db_(db) {
  db_.execute(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (!done_) {
    try {
      db_.execute("ROLLBACK");
    } catch (const Failure&) {
      // The connection already rolled back (for example after a full disk).
    }
  }
}

void Transaction::commit() {
  db_.execute("COMMIT");
  done_ = true;
}

bool hasSqliteHeader(const std::string& path) {
  static constexpr char kHeader[] = "SQLite format 3";  // followed by a NUL byte
  std::ifstream in(path, std::ios::binary);
  std::array<char, sizeof kHeader> head{};
  if (!in.read(head.data(), head.size())) return false;
  return std::memcmp(head.data(), kHeader, sizeof kHeader) == 0;
}

bool usesWriteAheadLog(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 20> head{};
  if (!in.read(reinterpret_cast<char*>(head.data()), head.size())) return false;
  return head[18] == 2 || head[19] == 2;  // the write and read format versions
}

}  // namespace quintello::sqlite
