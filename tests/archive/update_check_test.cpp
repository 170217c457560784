// The update from a text file: reading its lines, the check against the stored draws, the
// import grid, and the apply with and without correction.

#include "archive/update_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "archive/draw_file.h"
#include "core/color.h"
#include "core/draw_archive.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::RecordedProgress;
using test::TempDir;
using Finding = UpdateRow::Finding;

// An update line: the date, the given wheel groups (by code), every other group blank.
std::string line(const std::string& date, const std::map<std::string, std::string>& wheels) {
  StoredDraw draw{date.substr(6, 4) + "-" + date.substr(3, 2) + "-" + date.substr(0, 2), {}};
  for (const auto& [code, text] : wheels)
    draw.wheels[static_cast<size_t>(*wheelIndex(code))] = text;
  return updateLineText(draw);
}

// What a line is taken for: usable (empty problem) or the reason it is not (the start of it).
TEST(UpdateLines, EachLineIsValidated) {
  const std::string good = line("04/01/2025", {{"BA", "01-02-03-04-05"}, {"NZ", "90-11-22-33-44"}});
  const std::string noNazionale = line("10/06/1961", {{"BA", "01-02-03-04-05"}});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {good, ""},
      {noNazionale, ""},                 // blank groups: no draw on those wheels
      {noNazionale.substr(0, 160), ""},  // no Nazionale group at all
      {good + "altro testo", "la riga è più lunga di 178 caratteri"},
      {good + "   ", ""},                           // only blanks past the end
      {good.substr(0, 176) + "PR", ""},             // only the first line's form is checked
      {std::string(good).replace(25, 1, "/"), ""},  // separators are not read
      {good.substr(0, 170), "i numeri di Nazionale non sono validi"},  // cut in a group
      {good.substr(0, 159), "la riga è incompleta (159 caratteri invece di 178)"},
      {"05/01/2026 01-02-03", "la riga è incompleta"},
      {std::string(good).replace(10, 1, ","), "contiene una virgola o delle virgolette"},
      {std::string(good).replace(177, 1, "\""), "contiene una virgola"},
      {std::string(good).replace(0, 2, "31"), ""},  // 31/01/2025
      {std::string(good).replace(0, 5, "30/02"),
       "la data \"30/02/2025\" non è una data GG/MM/AAAA"},
      {"4/1/2025   " + good.substr(11), "la data \"4/1/2025  \""},
      {"04/01\r2025" + good.substr(10), "la data \"04/01?2025\""},
      {std::string(good).replace(11, 2, "91"), "i numeri di Bari non sono validi"},
      {std::string(good).replace(11, 2, "00"), "i numeri di Bari non sono validi"},
      {std::string(good).replace(13, 1, "7"), "i numeri di Bari non sono validi"},
      {std::string(good).replace(14, 2, "01"), "il numero 1 compare due volte su Bari"},
      {std::string(good).replace(6, 4, "2999"), "la data 04/01/2999 è successiva a oggi"},
      {line("04/01/2025", {{"BA", "01-02-03-04-06"}}),
       "la data compare già alla riga 1 con numeri diversi"},
      {std::string(good).replace(161, 2, " 5"), "i numeri di Nazionale non sono validi"},
      {line("04/01/2025", {}), "la riga non contiene numeri"},
      {"04/01/2025", "la riga è incompleta"},
  };
  std::vector<std::string> lines;
  for (const auto& c : cases) lines.push_back(c.first);
  const auto rows = updateRowsFromLines(lines);
  ASSERT_EQ(rows.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].first);
    EXPECT_EQ(rows[i].lineNumber, i + 1);
    if (cases[i].second.empty())
      EXPECT_EQ(rows[i].problem, "");
    else
      EXPECT_TRUE(rows[i].problem.starts_with(cases[i].second)) << rows[i].problem;
    EXPECT_EQ(rows[i].isoDate.empty(), !cases[i].second.empty());
  }
  EXPECT_EQ(rows[0].isoDate, "2025-01-04");
  EXPECT_EQ(rows[0].line.wheels[10], "90-11-22-33-44");
  EXPECT_EQ(rows[1].line.wheels[10], std::string(14, ' '));
  EXPECT_EQ(rows[2].line.wheels[10], "");
}

