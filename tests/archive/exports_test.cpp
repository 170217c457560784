// The three exports of the archive, byte for byte against files written by
// golden/export_goldens.py, a plain model of the formats that shares no code with the program.

#include "archive/exports.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/update_file.h"
#include "core/error.h"
#include "core/pending_file.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RecordedProgress;
using test::TempDir;

std::string golden(const std::string& name) {
  return test::readFile(QUINTELLO_TEST_SOURCE_DIR "/archive/golden/" + name);
}

class Exports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const auto path =
        (fs::path(QUINTELLO_TEST_SOURCE_DIR) / "archive" / "golden" / "export_draws.txt").string();
    loadStoredDraws(readStoredDraws(path), archive_);
  }
  static DrawArchive archive_;
  TempDir dir;
};
DrawArchive Exports::archive_;

TEST_F(Exports, EachFormatMatchesItsGoldenFile) {
  const std::tuple<ExportFormat, std::string> cases[] = {
      {ExportFormat::DatiIii, "Dati.iii"},
      {ExportFormat::Zefiral, "DATI32.III"},
      {ExportFormat::Nazionale, "nazionale.txt"},
  };
  ASSERT_EQ(archive_.count(), 103);
  for (const auto& [format, name] : cases) {
    SCOPED_TRACE(name);
    RecordedProgress progress;
    const std::string path = dir.file(name);
    exportArchive(format, archive_, path, progress);
    const std::string expected = golden(name);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(readFile(path) == expected) << "differs from golden/" << name;
    EXPECT_EQ(progress.maximum, 103);
    EXPECT_EQ(progress.values, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
  }
}

// The cases the golden files were chosen for, read straight from the bytes.
TEST_F(Exports, YearFieldOrdinalsAndIndexWidth) {
  NoProgress none;
  std::ostringstream dati, zefiral, nazionale;
  writeDatiIii(dati, archive_, none);
  writeZefiral(zefiral, archive_, none);
  writeNazionaleText(nazionale, archive_, none);

  const std::string bytes = dati.str();
  ASSERT_EQ(bytes.size(), 110u * 103);
  const auto int16At = [&](int draw, size_t offset) {
    const size_t at = 110 * static_cast<size_t>(draw - 1) + offset;
    return static_cast<int>(static_cast<unsigned char>(bytes[at]) |
                            static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  EXPECT_EQ(int16At(1, 4), 61);    // 10/06/1961
  EXPECT_EQ(int16At(103, 4), 61);  // 03/01/2061
  EXPECT_EQ(int16At(1, 0), 10);
  EXPECT_EQ(int16At(1, 2), 6);
  EXPECT_EQ(int16At(102, 108), 101);                  // 10/04/2020, the 101st draw of its year
  EXPECT_EQ(bytes.substr(6 + 10, 10), "0000000000");  // no Cagliari in 1961

  std::vector<std::string> lines;
  std::istringstream in(zefiral.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 103u);
  EXPECT_EQ(lines[0].size(), 1 + 110 + 1 + 1u);                            // quotes and CR
  EXPECT_EQ(lines[100].size(), lines[99].size() + 1);                      // year ordinal 100
  EXPECT_EQ(lines[0].substr(101, 6), lines[102].substr(101, 2) + "0610");  // "61" + month, day
  EXPECT_EQ(lines[102].substr(101, 6), "610103");

  const std::string list = nazionale.str();
  EXPECT_EQ(list.find("00001-"), std::string::npos);  // 1961 had no Nazionale
  EXPECT_EQ(list.substr(0, 6), "00002-");
  EXPECT_NE(list.find("\r\n00042-"), std::string::npos);
  EXPECT_EQ(list.size(), 102u * 18);
}

TEST_F(Exports, AnEmptyArchiveGivesEmptyFiles) {
  const DrawArchive empty;
  NoProgress none;
  for (const auto format :
       {ExportFormat::DatiIii, ExportFormat::Zefiral, ExportFormat::Nazionale}) {
    const std::string path = dir.file("vuoto");
    exportArchive(format, empty, path, none);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
  }
}

// A file already there is replaced only by a complete one. Some targets are never replaced,
// each with its reason; a refused or failed write leaves the target as it was and no
// temporary file behind, and a temporary left by a killed writer goes at the next write.
TEST_F(Exports, TargetsThatAreNeverReplaced) {
  NoProgress none;
  const std::string path = dir.file("Dati.iii");
  std::ofstream(path) << "vecchio";
  std::ofstream(dir.file(".quintello-2147483646-killed.nuovo")) << "mezzo";
  exportArchive(ExportFormat::DatiIii, archive_, path, none);
  EXPECT_EQ(fs::file_size(path), 110u * 103);
  // A link is written through: the file it leads to gets the export, the link stays.
  fs::create_symlink(path, dir.file("collegamento"));
  exportArchive(ExportFormat::Nazionale, archive_, dir.file("collegamento"), none);
  EXPECT_TRUE(fs::is_symlink(dir.file("collegamento")));
  EXPECT_EQ(readFile(path), golden("nazionale.txt"));

  const std::string archive = dir.file("archivio.mdb"), readOnly = dir.file("sola.txt");
  std::ofstream(archive) << "archivio";
  fs::create_hard_link(archive, dir.file("altro-nome.mdb"));
  std::ofstream(readOnly) << "sola lettura";
  fs::permissions(readOnly, fs::perms::owner_read);
  fs::create_directory(dir.file("cartella"));
  ASSERT_EQ(::mkfifo(dir.file("coda").c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {dir.file("manca/Dati.iii"), "la cartella di destinazione non esiste."},
      {dir.file("cartella"), "è una cartella, non un file."},
      {dir.file("coda"), "non è un file di dati (è un dispositivo, una coda o un socket)"},
      {readOnly, "il file è di sola lettura."},
      {archive, "è un file in uso dal programma"},
      {dir.file("altro-nome.mdb"), "è un file in uso dal programma"},  // the same file
      {dir.file(std::string(300, 'x')), "il nome del file è troppo lungo"},
  };
  for (const auto& [target, reason] : cases) {
    SCOPED_TRACE(target);
    try {
      exportArchive(ExportFormat::Nazionale, archive_, target, none, {archive});
      ADD_FAILURE() << "written";
    } catch (const Error& failure) {
      const std::string expected = "Impossibile scrivere il file \"" + target + "\": " + reason;
      EXPECT_TRUE(std::string(failure.what()).starts_with(expected)) << failure.what();
    }
  }
  EXPECT_EQ(readFile(archive), "archivio");
  EXPECT_EQ(readFile(readOnly), "sola lettura");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"Dati.iii", "altro-nome.mdb", "archivio.mdb",
                                            "cartella", "coda", "collegamento", "sola.txt"}));

  // A table saved as text never replaces a database, whatever its name.
  const std::string database = std::string("SQLite format 3\0", 16) + "pagine";
  test::writeFile(dir.file("tabella.csv"), database);
  EXPECT_THROW(writeWholeFile(dir.file("tabella.csv"), "1;2\r\n"), Error);
  EXPECT_EQ(readFile(dir.file("tabella.csv")), database);
}

TEST_F(Exports, ZefiralFixedPlaceAndMissingFolder) {
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", dir.path().c_str(), 1);
  EXPECT_EQ(zefiralPath(), dir.file("AMBROSA3/DATI32.III"));
  EXPECT_EQ(estrattiZipPath(), dir.file("estratti.zip"));
  NoProgress none;
  try {
    exportZefiral(archive_, none);
    ADD_FAILURE() << "written without its folder";
  } catch (const Error& failure) {
    EXPECT_EQ(std::string(failure.what()), export_text::kCartellaNonEsiste);
  }
  EXPECT_FALSE(fs::exists(dir.file("AMBROSA3")));  // the folder is not made
  fs::create_directory(dir.file("AMBROSA3"));
  exportZefiral(archive_, none);
  EXPECT_EQ(readFile(zefiralPath()), golden("DATI32.III"));
  // The folder is there but the file cannot be written: the reason follows.
  try {
    exportZefiral(archive_, none, zefiralPath(), {zefiralPath()});
    ADD_FAILURE() << "replaced a file in use";
  } catch (const Error& failure) {
    EXPECT_TRUE(std::string(failure.what())
                    .starts_with(std::string(export_text::kCartellaNonEsiste) +
                                 " Impossibile scrivere il file"))
        << failure.what();
  }
  setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace quintello
