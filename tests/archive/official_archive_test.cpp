// The official historical archive: its tab-separated text and the zip it comes in.

#include "archive/official_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/draw_file.h"
#include "archive/update_file.h"
#include "core/error.h"
#include "support/files.h"
#include "support/test_archive.h"
#include "support/zip_writer.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;
using test::writeZip;

// "date wheels..." per draw, for comparing results at a glance.
std::vector<std::string> summary(const std::vector<StoredDraw>& draws) {
  std::vector<std::string> out;
  for (const auto& draw : draws) {
    std::string line = draw.isoDate;
    for (const auto& wheel : draw.wheels) line += "|" + wheel;
    out.push_back(line);
  }
  return out;
}

const std::string kText =
    "2025/01/04\tBA\t1\t2\t3\t4\t5\r\n"
    "2025/01/04\tRM\t90\t09\t8\t7\t6\r\n"
    "\r\n"
    "2025/01/02\tRN\t11\t12\t13\t14\t15\r\n"  // out of order: sorted by date
    "2025/01/04\tVE\t21\t22\t23\t24\t25";     // no line end at the very end

TEST(OfficialArchive, LinesBecomeDrawsByDate) {
  const std::vector<std::string> expected = {
      "2025-01-02|||||||||||11-12-13-14-15",
      "2025-01-04|01-02-03-04-05|||||||90-09-08-07-06||21-22-23-24-25|",
  };
  EXPECT_EQ(summary(parseOfficialArchive(kText).draws), expected);
  const auto marked = parseOfficialArchive("\xEF\xBB\xBF" + kText);  // byte order mark
  EXPECT_EQ(summary(marked.draws), expected);
  EXPECT_EQ(marked.firstLines, (std::vector<size_t>{4, 1}));
  EXPECT_TRUE(parseOfficialArchive("").draws.empty());
  EXPECT_TRUE(parseOfficialArchive("\n\r\n  \n").draws.empty());
}

// Every line that cannot be read is listed ("riga N: why"), and the others are read.
TEST(OfficialArchive, BadLinesAreListed) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2025/01/04\tBA\t1\t2\t3\t4", "riga 1: servono data, ruota e cinque numeri"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\t6", "riga 1: servono data, ruota"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\t \t ", ""},  // only blanks past the end
      {"2025/01/04 BA 1 2 3 4 5", "riga 1: servono"},
      {"04/01/2025\tBA\t1\t2\t3\t4\t5", "la data \"04/01/2025\" non è una data AAAA/MM/GG"},
      {"2025/02/30\tBA\t1\t2\t3\t4\t5", "la data \"2025/02/30\""},
      {"2999/01/04\tBA\t1\t2\t3\t4\t5", "riga 1: la data \"2999/01/04\" è successiva a oggi"},
      {"2025/01/04\tRO\t1\t2\t3\t4\t5", "la ruota \"RO\" è sconosciuta"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t91", "il numero \"91\" non è tra 1 e 90"},
      {"2025/01/04\tBA\t1\t2\t0\t4\t5", "il numero \"0\""},
      {"2025/01/04\tBA\t1\t2\t3a\t4\t5", "il numero \"3a\""},
      {"2025/01/04\tBA\t1\t2\t003\t4\t5", "il numero \"003\""},
      {"2025/01/04\tBA\t1\t2\t\t4\t5", "il numero \"\""},
      {"2025/01/04\tBA\t1\t2\t3\t4\t2", "il numero 2 compare due volte"},
      {"\n2025/01/04\tBA\t1\t2\t3\t4\t5\n2025/01/04\tBA\t6\t7\t8\t9\t10",
       "riga 3: la ruota BA compare due volte nella stessa data con numeri diversi"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\n2025/01/04\tBA\t1\t2\t3\t4\t5", ""},  // same numbers
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\n\x01\xff garbage",
       "riga 2: servono data, ruota e cinque numeri"},
      // Every bad line is listed, not only the first.
      {"x\n2025/01/04\tBA\t1\t2\t3\t4\t5\ny",
       "riga 1: servono data, ruota e cinque numeri "
       "separati da tabulazioni; riga 3: servono"},
      // CR, LF and CR LF each end a line: a lone CR hides no line.
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\r\r\n", ""},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\r2025/01/04\tVE\t1\t2\t3\t4\t5", ""},
      // A control character is shown as "?", the message stays one line.
      {"2025/01/04\tBA\x1b[2J\t1\t2\t3\t4\t5", "la ruota \"BA?[2J\" è sconosciuta"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    const OfficialArchive read = parseOfficialArchive(text);
    std::string listed;
    for (const auto& bad : read.invalidLines)
      listed +=
          (listed.empty() ? "riga " : "; riga ") + std::to_string(bad.lineNumber) + ": " + bad.why;
    if (message.empty())
      EXPECT_EQ(listed, "");
    else
      EXPECT_NE(listed.find(message), std::string::npos) << listed;
    EXPECT_EQ(read.draws.size(), message.empty() || text.find('\n') != std::string::npos ? 1u : 0u);
  }
  EXPECT_EQ(summary(parseOfficialArchive("2025/01/04\tBA\t1\t2\t3\t4\t5\r2025/01/04\tVE\t1\t2\t3"
                                         "\t4\t5")
                        .draws),
            std::vector<std::string>{"2025-01-04|01-02-03-04-05|||||||||01-02-03-04-05|"});
}

