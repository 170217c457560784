#include "archive/draw_changes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::storedRows;

// Bari 1..5 in box order, Cagliari with a box of a single digit, the rest empty.
EntryBoxes typedBoxes() {
  EntryBoxes boxes;
  for (int box = 1; box <= 5; ++box) boxes.setText(box, "0" + std::to_string(box));
  for (int box = 6; box <= 10; ++box) boxes.setText(box, box == 6 ? "7" : std::to_string(box * 8));
  return boxes;
}

// An empty wheel keeps its four hyphens.
const std::string kTypedWheels =
    "01-02-03-04-05|7-56-64-72-80|----|----|----|----|----|----|----|----|----";

struct Archive {
  Archive() : path(dir.file("archivio.mdb")) {
    test::writeArchiveFile(path, {{"04/12/2025", {{"CA", {11, 22, 33, 44, 55}}}},
                                  {"09/12/2025", {{"RO", {7, 17, 27, 37, 47}}}}});
    db.emplace(ArchiveDatabase::open(path));
  }
  test::TempDir dir;
  std::string path;
  std::optional<ArchiveDatabase> db;
};

TEST(DrawChanges, QuestionsNameTheDate) {
  const Question save = saveQuestion({2025, 3, 7});
  EXPECT_EQ(save.text, "Confermi il salvataggio dell'estrazione del 07/03/2025 ?");
  EXPECT_EQ(save.title, "Salvataggio estrazione");
  const Question modify = modifyQuestion("04/12/2025");
  EXPECT_EQ(modify.text,
            "Confermi la modifica dell'estrazione del 04/12/2025 ?  La modifica è relativa agli "
            "estratti e viene mantenuta la stessa data.");
  EXPECT_EQ(modify.title, "Salvataggio estrazione");
  const Question remove = deleteQuestion("04/12/2025");
  EXPECT_EQ(remove.text, "Attenzione: sarà eliminata l'estrazione del 04/12/2025.  Confermi ?");
  EXPECT_EQ(remove.title, "Eliminazione record");
}

TEST(DrawChanges, SaveStoresTheBoxesUnderTheDateOnce) {
  Archive archive;
  const DrawChange saved = salvaEstrazione(*archive.db, typedBoxes(), {2025, 12, 5});
  EXPECT_TRUE(saved.changed);
  EXPECT_EQ(saved.notice->text, kDrawSaved.text);
  EXPECT_EQ(saved.failure, "");
  const auto rows = storedRows(archive.path);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "2025-12-05|" + kTypedWheels);

  // Again under a date already stored: refused, nothing written.
  for (const CalendarDate taken : {CalendarDate{2025, 12, 5}, CalendarDate{2025, 12, 9}}) {
    const DrawChange refused = salvaEstrazione(*archive.db, EntryBoxes(), taken);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(refused.notice->text, kDateAlreadyStored.text);
    EXPECT_EQ(refused.notice->title, "Anomalia archivio");
    EXPECT_EQ(storedRows(archive.path), rows);
  }
  // A date no calendar has.
  const DrawChange impossible = salvaEstrazione(*archive.db, typedBoxes(), {2025, 2, 30});
  EXPECT_FALSE(impossible.changed);
  EXPECT_EQ(impossible.failure, "La data 30/02/2025 non esiste.");
  EXPECT_EQ(storedRows(archive.path), rows);
}

TEST(DrawChanges, ModifyKeepsTheDateAndFindsOnlyStoredDraws) {
  Archive archive;
  const DrawChange modified = modificaEstrazione(*archive.db, typedBoxes(), "04/12/2025");
  EXPECT_TRUE(modified.changed);
  EXPECT_EQ(modified.notice->text, kDrawModified.text);
  auto rows = storedRows(archive.path);
  EXPECT_EQ(rows[0], "2025-12-04|" + kTypedWheels);
  EXPECT_EQ(rows.size(), 2u);

  for (const char* shown : {"05/12/2025", "", "4/12/2025"}) {
    const DrawChange missing = modificaEstrazione(*archive.db, EntryBoxes(), shown);
    EXPECT_FALSE(missing.changed) << shown;
    EXPECT_EQ(missing.notice->text, kDrawNotFound.text);
    EXPECT_EQ(missing.notice->title, "Quintello");
    EXPECT_EQ(missing.notice->icon, Notice::Icon::None);
  }
  EXPECT_EQ(storedRows(archive.path), rows);
}

