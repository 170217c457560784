// The update from a text file: reading its lines, the check against the stored draws, the
// import grid, and the apply with and without correction.
#include "archive/update_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "archive/draw_file.h"
#include "archive/helpers.h"
#include "archive/update_file.h"
#include "core/color.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using test::TempDir;
using Finding = UpdateRow::Finding;
using Lines = std::vector<std::string>;

const std::string kCases = QUINTELLO_TEST_SOURCE_DIR "/archive/cases/";

TEST(UpdateLines, EachLineIsValidated) {
  const auto cases = test::caseRows("archive/cases/update_lines.txt");
  Lines lines;
  for (const auto& c : cases) lines.push_back(c.at(1));
  const auto rows = updateRowsFromLines(lines);
  ASSERT_EQ(rows.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_TRUE(rows[i].problem.starts_with(cases[i][0]) &&
                rows[i].problem.empty() == cases[i][0].empty())
        << rows[i].problem;
    EXPECT_EQ(rows[i].isoDate.empty(), !cases[i][0].empty());
  }
  EXPECT_EQ(rows[2].line.wheels[10], "");  // no Nazionale group at all
}

TEST(UpdateFile, FirstLineFormAndEmptyLines) {
  TempDir dir;
  auto cases = test::caseRows("archive/cases/update_files.txt");
  cases.push_back({"skip", "no", "0", std::string(1'000'000, '\n')});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at(3).substr(0, 200));
    test::writeFile(dir.file("agg.txt"), c[3]);
    const DrawFile read =
        readDrawFile(dir.file("agg.txt"), c.at(0) == "check" ? FirstLine::Check : FirstLine::Skip);
    EXPECT_EQ(read.wrongForm ? "yes" : "no", c.at(1));
    EXPECT_EQ(std::to_string(read.rows.size()), c.at(2));
  }
}

// Files that cannot be read end with the tab's failure message for the step in progress;
// only a regular file is read, and anything else is refused at once, never waited on.
TEST(UpdateFile, UnreadableFilesNameTheStep) {
  TempDir dir;
  const std::string many = dir.file("molte.txt"), fifo = dir.file("coda");
  std::string manyLines = std::string(176, ' ') + "pr\r\n";  // the form of an update file
  for (size_t i = 0; i <= kMaxUpdateRows; ++i) manyLines += "x\r\n";
  test::writeFile(many, manyLines);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {dir.file("manca.txt"), "il file non esiste"},
      {dir.path(), "è una cartella"},
      {many, "più di 50000 righe"},
      {"/dev/zero", "è un dispositivo, una coda o un socket"},
      {fifo, "è un dispositivo, una coda o un socket"},
  };
  for (const auto& [path, detail] : cases)
    for (const FirstLine firstLine : {FirstLine::Check, FirstLine::Skip}) {
      SCOPED_TRACE(path);
      try {
        readDrawFile(path, firstLine);
        ADD_FAILURE() << "read";
      } catch (const UpdateFailure& failure) {
        const bool named = firstLine == FirstLine::Skip || path == many;
        EXPECT_EQ(failure.phase(), named ? update_text::kFaseElenco : "");
        EXPECT_NE(failure.detail().find(detail), std::string::npos) << failure.detail();
      }
    }
}

// The downloaded text is kept with a line end after it, replacing the previous copy whole.
TEST(UpdateFile, DownloadedTextIsKept) {
  TempDir dir;
  const std::string path = dir.file(std::string(kDownloadedUpdateFile));
  const std::string good = readUpdateFileLines(kCases + "check_file.txt")[0];
  saveDownloadedUpdateFile(path, "vecchio");
  saveDownloadedUpdateFile(path, good + "\r\n" + good);
  EXPECT_EQ(test::readFile(path), good + "\r\n" + good + "\r\n");
  EXPECT_EQ(test::refusal([&] { saveDownloadedUpdateFile(dir.file("manca/Estr_Agg.txt"), good); }),
            std::string(update_text::kQualcosaStorto) + "Collegamento al sito");
  EXPECT_THROW(saveDownloadedUpdateFile(path, std::string(kUpdateFileMaxBytes + 1, 'x')),
               UpdateFailure);
  EXPECT_EQ(readDrawFile(path, FirstLine::Skip).rows.size(), 2u);  // the copy before stays
}

