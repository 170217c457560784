// The update tab's check on any file: read in both ways the tab reads it ("AGGIORNA DA FILE"
// and "CONTROLLO AGGIORNAMENTI"), checked against a few stored draws, shown in FgImporta.
// Every row keeps its place in the file and its finding agrees with the stored draws.
#include <algorithm>
#include <string>
#include <vector>

#include "archive/draw_file.h"
#include "archive/update_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/official_draws.h"

using namespace quintello;
using fuzz::require;

namespace {

// The stored draws: 05/01/2026 on all eleven wheels, 08/01/2026 without Cagliari and the
// Nazionale (the seeds hold these lines equal, changed and missing).
std::vector<StoredDraw> storedDraws() {
  const std::string first =
      "05/01/2026 01-02-03-04-05 06-07-08-09-10 11-12-13-14-15 16-17-18-19-20 21-22-23-24-25 "
      "26-27-28-29-30 31-32-33-34-35 36-37-38-39-40 41-42-43-44-45 46-47-48-49-50 "
      "51-52-53-54-55 pr";
  const std::string second =
      "08/01/2026 90-89-88-87-86                85-84-83-82-81 80-79-78-77-76 75-74-73-72-71 "
      "70-69-68-67-66 65-64-63-62-61 60-59-58-57-56 55-54-53-52-51 50-49-48-47-46 "
      "               pr";
  std::vector<StoredDraw> draws;
  for (const auto& row : updateRowsFromLines({first, second})) {
    require(row.problem.empty());
    draws.push_back(storedDrawOfRow(row));
  }
  return draws;
}

void checkFindings(const UpdateCheck& check, StoredDrawLookup& stored) {
  for (size_t r = 0; r < check.rows.size(); ++r) {
    const UpdateRow& row = check.rows[r];
    require(r == 0 || check.rows[r - 1].lineNumber < row.lineNumber);
    require(row.problem.empty() == !row.isoDate.empty());
    if (!row.problem.empty()) {
      require(row.finding == UpdateRow::Finding::Invalid);
      require(fuzz::isOneLine(row.problem));
      continue;
    }
    require(dateTextFromStored(row.isoDate).has_value());
    for (const auto& wheel : storedDrawOfRow(row).wheels) require(fuzz::isStoredWheel(wheel, true));
    const auto found = stored.find(row.isoDate);
    const bool allAgree =
        std::all_of(row.agrees.begin(), row.agrees.end(), [](bool a) { return a; });
    switch (row.finding) {
      case UpdateRow::Finding::Missing:
        require(!found);
        break;
      case UpdateRow::Finding::Equal:
        require(found && allAgree);
        break;
      case UpdateRow::Finding::Wrong:
        require(found && !allAgree);
        break;
      case UpdateRow::Finding::Incomplete:
        require(row.official);
        break;
      default:
        fuzz::broken();
    }
  }
  for (const auto& message : check.messages) require(fuzz::isOneLine(message));
  const Grid grid = importGrid(check);
  (void)grid;
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
    require(fuzz::isOneLine(failure.what()));
    require(fuzz::isOneLine(failure.detail()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checkFile(fuzz::asText(data, size), FirstLine::Check);
  checkFile(fuzz::asText(data, size), FirstLine::Skip);
  return 0;
}
