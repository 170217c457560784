#include "archive/draw_changes.h"

#include <gtest/gtest.h>

#include "archive/helpers.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::storedRows;
using Rows = std::vector<std::string>;

// Bari 01..05, Cagliari with a box of a single digit, the rest empty.
EntryBoxes typedBoxes() {
  EntryBoxes boxes;
  for (int box = 1; box <= 10; ++box)
    boxes.setText(box, box <= 5   ? "0" + std::to_string(box)
                       : box == 6 ? "7"
                                  : std::to_string(box * 8));
  return boxes;
}

// An empty wheel keeps its four hyphens.
const std::string kTyped =
    "|01-02-03-04-05|7-56-64-72-80|----|----|----|----|----|----|----|----|----";

// What a change answered: "+" when the table changed, the notice, and the failure.
std::string answer(const DrawChange& change) {
  return (change.changed ? "+" : "-") + std::string(change.notice ? change.notice->text : "") +
         "|" + change.failure;
}

struct Archive {
  Archive() {
    test::writeArchiveFile(path, {{"04/12/2025", {{"CA", {11, 22, 33, 44, 55}}}},
                                  {"09/12/2025", {{"RO", {7, 17, 27, 37, 47}}}}});
    db.emplace(ArchiveDatabase::open(path));
    before = storedRows(path);
  }
  test::TempDir dir;
  std::string path = dir.file("archivio.mdb");
  std::optional<ArchiveDatabase> db;
  Rows before;
};

// A change by its button: 's' save under the date, 'm' modify and 'd' delete the draw shown
// with that date.
DrawChange change(Archive& archive, char button, const std::string& date,
                  const EntryBoxes& boxes = typedBoxes()) {
  if (button == 'd') return eliminaEstrazione(*archive.db, date);
  if (button == 'm') return modificaEstrazione(*archive.db, boxes, date);
  return salvaEstrazione(
      *archive.db, boxes,
      {std::stoi(date.substr(6)), std::stoi(date.substr(3, 2)), std::stoi(date.substr(0, 2))});
}

// The question names the date; each change's answer and the rows afterwards (empty: the file
// as it was).
TEST(DrawChanges, SaveModifyAndDelete) {
  const auto told = [](const char* sign, const Notice& notice) {
    return sign + std::string(notice.text) + "|";
  };
  const std::string notFound = told("-", kDrawNotFound);
  const std::string r04 = "2025-12-04||11-22-33-44-55|||||||||",
                    r09 = "2025-12-09||||||||07-17-27-37-47|||";
  const struct {
    char button;
    std::string date, answer;
    Rows after;
  } cases[] = {
      {'s', "05/12/2025", told("+", kDrawSaved), {r04, "2025-12-05" + kTyped, r09}},
      {'s', "09/12/2025", told("-", kDateAlreadyStored), {}},
      {'s', "30/02/2025", "-|La data 30/02/2025 non esiste.", {}},
      {'m', "04/12/2025", told("+", kDrawModified), {"2025-12-04" + kTyped, r09}},
      {'m', "05/12/2025", notFound, {}},
      {'m', "", notFound, {}},
      {'m', "4/12/2025", notFound, {}},
      {'d', "05/12/2025", "-|", {}},
      {'d', "", "-|", {}},
      {'d', "09/12/2025", told("+", kDrawDeleted), {r04}},
  };
  EXPECT_NE(saveQuestion({2025, 12, 5}).text.find(" 05/12/2025 ?"), std::string::npos);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.button) + " " + c.date);
    Archive archive;
    EXPECT_EQ(answer(change(archive, c.button, c.date)), c.answer);
    EXPECT_EQ(storedRows(archive.path), c.after.empty() ? archive.before : c.after);
    // Saved or deleted again: a date is stored once, and a deleted draw is gone.
    if (c.answer.starts_with("+") && c.button != 'm') {
      EXPECT_FALSE(change(archive, c.button, c.date).changed);
    }
  }
}

// Boxes that cannot be a draw are refused by both, naming the wheel, and nothing is written;
// so is every change when the database refuses to write.
TEST(DrawChanges, RefusedChangesLeaveTheFileAsItWas) {
  Archive archive;
  for (const auto& c : test::caseRows("archive/cases/entry_problems.txt")) {
    EntryBoxes boxes = typedBoxes();
    for (int p = 1; p <= 5; ++p) boxes.setText(entryBox(4, p), c.at(size_t(p - 1)));
    for (const char button : {'s', 'm'}) {
      const std::string told =
          answer(change(archive, button, button == 's' ? "05/12/2025" : "04/12/2025", boxes));
      EXPECT_TRUE(told.starts_with("-|" + c.at(5))) << told;
    }
  }
  EXPECT_EQ(storedRows(archive.path), archive.before);
  for (const char* event : {"INSERT", "UPDATE", "DELETE"})
    sqlite::Database(archive.path, sqlite::Database::Mode::ReadWrite)
        .execute(std::string("CREATE TRIGGER refuse_") + event + " BEFORE " + event +
                 " ON EstrazioniLotto BEGIN SELECT RAISE(ABORT, 'scrittura negata'); END;");
  for (const auto& [button, date] :
       {std::pair{'s', "05/12/2025"}, {'m', "04/12/2025"}, {'d', "09/12/2025"}}) {
    const std::string told = answer(change(archive, button, date));
    EXPECT_TRUE(told.starts_with("-|") &&
                told.find("Impossibile scrivere nell'archivio") != std::string::npos)
        << told;
  }
  EXPECT_EQ(storedRows(archive.path), archive.before);
}

}  // namespace
}  // namespace quintello