// The archive the checks run against (09/01/2025 saved with empty Nazionale boxes, "----"),
// and a file that meets every finding: 0 equal; 1 Milano differs; 2 not stored; 3 blank
// Nazionale against "----"; 4 Nazionale in the file, none stored; 5 a comma; 6 empty.
class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ArchiveDatabase::create(archivePath).insertDraws(readStoredDraws(kCases + "check_archive.txt"));
    db.emplace(ArchiveDatabase::open(archivePath));
  }
  UpdateCheck check(const std::vector<size_t>& indices) {
    Lines lines;
    for (const size_t i : indices) lines.push_back(fileLines.at(i));
    return checkUpdateRows(updateRowsFromLines(lines), *db, progress);
  }
  Lines stored() const { return test::storedRows(archivePath); }

  const Lines fileLines = readUpdateFileLines(kCases + "check_file.txt");
  TempDir dir;
  const std::string archivePath = dir.file("archivio.mdb");
  std::optional<ArchiveDatabase> db;
  test::RecordedProgress progress;
};

// The import grid's look of a row: the date's background (w white, o orange), its colour (b
// black, r red), "!" when bold; then each wheel's background, g (green) where it agrees.
std::string look(const Grid& grid, int row) {
  const auto code = [](Color c) {
    for (const auto& [color, letter] : {std::pair{kWhite, 'w'},
                                        {ArancioMedio, 'o'},
                                        {kBlack, 'b'},
                                        {kRed, 'r'},
                                        {VerdeMedio, 'g'}})
      if (c == color) return letter;
    return '?';
  };
  std::string text{code(grid.backColor(row, 1)), code(grid.foreColor(row, 1)),
                   grid.bold(row, 1) ? '!' : ' '};
  for (int c = 2; c <= 12; ++c) text += code(grid.backColor(row, c));
  return text;
}

TEST_F(UpdateCheckTest, FindingsMessagesAndImportGrid) {
  const UpdateCheck result = check({0, 1, 2, 3, 4, 5});
  ASSERT_TRUE(result.ran());
  const std::pair<Finding, std::string> rows[] = {
      {Finding::Equal, "wb ggggggggggg"},   {Finding::Wrong, "wr!ggggwgggggg"},
      {Finding::Missing, "ob wwwwwwwwwww"}, {Finding::Equal, "wb ggggggggggg"},
      {Finding::Wrong, "wr!ggggggggggw"},   {Finding::Invalid, "wb wwwwwwwwwww"},
  };
  const Grid grid = importGrid(result);
  ASSERT_EQ(result.rows.size(), std::size(rows));
  ASSERT_EQ(grid.rows(), 7);
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(result.rows[i].finding, rows[i].first) << i;
    EXPECT_EQ(look(grid, int(i) + 1), rows[i].second) << i;
  }
  EXPECT_EQ(grid.text(2, 6), "20-21-22-23-88");  // Milano as it stands in the file
  EXPECT_EQ(grid.text(3, 12), std::string(14, ' '));
  // Last line first.
  EXPECT_EQ(result.messages,
            (Lines{"Riga 6 non valida: contiene una virgola o delle virgolette",
                   "Errori Estrazione del 11/01/2025", "Manca estrazione del: 07/01/2025",
                   "Errori Estrazione del 04/01/2025"}));
  EXPECT_EQ(result.errorCount, 3);
  EXPECT_EQ(progress.maximum, 6);
  EXPECT_EQ(progress.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  // Missing draws are not anomalies; no lines, no check (the list keeps what it showed).
  EXPECT_EQ(check({0, 3}).messages, Lines{"Nessuna anomalia rilevata"});
  EXPECT_EQ(check({2}).messages,
            (Lines{"Manca estrazione del: 07/01/2025", "Nessuna anomalia rilevata"}));
  EXPECT_FALSE(checkUpdateRows(updateRowsFromLines({"", ""}), *db, progress).ran());
}

// The stored rows the applies leave: "date|Ba|Ca|...|Nz".
const std::string d02 = "2025-01-02|01-02-03-04-05|||||||10-11-12-13-14|||",
                  d04 = "2025-01-04|06-07-08-09-10||||20-21-22-23-24||||||30-31-32-33-34",
                  d04fixed = "2025-01-04|06-07-08-09-10||||20-21-22-23-88||||||30-31-32-33-34",
                  d07 = "2025-01-07|41-42-43-44-45||||||||||",
                  d09 = "2025-01-09|01-02-03-04-05||||||||||----",
                  d11 = "2025-01-11|01-02-03-04-05||||||||||",
                  d11fixed = "2025-01-11|01-02-03-04-05||||||||||50-51-52-53-54";

