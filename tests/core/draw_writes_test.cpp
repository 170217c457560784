// Single-draw writes of the archive file: add, rewrite, delete, look up.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <regex>

#include "core/archive_database.h"
#include "core/error.h"
#include "core/sqlite.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;

StoredDraw draw(const std::string& iso, const std::string& bari, const std::string& nz = "") {
  StoredDraw d{iso, {}};
  d.wheels[0] = bari;
  d.wheels[10] = nz;
  return d;
}

// Every stored row as "date Ba Nz", in date order.
std::vector<std::string> rows(ArchiveDatabase& db) {
  std::vector<std::string> out;
  auto stmt = db.database().prepare(
      "SELECT DataEstrazione, Ba, Nz FROM EstrazioniLotto ORDER BY DataEstrazione");
  while (stmt.step())
    out.push_back(std::string(stmt.text(0)) + " " + std::string(stmt.text(1)) + " " +
                  std::string(stmt.text(2)));
  return out;
}

// Two draws: 02/01/2025 and 04/01/2025, Bari only.
std::string writeTwoDraws(const TempDir& dir) {
  const std::string path = dir.file("archivio.mdb");
  test::writeArchiveFile(path, {{"02/01/2025", {{"BA", {1, 2, 3, 4, 5}}}},
                                {"04/01/2025", {{"BA", {6, 7, 8, 9, 10}}}}});
  return path;
}

class DrawWrites : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string path = writeTwoDraws(dir);
};

// Each write: its answer, and every row of the file afterwards.
TEST(DrawWriteAnswers, AndWhatIsStored) {
  struct Case {
    std::string name;
    std::function<bool(ArchiveDatabase&)> write;
    bool answer;
    std::vector<std::string> after;
  };
  const std::string d1 = "2025-01-02 01-02-03-04-05 ", d2 = "2025-01-04 06-07-08-09-10 ";
  const std::vector<Case> cases = {
      {"insert new date",
       [](auto& db) { return db.insertDraw(draw("2025-01-07", "11-12-13-14-15", "----")); },
       true,
       {d1, d2, "2025-01-07 11-12-13-14-15 ----"}},
      {"insert before the first",
       [](auto& db) { return db.insertDraw(draw("1871-01-07", "")); },
       true,
       {"1871-01-07  ", d1, d2}},
      {"insert taken date",
       [](auto& db) { return db.insertDraw(draw("2025-01-04", "x")); },
       false,
       {d1, d2}},
      {"update keeps the date",
       [](auto& db) { return db.updateDraw(draw("2025-01-04", "5-23-78-1-44", "90-89-88-87-86")); },
       true,
       {d1, "2025-01-04 5-23-78-1-44 90-89-88-87-86"}},
      {"update missing date",
       [](auto& db) { return db.updateDraw(draw("2025-01-05", "x")); },
       false,
       {d1, d2}},
      {"delete", [](auto& db) { return db.deleteDraw("2025-01-02"); }, true, {d2}},
      {"delete missing date",
       [](auto& db) { return db.deleteDraw("2024-01-02"); },
       false,
       {d1, d2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir fresh;
    const std::string file = writeTwoDraws(fresh);
    auto db = ArchiveDatabase::open(file);
    EXPECT_EQ(c.write(db), c.answer);
    EXPECT_EQ(rows(db), c.after);
    auto other = ArchiveDatabase::openForReading(file);
    EXPECT_EQ(rows(other), c.after);  // committed: another connection sees it
  }
}

// Today's date as datareg holds it.
std::string today() {
  const std::time_t now = std::time(nullptr);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
  return text;
}

TEST_F(DrawWrites, StampsTodayAndTheTimeOfDay) {
  auto db = ArchiveDatabase::open(path);
  const std::string before = today();
  ASSERT_TRUE(db.insertDraw(draw("2025-01-07", "11-12-13-14-15")));
  ASSERT_TRUE(db.updateDraw(draw("2025-01-02", "21-22-23-24-25")));
  const std::string after = today();  // the same unless midnight passed
  auto stmt = db.database().prepare(
      "SELECT datareg, orareg FROM EstrazioniLotto WHERE DataEstrazione IN "
      "('2025-01-07', '2025-01-02')");
  int stamped = 0;
  while (stmt.step()) {
    ++stamped;
    EXPECT_TRUE(stmt.text(0) == before || stmt.text(0) == after) << stmt.text(0);
    EXPECT_TRUE(std::regex_match(std::string(stmt.text(1)), std::regex("\\d\\d:\\d\\d:\\d\\d")));
  }
  EXPECT_EQ(stamped, 2);
}

TEST_F(DrawWrites, FindReadsOneDrawAndNullAsEmpty) {
  auto db = ArchiveDatabase::open(path);
  db.database().execute("UPDATE EstrazioniLotto SET Nz = NULL");
  const auto found = db.findDraw("2025-01-04");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->isoDate, "2025-01-04");
  EXPECT_EQ(found->wheels[0], "06-07-08-09-10");
  EXPECT_EQ(found->wheels[10], "");
  EXPECT_FALSE(db.findDraw("2025-01-03"));
  // A reader keeps its statement for many look-ups, a miss between hits included.
  auto reader = db.drawReader();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(reader.find("2025-01-02"));
    EXPECT_FALSE(reader.find("2025-01-03"));
    EXPECT_EQ(reader.find("2025-01-04")->wheels[0], "06-07-08-09-10");
  }
}