// The draw a row stands for: a blank group is stored as an empty wheel.
TEST(UpdateLines, StoredDrawOfARow) {
  const auto rows = updateRowsFromLines({line("10/06/1961", {{"RO", "01-02-03-04-05"}})});
  const StoredDraw draw = storedDrawOfRow(rows.at(0));
  EXPECT_EQ(draw.isoDate, "1961-06-10");
  EXPECT_EQ(draw.wheels[7], "01-02-03-04-05");
  for (size_t w = 0; w < draw.wheels.size(); ++w)
    if (w != 7) {
      EXPECT_EQ(draw.wheels[w], "") << w;
    }
}

TEST(UpdateFile, FirstLineFormAndEmptyLines) {
  TempDir dir;
  const std::string good = line("04/01/2025", {{"BA", "01-02-03-04-05"}});
  struct Case {
    std::string name, content;
    FirstLine firstLine;
    bool wrongForm;
    size_t rows;
  };
  const std::vector<Case> cases = {
      {"good", good + "\r\n" + good + "\r\n", FirstLine::Check, false, 2},
      {"trailing empty lines", good + "\r\n\r\n   \r\n", FirstLine::Check, false, 1},
      {"LF only, no final line end", good + "\n" + good, FirstLine::Check, false, 2},
      {"177 characters", good.substr(0, 177) + "\r\n", FirstLine::Check, true, 0},
      {"ends in PR", good.substr(0, 176) + "PR\r\n", FirstLine::Check, true, 0},
      {"empty file", "", FirstLine::Check, true, 0},
      {"empty line first", "\r\n" + good, FirstLine::Check, true, 0},
      {"downloaded, empty", "", FirstLine::Skip, false, 0},
      {"downloaded, anything", "<html>\r\n" + good, FirstLine::Skip, false, 2},
      {"a million empty lines", std::string(1'000'000, '\n'), FirstLine::Skip, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file("agg.txt");
    std::ofstream(path, std::ios::binary) << c.content;
    const DrawFile read = readDrawFile(path, c.firstLine);
    EXPECT_EQ(read.wrongForm, c.wrongForm);
    EXPECT_EQ(read.rows.size(), c.rows);
  }
}

// Files that cannot be read end with the tab's failure message for the step in progress;
// only a regular file is read, and anything else is refused at once, never waited on.
TEST(UpdateFile, UnreadableFilesNameTheStep) {
  TempDir dir;
  const std::string many = dir.file("molte.txt"), fifo = dir.file("coda");
  {
    std::ofstream out(many, std::ios::binary);
    out << std::string(176, ' ') << "pr\r\n";  // the form of an update file
    for (size_t i = 0; i <= kMaxUpdateRows; ++i) out << "x\r\n";
  }
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
  const std::string good = line("04/01/2025", {{"BA", "01-02-03-04-05"}});
  saveDownloadedUpdateFile(path, "vecchio");
  saveDownloadedUpdateFile(path, good + "\r\n" + good);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), good + "\r\n" + good + "\r\n");
  EXPECT_EQ(readDrawFile(path, FirstLine::Skip).rows.size(), 2u);
  try {
    saveDownloadedUpdateFile(dir.file("manca/Estr_Agg.txt"), good);
    ADD_FAILURE() << "written";
  } catch (const UpdateFailure& failure) {
    EXPECT_EQ(failure.what(), std::string(update_text::kQualcosaStorto) + "Collegamento al sito");
  }
  EXPECT_THROW(saveDownloadedUpdateFile(path, std::string(kUpdateFileMaxBytes + 1, 'x')),
               UpdateFailure);
  EXPECT_EQ(readDrawFile(path, FirstLine::Skip).rows.size(), 2u);  // the copy before stays
}