TEST(OfficialArchive, TooManyDatesAreRefused) {
  std::string text;
  for (size_t day = 0; day <= kMaxUpdateRows; ++day) {
    const int year = 1000 + static_cast<int>(day / 300), d = static_cast<int>(day % 300);
    char line[64];
    std::snprintf(line, sizeof line, "%04d/%02d/%02d\tBA\t1\t2\t3\t4\t5\n", year, d / 28 + 1,
                  d % 28 + 1);
    text += line;
  }
  EXPECT_THROW(parseOfficialArchive(text), Error);
}

// The text read straight, or from its zip; the kind of file told by its content.
TEST(OfficialArchive, TextAndZipGiveTheSameDraws) {
  TempDir dir;
  const std::string text = dir.file("storico.txt"), zip = dir.file("storico.zip");
  const std::string withFolder = dir.file("cartella.zip");
  writeFile(text, kText);
  ASSERT_TRUE(writeZip(zip, {{"storico.txt", kText}}));
  ASSERT_TRUE(writeZip(withFolder, {{"dati/", ""}, {"dati/storico.txt", kText}}));
  const auto expected = summary(parseOfficialArchive(kText).draws);
  const std::pair<std::string, DrawFileKind> cases[] = {
      {text, DrawFileKind::OfficialText},
      {zip, DrawFileKind::OfficialZip},
      {withFolder, DrawFileKind::OfficialZip},
  };
  for (const auto& [path, kind] : cases) {
    SCOPED_TRACE(path);
    const DrawFile read = readDrawFile(path);
    EXPECT_EQ(read.kind, kind);
    EXPECT_EQ(summary(read.draws), expected);
    EXPECT_EQ(read.rows.size(), expected.size());
  }
}

TEST(OfficialArchive, ZipsThatAreNotTheArchiveAreRefused) {
  TempDir dir;
  const std::string empty = dir.file("vuoto.zip"), two = dir.file("due.zip");
  const std::string cut = dir.file("tagliato.zip"), big = dir.file("grande.zip");
  ASSERT_TRUE(writeZip(two, {{"a.txt", kText}, {"b.txt", kText}}));
  ASSERT_TRUE(writeZip(dir.file("intero.zip"), {{"storico.txt", kText + std::string(5000, '\n')}}));
  const std::string whole = readFile(dir.file("intero.zip"));
  writeFile(cut, whole.substr(0, whole.size() / 2));
  // An empty zip is only its end record.
  writeFile(empty, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  // libzip's own texts are English; the user reads why in Italian.
  const std::string notZip = dir.file("nonzip.zip"), locked = dir.file("password.zip");
  writeFile(notZip, "PK\x03\x04" + std::string(100, 'x'));
  ASSERT_TRUE(writeZip(locked, {{"storico.txt", kText}}, "segreta"));
  ASSERT_TRUE(writeZip(big, {{"storico.txt", std::string(kOfficialArchiveMaxBytes + 1, '\n')}}));
  const std::pair<std::string, std::string> cases[] = {
      {empty, "non contiene alcun file"},
      {two, "contiene più di un file"},
      {cut, "danneggiato"},
      {big, "troppo grande"},
      {cut.substr(0, cut.size() - 4), "il file non esiste"},
      {notZip, "(non è un file zip)"},
      {locked, "(il file è protetto da una password)"},
  };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    try {
      readDrawFile(path);
      ADD_FAILURE() << "accepted";
    } catch (const UpdateFailure& failure) {
      EXPECT_NE(failure.detail().find(message), std::string::npos) << failure.detail();
    }
  }
}

}  // namespace
}  // namespace quintello
