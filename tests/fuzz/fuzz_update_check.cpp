// The update tab's check on any file, read as both of its buttons read it: every row keeps its
// place in the file and its finding agrees with the stored draws.
#include <algorithm>
#include <string>
#include <vector>

#include "archive/draw_file.h"
#include "archive/update_check.h"
#include "fuzz/fuzz_input.h"
#include "support/test_archive.h"

using namespace quintello;
using fuzz::require;

namespace {

// The two lines of kTwoUpdateLines (the seeds hold them equal, changed and missing).
std::vector<StoredDraw> storedDraws() {
  std::vector<StoredDraw> draws;
  for (const auto& row : readDrawBytes(test::kTwoUpdateLines, "agg.txt").rows) {
    require(row.problem.empty());
    draws.push_back(storedDrawOfRow(row));
  }
  require(draws.size() == 2);
  return draws;
}

void checkFindings(const UpdateCheck& check, StoredDrawLookup& stored) {
  using Finding = UpdateRow::Finding;
  for (size_t r = 0; r < check.rows.size(); ++r) {
    const UpdateRow& row = check.rows[r];
    require(r == 0 || check.rows[r - 1].lineNumber < row.lineNumber);
    require(row.problem.empty() == !row.isoDate.empty());
    if (!row.problem.empty()) {
      require(row.finding == Finding::Invalid && fuzz::isOneLine(row.problem));
      continue;
    }
    require(dateTextFromStored(row.isoDate).has_value());
    for (const auto& wheel : storedDrawOfRow(row).wheels) require(fuzz::isStoredWheel(wheel, true));
    const bool found = stored.find(row.isoDate).has_value();
    const bool allAgree =
        std::all_of(row.agrees.begin(), row.agrees.end(), [](bool a) { return a; });
    require(row.finding == Finding::Missing      ? !found
            : row.finding == Finding::Equal      ? found && allAgree
            : row.finding == Finding::Wrong      ? found && !allAgree
            : row.finding == Finding::Incomplete ? row.official
                                                 : false);
  }
  for (const auto& message : check.messages) require(fuzz::isOneLine(message));
  static_cast<void>(importGrid(check));
}

void checkFile(std::string_view bytes, FirstLine firstLine) {
  static StoredDrawList stored(storedDraws());
  try {
    DrawFile read = readDrawBytes(bytes, "agg.txt", firstLine);
    if (read.wrongForm) return;
    const size_t rows = read.rows.size();
    NoProgress progress;
    const UpdateCheck check = checkUpdateRows(std::move(read.rows), stored, progress);
    require(check.rows.size() == rows);
    checkFindings(check, stored);
  } catch (const UpdateFailure& failure) {
    require(fuzz::isOneLine(failure.what()) && fuzz::isOneLine(failure.detail()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checkFile(fuzz::asText(data, size), FirstLine::Check);
  checkFile(fuzz::asText(data, size), FirstLine::Skip);
  return 0;
}