// Boxes that cannot be a draw are refused by both, naming the wheel, and nothing is written.
TEST(DrawChanges, BadWheelsAreRefused) {
  Archive archive;
  const auto rows = storedRows(archive.path);
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"01", "", "03", "04", "05"}, "La ruota di Milano ha 4 numeri su 5"},
      {{"01", "00", "03", "04", "05"}, "La ruota di Milano ha 4 numeri su 5"},
      {{"99", "02", "03", "04", "05"}, "Il numero \"99\" di Milano non è tra 1 e 90."},
      {{"01", "-5", "03", "04", "05"}, "Il numero \"-5\" di Milano"},
      {{"01", "02", "a5", "04", "05"}, "Il numero \"a5\" di Milano"},
      {{"01", "02", "03", "04", "1"}, "Il numero 1 compare due volte su Milano."},
  };
  for (const auto& [milano, message] : cases) {
    SCOPED_TRACE(message);
    EntryBoxes boxes = typedBoxes();
    for (int p = 1; p <= 5; ++p) boxes.setText(entryBox(4, p), milano[static_cast<size_t>(p - 1)]);
    for (const DrawChange& change : {salvaEstrazione(*archive.db, boxes, {2025, 12, 5}),
                                     modificaEstrazione(*archive.db, boxes, "04/12/2025")}) {
      EXPECT_FALSE(change.changed);
      EXPECT_TRUE(change.failure.starts_with(message)) << change.failure;
    }
    EXPECT_EQ(storedRows(archive.path), rows);
  }
}

TEST(DrawChanges, DeleteRemovesOnlyTheShownDraw) {
  Archive archive;
  const auto before = storedRows(archive.path);
  for (const char* shown : {"05/12/2025", ""}) {
    const DrawChange nothing = eliminaEstrazione(*archive.db, shown);
    EXPECT_FALSE(nothing.changed);
    EXPECT_FALSE(nothing.notice);
    EXPECT_EQ(nothing.failure, "");
  }
  EXPECT_EQ(storedRows(archive.path), before);
  const DrawChange deleted = eliminaEstrazione(*archive.db, "09/12/2025");
  EXPECT_TRUE(deleted.changed);
  EXPECT_EQ(deleted.notice->text, kDrawDeleted.text);
  EXPECT_EQ(deleted.notice->title, "Sistemazione Archivio estrazioni");
  EXPECT_EQ(storedRows(archive.path), std::vector<std::string>{before[0]});
}

// A database that refuses every write: each change reports the failure and the file stays.
TEST(DrawChanges, AFailedWriteLeavesTheFileAsItWas) {
  Archive archive;
  {
    sqlite::Database other(archive.path, sqlite::Database::Mode::ReadWrite);
    for (const char* event : {"INSERT", "UPDATE", "DELETE"})
      other.execute(std::string("CREATE TRIGGER refuse_") + event + " BEFORE " + event +
                    " ON EstrazioniLotto BEGIN SELECT RAISE(ABORT, 'scrittura negata'); END;");
  }
  const auto before = storedRows(archive.path);
  const DrawChange changes[] = {
      salvaEstrazione(*archive.db, typedBoxes(), {2025, 12, 5}),
      modificaEstrazione(*archive.db, typedBoxes(), "04/12/2025"),
      eliminaEstrazione(*archive.db, "09/12/2025"),
  };
  for (const DrawChange& change : changes) {
    EXPECT_FALSE(change.changed);
    EXPECT_FALSE(change.notice);
    EXPECT_NE(change.failure.find("Impossibile scrivere nell'archivio"), std::string::npos)
        << change.failure;
  }
  EXPECT_EQ(storedRows(archive.path), before);
}

}  // namespace
}  // namespace quintello
