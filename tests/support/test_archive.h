#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/archive_database.h"
#include "core/draw_archive.h"

namespace quintello::test {

// {"07/01/2026", {{"BA", {1, 2, 3, 4, 5}}}}: wheels left out had no draw that day.
struct TestDraw {
  std::string date;  // "GG/MM/AAAA"
  std::vector<std::pair<std::string, WheelNumbers>> wheels;
};

// Two draws in the update-file form, CR LF: 05/01/2026 with 1..55 in order over the eleven
// wheels; 08/01/2026 with blank groups for Cagliari and the Nazionale (no draw there).
inline constexpr const char* kTwoUpdateLines =
    "05/01/2026 01-02-03-04-05 06-07-08-09-10 11-12-13-14-15 16-17-18-19-20 21-22-23-24-25 "
    "26-27-28-29-30 31-32-33-34-35 36-37-38-39-40 41-42-43-44-45 46-47-48-49-50 "
    "51-52-53-54-55 pr\r\n"
    "08/01/2026 90-89-88-87-86                85-84-83-82-81 80-79-78-77-76 75-74-73-72-71 "
    "70-69-68-67-66 65-64-63-62-61 60-59-58-57-56 55-54-53-52-51 50-49-48-47-46 "
    "               pr\r\n";

// An in-memory archive of the draws as indices 1..N, the model archive built from firstIndex.
DrawArchive makeArchive(const std::vector<TestDraw>& draws, int firstIndex = 1);

// N draws a week apart from 01/01/2000, their numbers a simple function of the index.
std::vector<TestDraw> weeklyDraws(int count);
// Five draws of late 2025 on a few wheels, the fourth with the Nazionale.
std::vector<TestDraw> fiveDraws();

std::vector<StoredDraw> storedDraws(const std::vector<TestDraw>& draws);

void writeArchiveFile(const std::string& path, const std::vector<TestDraw>& draws);

// Progress as a window's bar sees it.
struct RecordedProgress : Progress {
  int maximum = -1;
  std::vector<int> values;
  void setMaximum(int m) override { maximum = m; }
  void setValue(int v) override { values.push_back(v); }
};

// A fresh empty folder, removed with its content at the end.
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
