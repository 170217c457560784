#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"
#include "core/progress.h"
#include "core/sqlite.h"

namespace quintello {

class PendingFile;

// One stored draw as the draw table holds it: ISO date and the eleven wheel texts.
struct StoredDraw {
  std::string isoDate;                          // "AAAA-MM-GG"
  std::array<std::string, kWheelCount> wheels;  // "NN-NN-NN-NN-NN" or empty
};

// Finds the stored draw of a date; the check of an update file reads the archive through it.
class StoredDrawLookup {
 public:
  virtual ~StoredDrawLookup() = default;
  // The draw stored under the ISO date, or nothing. Throws Error on a database failure.
  virtual std::optional<StoredDraw> find(std::string_view isoDate) = 0;
  // The draw with the latest date, or nothing in an empty archive.
  virtual std::optional<StoredDraw> last() = 0;
};

class ArchiveDatabase;

// Reads stored draws by date through one prepared statement, for many look-ups in a row.
// It belongs to the database it came from and must not outlive it.
class StoredDrawReader final : public StoredDrawLookup {
 public:
  std::optional<StoredDraw> find(std::string_view isoDate) override;
  std::optional<StoredDraw> last() override;

 private:
  friend class ArchiveDatabase;
  StoredDrawReader(std::string path, sqlite::Statement byDate, sqlite::Statement last)
      : path_(std::move(path)), byDate_(std::move(byDate)), last_(std::move(last)) {}
  std::optional<StoredDraw> read(sqlite::Statement& statement);
  std::string path_;
  sqlite::Statement byDate_, last_;
};

// One change of an update: a new draw, or new wheels for a stored one.
struct DrawWrite {
  enum class Kind { Add, Rewrite };
  Kind kind = Kind::Add;
  StoredDraw draw;
  // Rewrite only: an empty wheel keeps the stored one (a source that may lack a wheel).
  bool keepStoredWheels = false;
};

// The user's archive file: table EstrazioniLotto (one row per draw date) and the view
// Query_AAMMGG. Opening checks that the file really is such an archive and can be written.
class ArchiveDatabase {
 public:
  static constexpr int kSchemaVersion = 1;
  // Far beyond any real archive (about 11,000 draws since 1871): a table holding more rows
  // is refused rather than read into memory.
  static constexpr int kMaxDraws = 1'000'000;

  // Every failure throws Error with an Italian message naming the file and saying what is
  // wrong: missing, a folder, unreachable (link loop, name too long, closed folder), not
  // readable, not an SQLite file, no real draw table with its columns, damaged, read-only,
  // held by another program, or an interrupted write still to be completed.
  static ArchiveDatabase open(const std::string& path);
  // Opens for reading only (the command line, which never writes): a read-only file is fine,
  // nothing is created beside the file, and the whole-file check is left to the load, which
  // fails on a damaged page.
  static ArchiveDatabase openForReading(const std::string& path);
  // Creates a new, empty archive file (it must not exist yet).
  static ArchiveDatabase create(const std::string& path);
  // The same at the pending file's temporary path; messages name its target, the file the
  // user knows.
  static ArchiveDatabase create(const PendingFile& pending);

  // Reads every draw in date order into the archive (numbers and dates), reporting progress
  // every `progressStep` rows, and sets N. Ordinals as asked; the model archive is untouched.
  // A stored date that is not a calendar date, or more than kMaxDraws rows, refuse the whole
  // load, and the archive in memory stays as it was.
  void load(DrawArchive& archive, Progress& progress, int progressStep,
            DrawArchive::Ordinals ordinals);
  // Adds draws in one transaction, stamped with today's date and time; all or nothing.
  void insertDraws(const std::vector<StoredDraw>& draws);
  // Adds the calendar's view Query_AAMMGG to an archive written without it (files opened for
  // writing only; a file that cannot take it keeps an empty calendar).
  void ensureCalendarView();
  std::int64_t drawCount();

  // Single-draw changes, each in its own transaction and stamped with today's date and time
  // (datareg, orareg). The wheel texts are written as they stand. A date that is not an ISO
  // calendar date "AAAA-MM-GG", or a failure of the database, throws Error with an Italian
  // message naming the file; the file is then left as it was.
  //
  // Adds a new draw; false (nothing written) when a draw is already stored under its date.
  [[nodiscard]] bool insertDraw(const StoredDraw& draw);
  // Rewrites the eleven wheels of the draw stored under draw.isoDate, keeping the date;
  // false (nothing written) when no draw is stored under that date.
  [[nodiscard]] bool updateDraw(const StoredDraw& draw);
  // An update: every write in one transaction, committed once, in order, so the file holds
  // either all of them or none. An add whose date is stored, or a rewrite whose date is not,
  // is skipped: the result says, write by write, whether it was written.
  std::vector<bool> writeDraws(const std::vector<DrawWrite>& writes);
  // Removes the draw stored under the date; false when there is none.
  [[nodiscard]] bool deleteDraw(std::string_view isoDate);
  // The draw stored under the ISO date, or nothing.
  std::optional<StoredDraw> findDraw(std::string_view isoDate);
  // For many look-ups in a row (the check of an update file).
  StoredDrawReader drawReader();
  // Holds the file open for reading while it lives, so that many look-ups in a row see one
  // state of the archive and lock the file once. No change may be written meanwhile.
  sqlite::Transaction beginReading();

  const std::string& path() const { return path_; }
  sqlite::Database& database() { return db_; }

 private:
  enum class Access { ReadWrite, ReadOnly };
  static ArchiveDatabase open(const std::string& path, Access access);
  static ArchiveDatabase create(const std::string& path, const std::string& shownPath);
  [[noreturn]] void refuseTooManyDraws() const;
  [[noreturn]] void refuseDate(int draw, bool missing, std::string_view stored) const;
  ArchiveDatabase(std::string path, sqlite::Database db)
      : path_(std::move(path)), db_(std::move(db)) {}
  std::string path_;
  sqlite::Database db_;
};

// The start-up load: every draw, progress on each row, then the model archive from
// firstIndex (EstrazioneIniziale, clamped to 1..N).
void loadArchive(ArchiveDatabase& db, DrawArchive& archive, int firstIndex, Progress& progress);
// The reload after a change to the draw table: progress every 50 rows, the model archive
// becomes the whole archive 1..N.
void CaricaArchivioExNovo(ArchiveDatabase& db, DrawArchive& archive, Progress& progress);
// The load done when the archive window opens: numbers, dates and N only; the ordinals
// and the model archive stay as they were. Returns N.
int CaricaTabellaArchivio(ArchiveDatabase& db, DrawArchive& archive);

}  // namespace quintello
