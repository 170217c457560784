// The official historical archive: its tab-separated text and the zip it comes in.
#include "archive/official_archive.h"

#include <gtest/gtest.h>

#include "archive/draw_file.h"
#include "archive/helpers.h"
#include "core/error.h"
#include "support/test_archive.h"
#include "support/zip_writer.h"

namespace quintello {
namespace {

using test::writeFile;
using test::writeZip;

// "date|wheel|..." per draw.
std::vector<std::string> summary(const std::vector<StoredDraw>& draws) {
  std::vector<std::string> out;
  for (const auto& draw : draws) {
    out.push_back(draw.isoDate);
    for (const auto& wheel : draw.wheels) out.back() += "|" + wheel;
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
  const auto marked = parseOfficialArchive("\xEF\xBB\xBF" + kText);  // byte order mark
  EXPECT_EQ(summary(marked.draws), expected);
  EXPECT_EQ(marked.firstLines, (std::vector<size_t>{4, 1}));
  EXPECT_TRUE(parseOfficialArchive("\n\r\n  \n").draws.empty());
}

// Every line that cannot be read is listed ("riga N: why"), and the others are read.
TEST(OfficialArchive, BadLinesAreListed) {
  for (const auto& c : test::caseRows("archive/cases/official_lines.txt")) {
    SCOPED_TRACE(c.at(2));
    const OfficialArchive read = parseOfficialArchive(c[2]);
    std::string listed;
    for (const auto& bad : read.invalidLines)
      listed +=
          (listed.empty() ? "riga " : "; riga ") + std::to_string(bad.lineNumber) + ": " + bad.why;
    EXPECT_TRUE(listed.find(c[1]) != std::string::npos && listed.empty() == c[1].empty()) << listed;
    EXPECT_EQ(std::to_string(read.draws.size()), c[0]);
  }
  std::string tooMany;  // more dates than any archive holds
  for (int day = 0; day <= int(kMaxUpdateRows); ++day)
    tooMany += std::to_string(1000 + day / 57) + "/" + std::to_string(10 + day / 19 % 3) + "/" +
               std::to_string(10 + day % 19) + "\tBA\t1\t2\t3\t4\t5\n";
  EXPECT_THROW(parseOfficialArchive(tooMany), Error);
}

// A zip holding its folder is read (the text and a plain zip: quintello-cli's update runs);
// zips that are not the archive are refused, saying why in Italian (libzip's are English).
TEST(OfficialArchive, TextAndZips) {
  test::TempDir dir;
  ASSERT_TRUE(writeZip(dir.file("cartella.zip"), {{"dati/", ""}, {"dati/storico.txt", kText}}));
  EXPECT_EQ(summary(readDrawFile(dir.file("cartella.zip")).draws),
            summary(parseOfficialArchive(kText).draws));
  ASSERT_TRUE(writeZip(dir.file("due.zip"), {{"a.txt", kText}, {"b.txt", kText}}));
  ASSERT_TRUE(writeZip(dir.file("intero.zip"), {{"storico.txt", kText + std::string(5000, '\n')}}));
  const std::string whole = test::readFile(dir.file("intero.zip"));
  writeFile(dir.file("tagliato.zip"), whole.substr(0, whole.size() / 2));
  writeFile(dir.file("vuoto.zip"), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  writeFile(dir.file("nonzip.zip"), "PK\x03\x04" + std::string(100, 'x'));
  ASSERT_TRUE(writeZip(dir.file("password.zip"), {{"storico.txt", kText}}, "segreta"));
  ASSERT_TRUE(writeZip(dir.file("grande.zip"),
                       {{"storico.txt", std::string(kOfficialArchiveMaxBytes + 1, '\n')}}));
  for (const auto& [name, message] : {std::pair{"vuoto.zip", "non contiene alcun file"},
                                      {"due.zip", "contiene più di un file"},
                                      {"tagliato.zip", "danneggiato"},
                                      {"grande.zip", "troppo grande"},
                                      {"manca.zip", "il file non esiste"},
                                      {"nonzip.zip", "(non è un file zip)"},
                                      {"password.zip", "(il file è protetto da una password)"}}) {
    try {
      readDrawFile(dir.file(name));
      ADD_FAILURE() << name << " accepted";
    } catch (const UpdateFailure& failure) {
      EXPECT_NE(failure.detail().find(message), std::string::npos) << failure.detail();
    }
  }
}

}  // namespace
}  // namespace quintello