TEST_F(DrawWrites, DatesThatAreNotCalendarDatesAreRefused) {
  auto db = ArchiveDatabase::open(path);
  for (const std::string bad : {"2025-02-30", "04/01/2025", "2025-1-4", "", "2025-01-04 "}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW((void)db.insertDraw(draw(bad, "01-02-03-04-05")), Error);
    EXPECT_THROW((void)db.updateDraw(draw(bad, "01-02-03-04-05")), Error);
    EXPECT_THROW((void)db.deleteDraw(bad), Error);
  }
  EXPECT_EQ(db.drawCount(), 2);
}

// A write the database refuses (here a trigger, as a full disk would) reports the file and
// leaves every row as it was.
TEST_F(DrawWrites, FailedWriteLeavesTheFileAsItWas) {
  auto db = ArchiveDatabase::open(path);
  db.database().execute(
      "CREATE TRIGGER no_insert BEFORE INSERT ON EstrazioniLotto BEGIN "
      "SELECT RAISE(ABORT, 'rifiutata'); END;"
      "CREATE TRIGGER no_update BEFORE UPDATE ON EstrazioniLotto BEGIN "
      "SELECT RAISE(ABORT, 'rifiutata'); END;"
      "CREATE TRIGGER no_delete BEFORE DELETE ON EstrazioniLotto BEGIN "
      "SELECT RAISE(ABORT, 'rifiutata'); END;");
  const auto before = rows(db);
  const std::vector<std::function<void()>> writes = {
      [&] { (void)db.insertDraw(draw("2025-01-07", "11-12-13-14-15")); },
      [&] { (void)db.updateDraw(draw("2025-01-04", "11-12-13-14-15")); },
      [&] { (void)db.deleteDraw("2025-01-04"); },
  };
  for (const auto& write : writes) {
    try {
      write();
      ADD_FAILURE() << "the write went through";
    } catch (const Error& failure) {
      EXPECT_NE(std::string(failure.what()).find("Impossibile scrivere nell'archivio \"" + path),
                std::string::npos)
          << failure.what();
    }
    EXPECT_EQ(rows(db), before);
  }
  // The connection is still usable afterwards.
  db.database().execute("DROP TRIGGER no_insert");
  EXPECT_TRUE(db.insertDraw(draw("2025-01-07", "11-12-13-14-15")));
}

}  // namespace
}  // namespace quintello