// The archive the checks run against, and a file that meets every finding.
class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::writeArchiveFile(
        archivePath,
        {{"02/01/2025", {{"BA", {1, 2, 3, 4, 5}}, {"RO", {10, 11, 12, 13, 14}}}},
         {"04/01/2025",
          {{"BA", {6, 7, 8, 9, 10}}, {"MI", {20, 21, 22, 23, 24}}, {"NZ", {30, 31, 32, 33, 34}}}},
         {"09/01/2025", {{"BA", {1, 2, 3, 4, 5}}}},
         {"11/01/2025", {{"BA", {1, 2, 3, 4, 5}}}}});
    db.emplace(ArchiveDatabase::open(archivePath));
    // An entry saved with empty Nazionale boxes.
    db->database().execute(
        "UPDATE EstrazioniLotto SET Nz = '----' WHERE DataEstrazione = '2025-01-09'");
  }

  // 1 equal; 2 Milano differs; 3 not stored; 4 blank Nazionale against "----";
  // 5 Nazionale in the file, none stored; 6 a comma; then an empty last line.
  std::vector<std::string> fileLines() const {
    return {
        line("02/01/2025", {{"BA", "01-02-03-04-05"}, {"RO", "10-11-12-13-14"}}),
        line("04/01/2025",
             {{"BA", "06-07-08-09-10"}, {"MI", "20-21-22-23-88"}, {"NZ", "30-31-32-33-34"}}),
        line("07/01/2025", {{"BA", "41-42-43-44-45"}}),
        line("09/01/2025", {{"BA", "01-02-03-04-05"}}),
        line("11/01/2025", {{"BA", "01-02-03-04-05"}, {"NZ", "50-51-52-53-54"}}),
        "07/01/2025," + std::string(167, ' '),
        "",
    };
  }

  UpdateCheck check(std::vector<std::string> lines) {
    return checkUpdateRows(updateRowsFromLines(lines), *db, progress);
  }

  // "date Ba Mi Nz" of every stored draw.
  std::vector<std::string> stored() {
    std::vector<std::string> out;
    auto stmt = db->database().prepare(
        "SELECT DataEstrazione, Ba, Mi, Nz FROM EstrazioniLotto ORDER BY DataEstrazione");
    while (stmt.step())
      out.push_back(std::string(stmt.text(0)) + " " + std::string(stmt.text(1)) + " " +
                    std::string(stmt.text(2)) + " " + std::string(stmt.text(3)));
    return out;
  }

  TempDir dir;
  const std::string archivePath = dir.file("archivio.mdb");
  std::optional<ArchiveDatabase> db;
  RecordedProgress progress;
};

