// The official historical archive: its tab-separated text and the zip it comes in.

#include "archive/official_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/update_file.h"
#include "core/error.h"
#include "support/test_archive.h"
#include "support/zip_writer.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

void writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files) {
  ASSERT_TRUE(test::writeZip(path, files));
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

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
  EXPECT_EQ(summary(parseOfficialArchive(kText)), expected);
  EXPECT_EQ(summary(parseOfficialArchive("\xEF\xBB\xBF" + kText)), expected);  // byte order mark
  EXPECT_TRUE(parseOfficialArchive("").empty());
  EXPECT_TRUE(parseOfficialArchive("\n\r\n  \n").empty());
}

TEST(OfficialArchive, BadLinesAreNamed) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2025/01/04\tBA\t1\t2\t3\t4", "riga 1: servono data, ruota e cinque numeri"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\t6", "riga 1: servono data, ruota"},
      {"2025/01/04 BA 1 2 3 4 5", "riga 1: servono"},
      {"04/01/2025\tBA\t1\t2\t3\t4\t5", "la data \"04/01/2025\" non è una data AAAA/MM/GG"},
      {"2025/02/30\tBA\t1\t2\t3\t4\t5", "la data \"2025/02/30\""},
      {"2025/01/04\tRO\t1\t2\t3\t4\t5", "la ruota \"RO\" è sconosciuta"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t91", "il numero \"91\" non è tra 1 e 90"},
      {"2025/01/04\tBA\t1\t2\t0\t4\t5", "il numero \"0\""},
      {"2025/01/04\tBA\t1\t2\t3a\t4\t5", "il numero \"3a\""},
      {"2025/01/04\tBA\t1\t2\t003\t4\t5", "il numero \"003\""},
      {"2025/01/04\tBA\t1\t2\t\t4\t5", "il numero \"\""},
      {"2025/01/04\tBA\t1\t2\t3\t4\t2", "il numero 2 compare due volte"},
      {"\n2025/01/04\tBA\t1\t2\t3\t4\t5\n2025/01/04\tBA\t6\t7\t8\t9\t10",
       "riga 3: la ruota BA compare due volte nella stessa data"},
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\n\x01\xff garbage",
       "riga 2: servono data, ruota e cinque numeri"},
      // A stray carriage return or control character is shown as "?", the message stays one line.
      {"2025/01/04\tBA\t1\t2\t3\t4\t5\r\r\n", "riga 1: il numero \"5?\" non è tra 1 e 90"},
      {"2025/01/04\tBA\x1b[2J\t1\t2\t3\t4\t5", "la ruota \"BA?[2J\" è sconosciuta"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    try {
      parseOfficialArchive(text);
      ADD_FAILURE() << "accepted";
    } catch (const Error& failure) {
      EXPECT_TRUE(std::string(failure.what()).starts_with("Archivio storico, riga "));
      EXPECT_NE(std::string(failure.what()).find(message), std::string::npos) << failure.what();
    }
  }
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
  const std::string withFolder = dir.file("cartella.zip"), update = dir.file("agg.txt");
  writeText(text, kText);
  writeZip(zip, {{"storico.txt", kText}});
  writeZip(withFolder, {{"dati/", ""}, {"dati/storico.txt", kText}});
  writeText(update, std::string(178, ' ') + "\r\n");
  EXPECT_EQ(drawFileKind(text), DrawFileKind::OfficialText);
  EXPECT_EQ(drawFileKind(zip), DrawFileKind::OfficialZip);
  EXPECT_EQ(drawFileKind(update), DrawFileKind::UpdateFile);
  EXPECT_THROW(drawFileKind(dir.file("manca.zip")), Error);
  EXPECT_EQ(readOfficialArchiveZip(zip), kText);
  const auto expected = summary(parseOfficialArchive(kText));
  EXPECT_EQ(summary(readOfficialArchive(text)), expected);
  EXPECT_EQ(summary(readOfficialArchive(zip)), expected);
  EXPECT_EQ(summary(readOfficialArchive(withFolder)), expected);
}

TEST(OfficialArchive, ZipsThatAreNotTheArchiveAreRefused) {
  TempDir dir;
  const std::string empty = dir.file("vuoto.zip"), two = dir.file("due.zip");
  const std::string cut = dir.file("tagliato.zip"), big = dir.file("grande.zip");
  writeZip(two, {{"a.txt", kText}, {"b.txt", kText}});
  writeZip(dir.file("intero.zip"), {{"storico.txt", kText + std::string(5000, '\n')}});
  const std::string whole = [&] {
    std::ifstream in(dir.file("intero.zip"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  writeText(cut, whole.substr(0, whole.size() / 2));
  // An empty zip is only its end record.
  writeText(empty, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  writeZip(big, {{"storico.txt", std::string(kOfficialArchiveMaxBytes + 1, '\n')}});
  const std::pair<std::string, std::string> cases[] = {
      {empty, "non contiene alcun file"},
      {two, "contiene più di un file"},
      {cut, "danneggiato"},
      {big, "troppo grande"},
      {dir.file("manca.zip"), "non è l'archivio storico"},
  };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    try {
      readOfficialArchiveZip(path);
      ADD_FAILURE() << "accepted";
    } catch (const Error& failure) {
      EXPECT_NE(std::string(failure.what()).find(message), std::string::npos) << failure.what();
    }
  }
}

}  // namespace
}  // namespace quintello
