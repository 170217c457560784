#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/archive_database.h"
#include "core/draw_archive.h"

namespace quintello::test {

// One draw for a test archive, written the way a person reads it:
//   {"07/01/2026", {{"BA", {1, 2, 3, 4, 5}}, {"RO", {90, 11, 22, 33, 44}}}}
// Wheels left out had no draw that day.
struct TestDraw {
  std::string date;  // "GG/MM/AAAA"
  std::vector<std::pair<std::string, WheelNumbers>> wheels;
};

// An in-memory archive holding the draws as indices 1..N, ordinals computed and the model
// archive built from firstIndex.
DrawArchive makeArchive(const std::vector<TestDraw>& draws, int firstIndex = 1);

// N draws a week apart from 01/01/2000 whose numbers are a simple function of the index,
// for tests that need volume rather than particular values.
std::vector<TestDraw> weeklyDraws(int count);

// The draws as the draw table stores them.
std::vector<StoredDraw> storedDraws(const std::vector<TestDraw>& draws);

// Writes an SQLite archive file holding the draws.
void writeArchiveFile(const std::string& path, const std::vector<TestDraw>& draws);

// A fresh empty folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace quintello::test
