// The three exports of the archive, byte for byte against files written by
// golden/export_goldens.py, a plain model of the formats that shares no code with the program.
#include "archive/exports.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "archive/helpers.h"
#include "archive/update_file.h"
#include "core/pending_file.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

namespace fs = std::filesystem;
using test::readFile;

std::string golden(const std::string& name) {
  return readFile(QUINTELLO_TEST_SOURCE_DIR "/archive/golden/" + name);
}

class Exports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    loadStoredDraws(readStoredDraws(QUINTELLO_TEST_SOURCE_DIR "/archive/golden/export_draws.txt"),
                    archive);
  }
  static DrawArchive archive;
  test::TempDir dir;
  NoProgress none;
};
DrawArchive Exports::archive;

TEST_F(Exports, EachFormatMatchesItsGoldenFile) {
  ASSERT_EQ(archive.count(), 103);
  for (const auto& [format, name] : {std::pair{ExportFormat::DatiIii, "Dati.iii"},
                                     {ExportFormat::Zefiral, "DATI32.III"},
                                     {ExportFormat::Nazionale, "nazionale.txt"}}) {
    SCOPED_TRACE(name);
    test::RecordedProgress progress;
    exportArchive(format, archive, dir.file(name), progress);
    EXPECT_TRUE(readFile(dir.file(name)) == golden(name)) << "differs from golden/" << name;
    EXPECT_EQ(progress.maximum, 103);
    EXPECT_EQ(progress.values, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    exportArchive(format, DrawArchive(), dir.file("vuoto"), none);
    EXPECT_EQ(readFile(dir.file("vuoto")), "");  // an empty archive, an empty file
  }
}

// A file already there is replaced only by a complete one. Some targets are never replaced,
// each with its reason (a missing folder, the archive itself: quintello-cli's update runs); a
// refused write leaves the target as it was and no temporary file behind, and a temporary
// left by a killed writer goes at the next write.
TEST_F(Exports, TargetsThatAreNeverReplaced) {
  const std::string path = dir.file("Dati.iii");
  test::writeFile(path, "vecchio");
  test::writeFile(dir.file(".quintello-2147483646-killed.nuovo"), "mezzo");
  exportArchive(ExportFormat::DatiIii, archive, path, none);
  EXPECT_EQ(fs::file_size(path), 110u * 103);
  // A link is written through: the file it leads to gets the export, the link stays.
  fs::create_symlink(path, dir.file("collegamento"));
  exportArchive(ExportFormat::Nazionale, archive, dir.file("collegamento"), none);
  EXPECT_TRUE(fs::is_symlink(dir.file("collegamento")));
  EXPECT_EQ(readFile(path), golden("nazionale.txt"));

  const std::string inUse = dir.file("archivio.mdb"), readOnly = dir.file("sola.txt");
  test::writeFile(inUse, "archivio");
  fs::create_hard_link(inUse, dir.file("altro-nome.mdb"));
  test::writeFile(readOnly, "sola lettura");
  fs::permissions(readOnly, fs::perms::owner_read);
  fs::create_directory(dir.file("cartella"));
  ASSERT_EQ(::mkfifo(dir.file("coda").c_str(), 0600), 0);
  for (const auto& [target, reason] : {
           std::pair{dir.file("cartella"), "è una cartella, non un file."},
           {dir.file("coda"), "non è un file di dati (è un dispositivo, una coda o un socket)"},
           {readOnly, "il file è di sola lettura."},
           {dir.file("altro-nome.mdb"), "è un file in uso dal programma"},  // a second name
           {dir.file(std::string(300, 'x')), "il nome del file è troppo lungo"},
       }) {
    const std::string told = test::refusal(
        [&] { exportArchive(ExportFormat::Nazionale, archive, target, none, {inUse}); });
    EXPECT_TRUE(told.starts_with("Impossibile scrivere il file \"" + target + "\": " + reason))
        << told;
  }
  EXPECT_EQ(readFile(inUse) + "|" + readFile(readOnly), "archivio|sola lettura");
  EXPECT_EQ(test::filesIn(dir.path()),
            (std::set<std::string>{"Dati.iii", "altro-nome.mdb", "archivio.mdb", "cartella", "coda",
                                   "collegamento", "sola.txt"}));
  // A table saved as text never replaces a database, whatever its name.
  const std::string database = std::string("SQLite format 3\0", 16) + "pagine";
  test::writeFile(dir.file("tabella.csv"), database);
  EXPECT_NE(test::refusal([&] { writeWholeFile(dir.file("tabella.csv"), "1;2\r\n"); }), "");
  EXPECT_EQ(readFile(dir.file("tabella.csv")), database);
}

// The Zefiral export goes to its fixed place, never making the folder.
TEST_F(Exports, ZefiralFixedPlaceAndMissingFolder) {
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", dir.path().c_str(), 1);
  EXPECT_EQ(zefiralPath(), dir.file("AMBROSA3/DATI32.III"));
  EXPECT_EQ(estrattiZipPath(), dir.file("estratti.zip"));
  EXPECT_EQ(test::refusal([&] { exportZefiral(archive, none); }), export_text::kCartellaNonEsiste);
  EXPECT_FALSE(fs::exists(dir.file("AMBROSA3")));
  fs::create_directory(dir.file("AMBROSA3"));
  exportZefiral(archive, none);
  EXPECT_EQ(readFile(zefiralPath()), golden("DATI32.III"));
  // The folder is there but the file cannot be written: the reason follows.
  EXPECT_TRUE(test::refusal([&] { exportZefiral(archive, none, zefiralPath(), {zefiralPath()}); })
                  .starts_with(std::string(export_text::kCartellaNonEsiste) +
                               " Impossibile scrivere il file"));
  setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace quintello
