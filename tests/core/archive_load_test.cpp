// The archive load's guarantees: only calendar dates reach the screen, a refused load leaves
// the draws in memory as they were, the load is bounded, large archives load whole with
// ordinals that do not wrap, and a reader leaves the archive's folder as it found it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "core/archive_database.h"
#include "core/dates.h"
#include "core/error.h"
#include "core/one_line_text.h"
#include "core/sqlite.h"
#include "support/folder_snapshot.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

TEST(StoredDates, OnlyCalendarDatesBecomeDateTexts) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"2025-12-30", "30/12/2025"},
      {"1871-01-07", "07/01/1871"},
      {"2024-02-29", "29/02/2024"},
      {"2021-01-05 00:00:00", "05/01/2021"},  // a time of day written by other programs
      {"2021-01-05T20:00:00.000", "05/01/2021"},
      {"2023-02-29", std::nullopt},
      {"2021-13-01", std::nullopt},
      {"2021-00-10", std::nullopt},
      {"2021-01-00", std::nullopt},
      {"05/01/2021", std::nullopt},
      {"2021-1-5", std::nullopt},
      {"20210105", std::nullopt},
      {"", std::nullopt},
      {"2021-01-05\t", std::nullopt},
      {"2021-01-05\nx", std::nullopt},
      {"2021-01-05 12:00\r\n", std::nullopt},
      {"2021-01-05x", std::nullopt},
      {"2021-01-05 00:00:00 00:00:00 00", std::nullopt},  // no time of day is that long
  };
  for (const auto& [stored, expected] : cases)
    EXPECT_EQ(dateTextFromStored(stored), expected) << '"' << stored << '"';
}

TEST(OneLineText, NoDataAddsALineOrAColumn) {
  EXPECT_EQ(oneLineText("a\tb\nc\rd\x1f\x7f"
                        "e"),
            "a?b?c?d??e");
  EXPECT_EQ(oneLineText("città 90"), "città 90");
  EXPECT_EQ(shortOneLineText("àààà", 3), "à...");  // never cut inside a character
  EXPECT_EQ(shortOneLineText("abc", 3), "abc");
}

DrawArchive loadFile(const std::string& path) {
  auto db = ArchiveDatabase::openForReading(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 1, progress);
  return archive;
}

TEST(ArchiveLoad, ARefusedLoadLeavesTheDrawsInMemory) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(30));
  auto db = ArchiveDatabase::open(path);
  DrawArchive archive;
  NoProgress progress;
  loadArchive(db, archive, 10, progress);
  // A row written by another program, with a date that is no date, sorts last.
  db.database().execute(
      "INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('9999-99-99', '')");
  try {
    CaricaArchivioExNovo(db, archive, progress);
    FAIL() << "a row without a calendar date was loaded";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what())
                  .find("l'estrazione numero 31 (in ordine di data) ha la data "
                        "\"9999-99-99\""),
              std::string::npos)
        << error.what();
  }
  EXPECT_EQ(archive.count(), 30);
  EXPECT_EQ(archive.modelFirst(), 10);
  EXPECT_EQ(archive.dateText(30), test::weeklyDraws(30).back().date);
  EXPECT_EQ(archive.number(30, 4, 3), test::weeklyDraws(30).back().wheels[4].second[2]);
}

// The guard against untrusted files leaves the program's own view readable: the calendar
// reads it.
TEST(ArchiveLoad, TheCalendarViewStillReads) {
  TempDir dir;
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, test::weeklyDraws(3));
  auto db = ArchiveDatabase::open(path);
  auto view = db.database().prepare("SELECT A, M, G FROM Query_AAMMGG ORDER BY DataEstrazione");
  ASSERT_TRUE(view.step());
  EXPECT_EQ(view.integer(0), 2000);
  EXPECT_EQ(view.integer(1), 1);
  EXPECT_EQ(view.integer(2), 1);
}

TEST(ArchiveLoad, MoreRowsThanAnyArchiveAreRefusedUnread) {
  TempDir dir;
  const std::string path = dir.file("enorme.mdb");
  {
    sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
    db.execute(
        "CREATE TABLE EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve,"
        " Nz); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(ArchiveDatabase::kMaxDraws + 1) +
        ") INSERT INTO EstrazioniLotto (DataEstrazione) SELECT i FROM n;");
  }
  try {
    loadFile(path);
    FAIL() << "the load went on";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("contiene più di 1000000 righe"), std::string::npos)
        << error.what();
  }
}

// Every day of January, year after year: the month never changes between two draws, so the
// month ordinal climbs to the last draw.
std::vector<StoredDraw> januaryDraws(int count) {
  std::vector<StoredDraw> draws;
  for (int i = 0; i < count; ++i) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-01-%02d", 1 + i / 31, 1 + i % 31);
    StoredDraw draw{date, {}};
    draw.wheels[0] = "01-02-03-04-05";
    draw.wheels[10] = i % 2 ? "90-89-88-87-86" : "";
    draws.push_back(std::move(draw));
  }
  return draws;
}

TEST(ArchiveLoad, TwoHundredThousandDrawsLoadWithOrdinalsThatDoNotWrap) {
  constexpr int kCount = 200'000;
  TempDir dir;
  const std::string path = dir.file("grande.mdb");
  ArchiveDatabase::create(path).insertDraws(januaryDraws(kCount));
  const DrawArchive archive = loadFile(path);
  ASSERT_EQ(archive.count(), kCount);
  EXPECT_EQ(archive.dateText(kCount), "19/01/6452");
  EXPECT_EQ(archive.monthOrdinal(kCount), kCount);
  EXPECT_EQ(archive.yearOrdinal(kCount), 19);
  EXPECT_EQ(archive.yearOrdinal(kCount - 18), 1);
  EXPECT_EQ(archive.number(kCount, 10, 5), 86);
  EXPECT_EQ(archive.number(kCount - 1, 10, 5), 0);
  EXPECT_EQ(archive.modelList().size(), size_t(kCount));
}

// A write-ahead-log archive: reading it creates no "-wal" or "-shm" file, whatever the
// characters of its folder's name, and changes still in its log are read.
TEST(ArchiveLoad, ReadingAWriteAheadLogArchiveLeavesTheFolderAsItWas) {
  TempDir dir;
  const std::string folder = dir.file("lotto ?#%20 città");
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/archivio.mdb";
  test::writeArchiveFile(path, test::weeklyDraws(12));
  sqlite::Database(path, sqlite::Database::Mode::ReadWrite).execute("PRAGMA journal_mode = WAL");
  const auto before = test::snapshotFolder(folder);
  EXPECT_EQ(loadFile(path).count(), 12);
  EXPECT_EQ(test::describeChanges(before, test::snapshotFolder(folder)), "");

  sqlite::Database writer(path, sqlite::Database::Mode::ReadWrite);
  writer.execute(
      "PRAGMA wal_autocheckpoint = 0;"
      "INSERT INTO EstrazioniLotto (DataEstrazione) VALUES ('2030-01-01')");
  const DrawArchive withLog = loadFile(path);
  EXPECT_EQ(withLog.count(), 13);
  EXPECT_EQ(withLog.dateText(13), "01/01/2030");
}

}  // namespace
}  // namespace quintello