// What "AGGIORNAMENTO" stores, lists and reports, with and without correction (a refused file
// and an apply without correction: quintello-cli's update runs).
TEST_F(UpdateCheckTest, ApplyWithAndWithoutCorrection) {
  const std::string added = "Aggiunta estrazione del07/01/2025", one = "aggiunti N° 1 record";
  const struct {
    bool correct;
    std::vector<size_t> lines;
    Lines messages;
    std::optional<std::string_view> notice;
    Lines after;
  } cases[] = {
      {false, {1, 4}, {}, {}, {d02, d04, d09, d11}},
      {true, {4}, {"Modificata estrazione del11/01/2025"}, {}, {d02, d04, d09, d11fixed}},
      {true, {6}, {}, update_text::kNonCiSono, {d02, d04, d09, d11}},
      {true,
       {0, 1, 2, 3, 4},
       {"Modificata estrazione del04/01/2025", added, "Modificata estrazione del11/01/2025", one},
       update_text::kDatiSalvati,
       {d02, d04fixed, d07, d09, d11fixed}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lines));
    db.reset();  // a fresh archive for every case
    std::filesystem::remove(archivePath);
    SetUp();
    const ApplyResult result = applyUpdate(check(c.lines), *db, c.correct, progress);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(applyNotice(result), c.notice);
    EXPECT_EQ(result.nothingToApply, c.notice == update_text::kNonCiSono);
    EXPECT_EQ(stored(), c.after);
  }
  // The corrected archive agrees with the file.
  EXPECT_EQ(check({0, 1, 2, 3, 4}).messages, Lines{"Nessuna anomalia rilevata"});
}

// A check acts on what the file said; the apply looks each date up again.
TEST_F(UpdateCheckTest, ApplyAfterTheArchiveChanged) {
  const UpdateCheck result = check({0, 1, 2, 3, 4});
  ASSERT_TRUE(db->insertDraw({"2025-01-07", {"90-89-88-87-86"}}));
  ASSERT_TRUE(db->deleteDraw("2025-01-04"));
  const ApplyResult applied = applyUpdate(result, *db, true, progress);
  EXPECT_EQ(applied.messages, Lines{"Modificata estrazione del11/01/2025"});
  EXPECT_EQ(db->findDraw("2025-01-07")->wheels[0], "90-89-88-87-86");
  EXPECT_FALSE(db->findDraw("2025-01-04"));
}

// A draw the database refuses stops the apply, and nothing of it is stored: neither the
// correction before it nor the draw itself.
TEST_F(UpdateCheckTest, FailureStoresNothing) {
  const UpdateCheck result = check({1, 2});
  const auto before = stored();
  db->database().execute(
      "CREATE TRIGGER refuse BEFORE INSERT ON EstrazioniLotto BEGIN SELECT RAISE(ABORT, 'no'); "
      "END");
  const ApplyResult applied = applyUpdate(result, *db, true, progress);
  ASSERT_TRUE(applied.failure);
  EXPECT_TRUE(applied.failure->starts_with(
      "L'aggiornamento non è stato salvato: l'archivio è rimasto com'era. "
      "Impossibile scrivere nell'archivio"))
      << *applied.failure;
  EXPECT_EQ(applied.messages, Lines{*applied.failure});
  EXPECT_EQ(applyNotice(applied), std::nullopt);
  EXPECT_EQ(stored(), before);
}

// The official archive's dates that are not whole draws are listed and never stored, and a
// wheel it lacks on a stored date is no difference: a correction keeps it.
TEST_F(UpdateCheckTest, OfficialArchiveIncompleteDates) {
  ASSERT_TRUE(db->insertDraw(
      {"2025-01-13", {"01-02-03-04-05", "06-07-08-09-10", "", "", "11-12-13-14-15"}}));
  // 04/01 stored also with the Nazionale, Milano differs; 07/01 one wheel alone (a postponed
  // wheel); 15/01 after the last draw with fewer wheels (cut short); 16/01 not stored.
  DrawFile file = readDrawFile(kCases + "check_official.txt");
  const UpdateCheck checked = checkUpdateRows(std::move(file.rows), *db, progress);
  EXPECT_EQ(checked.messages,
            (Lines{"Manca estrazione del: 16/01/2025", "Estrazione incompleta del 15/01/2025",
                   "Estrazione incompleta del 07/01/2025", "Errori Estrazione del 04/01/2025"}));
  // Nor does an update file written from it hold them.
  const auto whole = withoutIncompleteDates(file.draws, checked);
  ASSERT_EQ(whole.size(), 2u);
  EXPECT_EQ(whole[1].isoDate, "2025-01-16");
  const ApplyResult applied = applyUpdate(checked, *db, true, progress);
  EXPECT_EQ(applied.added, Lines{"16/01/2025"});
  EXPECT_EQ(stored(), (Lines{d02, d04fixed, d09, d11,
                             "2025-01-13|01-02-03-04-05|06-07-08-09-10|||11-12-13-14-15||||||",
                             "2025-01-16|01-02-03-04-05|01-02-03-04-05|||01-02-03-04-05||||||"}));
}

}  // namespace
}  // namespace quintello