TEST_F(UpdateCheckTest, FindingsAndMessages) {
  const UpdateCheck result = check(fileLines());
  ASSERT_TRUE(result.ran());
  const std::vector<Finding> findings = {Finding::Equal, Finding::Wrong, Finding::Missing,
                                         Finding::Equal, Finding::Wrong, Finding::Invalid};
  ASSERT_EQ(result.rows.size(), findings.size());
  for (size_t i = 0; i < findings.size(); ++i) EXPECT_EQ(result.rows[i].finding, findings[i]) << i;
  // Last line first.
  EXPECT_EQ(result.messages, (std::vector<std::string>{
                                 "Riga 6 non valida: contiene una virgola o delle virgolette",
                                 "Errori Estrazione del 11/01/2025",
                                 "Manca estrazione del: 07/01/2025",
                                 "Errori Estrazione del 04/01/2025",
                             }));
  EXPECT_EQ(result.errorCount, 3);
  EXPECT_EQ(progress.maximum, 6);
  EXPECT_EQ(progress.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(UpdateCheckTest, ImportGridColours) {
  const Grid grid = importGrid(check(fileLines()));
  ASSERT_EQ(grid.rows(), 7);
  ASSERT_EQ(grid.cols(), 13);
  EXPECT_EQ(grid.text(2, 1), "04/01/2025");
  EXPECT_EQ(grid.text(2, 6), "20-21-22-23-88");  // Milano as it stands in the file
  EXPECT_EQ(grid.text(3, 12), std::string(14, ' '));
  struct Row {
    int row;
    Color dateBack, dateFore;
    bool bold;
    std::string greenWheels;  // one character per wheel column 2..12: g green, . white
  };
  const Row rows[] = {
      {1, kWhite, kBlack, false, "ggggggggggg"},       {2, kWhite, kRed, true, "gggg.gggggg"},
      {3, ArancioMedio, kBlack, false, "..........."}, {4, kWhite, kBlack, false, "ggggggggggg"},
      {5, kWhite, kRed, true, "gggggggggg."},          {6, kWhite, kBlack, false, "..........."},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(grid.backColor(r.row, 1), r.dateBack);
    EXPECT_EQ(grid.foreColor(r.row, 1), r.dateFore);
    EXPECT_EQ(grid.bold(r.row, 1), r.bold);
    for (int c = 2; c <= 12; ++c)
      EXPECT_EQ(grid.backColor(r.row, c),
                r.greenWheels[static_cast<size_t>(c - 2)] == 'g' ? VerdeMedio : kWhite)
          << c;
  }
}

TEST_F(UpdateCheckTest, NothingWrongAndNoLines) {
  const auto all = fileLines();
  const UpdateCheck equal = check({all[0], all[3]});
  EXPECT_EQ(equal.messages, std::vector<std::string>{"Nessuna anomalia rilevata"});
  // Missing draws are not anomalies.
  EXPECT_EQ(check({all[2]}).messages, (std::vector<std::string>{"Manca estrazione del: 07/01/2025",
                                                                "Nessuna anomalia rilevata"}));
  const UpdateCheck none = check({"", ""});
  EXPECT_FALSE(none.ran());
  EXPECT_TRUE(none.messages.empty());  // List4 keeps what it showed
}

// What "AGGIORNAMENTO" stores, lists and reports, with and without correction.
TEST_F(UpdateCheckTest, ApplyWithAndWithoutCorrection) {
  const std::string d02 = "2025-01-02 01-02-03-04-05  ";
  const std::string d04 = "2025-01-04 06-07-08-09-10 20-21-22-23-24 30-31-32-33-34";
  const std::string d04fixed = "2025-01-04 06-07-08-09-10 20-21-22-23-88 30-31-32-33-34";
  const std::string d07 = "2025-01-07 41-42-43-44-45  ";
  const std::string d09 = "2025-01-09 01-02-03-04-05  ----", d11 = "2025-01-11 01-02-03-04-05  ";
  const std::string d11fixed = "2025-01-11 01-02-03-04-05  50-51-52-53-54";
  struct Case {
    std::string name;
    bool correct;
    std::vector<int> lines;  // of fileLines()
    std::vector<std::string> messages;
    std::optional<std::string_view> notice;
    std::vector<std::string> after;
  };
  const std::string refused =
      "Il file contiene una riga non valida (vedere l'elenco): nessuna estrazione è stata salvata.";
  const std::vector<Case> cases = {
      {"an invalid line: nothing stored",
       true,
       {0, 1, 2, 3, 4, 5},
       {refused},
       std::nullopt,
       {d02, d04, d09, d11}},
      {"missing only",
       false,
       {0, 1, 2, 3, 4},
       {"Aggiunta estrazione del07/01/2025", "aggiunti N° 1 record"},
       update_text::kDatiSalvati,
       {d02, d04, d07, d09, d11}},
      {"with correction",
       true,
       {0, 1, 2, 3, 4},
       {"Modificata estrazione del04/01/2025", "Aggiunta estrazione del07/01/2025",
        "Modificata estrazione del11/01/2025", "aggiunti N° 1 record"},
       update_text::kDatiSalvati,
       {d02, d04fixed, d07, d09, d11fixed}},
      {"only wrong draws, unticked", false, {1, 4}, {}, std::nullopt, {d02, d04, d09, d11}},
      {"only wrong draws, ticked",
       true,
       {4},
       {"Modificata estrazione del11/01/2025"},
       std::nullopt,
       {d02, d04, d09, d11fixed}},
      {"nothing to apply", true, {6}, {}, update_text::kNonCiSono, {d02, d04, d09, d11}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    db.reset();  // a fresh archive for every case
    fs::remove(archivePath);
    SetUp();
    std::vector<std::string> lines;
    for (const int i : c.lines) lines.push_back(fileLines()[static_cast<size_t>(i)]);
    const ApplyResult result = applyUpdate(check(lines), *db, c.correct, progress);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(applyNotice(result), c.notice);
    EXPECT_EQ(result.nothingToApply, c.notice == update_text::kNonCiSono);
    EXPECT_EQ(result.failure.has_value(), c.messages == std::vector{refused});
    EXPECT_EQ(stored(), c.after);
  }
}

// A check acts on what the file said; the apply looks each date up again.
TEST_F(UpdateCheckTest, ApplyAfterTheArchiveChanged) {
  auto lines = fileLines();
  lines.erase(lines.begin() + 5);  // the unreadable line
  const UpdateCheck result = check(lines);
  ASSERT_TRUE(db->insertDraw({"2025-01-07", {"90-89-88-87-86"}}));
  ASSERT_TRUE(db->deleteDraw("2025-01-04"));
  const ApplyResult applied = applyUpdate(result, *db, true, progress);
  EXPECT_EQ(applied.messages, std::vector<std::string>{"Modificata estrazione del11/01/2025"});
  EXPECT_TRUE(applied.added.empty());
  EXPECT_EQ(db->findDraw("2025-01-07")->wheels[0], "90-89-88-87-86");
  EXPECT_FALSE(db->findDraw("2025-01-04"));
}

// A draw the database refuses stops the apply, and nothing of it is stored.
TEST_F(UpdateCheckTest, FailureStoresNothing) {
  const std::vector<std::string> lines = {
      line("05/01/2025", {{"BA", "51-52-53-54-55"}}),
      line("06/01/2025", {{"BA", "61-62-63-64-65"}}),
      line("08/01/2025", {{"BA", "71-72-73-74-75"}}),
  };
  const UpdateCheck result = check(lines);
  const auto before = stored();
  db->database().execute(
      "CREATE TRIGGER refuse BEFORE INSERT ON EstrazioniLotto WHEN NEW.DataEstrazione = "
      "'2025-01-06' BEGIN SELECT RAISE(ABORT, 'disco pieno'); END");
  const ApplyResult applied = applyUpdate(result, *db, false, progress);
  ASSERT_TRUE(applied.failure);
  EXPECT_TRUE(applied.failure->starts_with(
      "L'aggiornamento non è stato salvato: l'archivio è rimasto com'era. "
      "Impossibile scrivere nell'archivio"))
      << *applied.failure;
  EXPECT_TRUE(applied.added.empty());
  EXPECT_EQ(applied.messages, std::vector<std::string>{*applied.failure});
  EXPECT_EQ(applyNotice(applied), std::nullopt);
  EXPECT_EQ(stored(), before);
}

// The official archive's dates that are not whole draws are listed and never stored, and a
// wheel it lacks on a stored date is no difference: a correction keeps it.
TEST_F(UpdateCheckTest, OfficialArchiveIncompleteDates) {
  ASSERT_TRUE(db->insertDraw(
      {"2025-01-13", {"01-02-03-04-05", "06-07-08-09-10", "", "", "11-12-13-14-15"}}));
  const std::string text =
      "2025/01/04\tBA\t6\t7\t8\t9\t10\n"      // stored also with the Nazionale
      "2025/01/04\tMI\t20\t21\t22\t23\t88\n"  // differs
      "2025/01/07\tBA\t41\t42\t43\t44\t45\n"  // one wheel alone: a postponed wheel
      "2025/01/15\tBA\t1\t2\t3\t4\t5\n"       // after the last draw, fewer wheels: cut
      "2025/01/15\tCA\t1\t2\t3\t4\t5\n"
      "2025/01/16\tBA\t1\t2\t3\t4\t5\n2025/01/16\tCA\t1\t2\t3\t4\t5\n"
      "2025/01/16\tMI\t1\t2\t3\t4\t5\n";
  DrawFile file = readDrawBytes(text, "storico.txt");
  const UpdateCheck checked = checkUpdateRows(std::move(file.rows), *db, progress);
  EXPECT_EQ(checked.messages,
            (std::vector<std::string>{
                "Manca estrazione del: 16/01/2025", "Estrazione incompleta del 15/01/2025",
                "Estrazione incompleta del 07/01/2025", "Errori Estrazione del 04/01/2025"}));
  // Nor does an update file written from it hold them.
  const auto whole = withoutIncompleteDates(file.draws, checked);
  ASSERT_EQ(whole.size(), 2u);
  EXPECT_EQ(whole[1].isoDate, "2025-01-16");
  const ApplyResult applied = applyUpdate(checked, *db, true, progress);
  EXPECT_FALSE(applied.failure);
  EXPECT_EQ(applied.added, std::vector<std::string>{"16/01/2025"});
  EXPECT_EQ(stored(), (std::vector<std::string>{
                          "2025-01-02 01-02-03-04-05  ",
                          "2025-01-04 06-07-08-09-10 20-21-22-23-88 30-31-32-33-34",
                          "2025-01-09 01-02-03-04-05  ----",
                          "2025-01-11 01-02-03-04-05  ",
                          "2025-01-13 01-02-03-04-05 11-12-13-14-15 ",
                          "2025-01-16 01-02-03-04-05 01-02-03-04-05 ",
                      }));
}

// After the apply the archive is reloaded: the new draw is there, and a second check of the
// corrected file finds nothing.
TEST_F(UpdateCheckTest, ReloadAfterApplyAndCheckAgain) {
  auto lines = fileLines();
  lines.erase(lines.begin() + 5);  // the unreadable line
  (void)applyUpdate(check(lines), *db, true, progress);
  DrawArchive archive;
  CaricaArchivioExNovo(*db, archive, progress);
  ASSERT_EQ(archive.count(), 5);
  EXPECT_EQ(archive.dateText(3), "07/01/2025");
  EXPECT_EQ(archive.number(3, 0, 5), 45);
  EXPECT_EQ(archive.number(3, 10, 1), 0);  // blank group: no draw on the Nazionale
  EXPECT_EQ(archive.modelList().size(), 5u);
  EXPECT_EQ(check(lines).messages, std::vector<std::string>{"Nessuna anomalia rilevata"});
}

}  // namespace
}  // namespace quintello
