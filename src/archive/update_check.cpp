#include "archive/update_check.h"

#include <algorithm>
#include <map>

#include "core/color.h"
#include "core/dates.h"
#include "core/one_line_text.h"
#include "core/pending_file.h"
#include "core/wheels.h"

namespace quintello {

namespace {

using Finding = UpdateRow::Finding;

// The ten classic wheel groups end at character 160; the Nazionale group may be missing.
constexpr size_t kClassicWheelsEnd = 11 + 15 * 10 - 1;

bool isBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Five two-digit numbers 01..90 at characters 1, 4, 7, 10 and 13, any non-digit between them.
bool isNumberGroup(std::string_view group) {
  if (group.size() != 14) return false;
  for (size_t k = 0; k < kPositions; ++k) {
    const size_t at = 3 * k;
    if (!isDigit(group[at]) || !isDigit(group[at + 1])) return false;
    if (!isLottoNumber((group[at] - '0') * 10 + (group[at + 1] - '0'))) return false;
    if (k + 1 < kPositions && isDigit(group[at + 2])) return false;
  }
  return true;
}

// The first number of a valid group drawn twice in it, or 0.
int repeatedNumber(std::string_view group) {
  for (size_t k = 1; k < kPositions; ++k)
    for (size_t j = 0; j < k; ++j)
      if (group.substr(3 * k, 2) == group.substr(3 * j, 2))
        return (group[3 * k] - '0') * 10 + (group[3 * k + 1] - '0');
  return 0;
}

// Why a line cannot be a draw; empty when it can.
std::string lineProblem(std::string_view text, const UpdateLine& line,
                        const std::optional<std::string>& isoDate) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"'; }))
    return "contiene una virgola o delle virgolette";
  if (!isoDate)  // the date as it stands, a control character shown as "?"
    return "la data \"" + oneLineText(line.dateText) + "\" non è una data GG/MM/AAAA";
  if (isAfterToday(*isoDate)) return "la data " + line.dateText + " è successiva a oggi";
  if (text.size() < kClassicWheelsEnd)
    return "la riga è incompleta (" + std::to_string(text.size()) + " caratteri invece di " +
           std::to_string(kUpdateLineLength) + ")";
  if (text.size() > kUpdateLineLength && !isBlank(text.substr(kUpdateLineLength)))
    return "la riga è più lunga di " + std::to_string(kUpdateLineLength) + " caratteri";
  bool anyNumbers = false;
  for (size_t w = 0; w < line.wheels.size(); ++w) {
    if (isBlank(line.wheels[w])) continue;
    if (!isNumberGroup(line.wheels[w]))
      return "i numeri di " + std::string(kWheelNames[w]) + " non sono validi";
    if (const int twice = repeatedNumber(line.wheels[w]))
      return "il numero " + std::to_string(twice) + " compare due volte su " +
             std::string(kWheelNames[w]);
    anyNumbers = true;
  }
  if (!anyNumbers) return "la riga non contiene numeri";
  return {};
}

UpdateRow rowFromLine(std::string_view text, size_t lineNumber) {
  UpdateRow row;
  row.lineNumber = lineNumber;
  row.line = parseUpdateLine(text);
  const auto iso = isoFromDateText(row.line.dateText);
  row.problem = lineProblem(text, row.line, iso);
  if (row.problem.empty()) row.isoDate = *iso;
  return row;
}

// Collects the rows of the lines, as FgImporta keeps them: empty lines (and lines of blanks)
// are dropped; more than kMaxUpdateRows rows is refused. A date on two lines with different
// numbers makes the later line invalid: the file cannot say which is the draw.
class RowCollector {
 public:
  void add(std::string_view text) {
    ++lineNumber_;
    if (isBlank(text)) return;
    if (rows_.size() == kMaxUpdateRows)
      throw Error("Il file contiene più di " + std::to_string(kMaxUpdateRows) +
                  " righe: non è un file di aggiornamento dell'archivio.");
    rows_.push_back(rowFromLine(text, lineNumber_));
    UpdateRow& row = rows_.back();
    if (!row.problem.empty()) return;
    const auto [first, added] = firstRowOfDate_.emplace(row.isoDate, rows_.size() - 1);
    if (added) return;
    const UpdateRow& earlier = rows_[first->second];
    if (storedDrawOfRow(earlier).wheels == storedDrawOfRow(row).wheels) return;
    row.problem = "la data compare già alla riga " + std::to_string(earlier.lineNumber) +
                  " con numeri diversi";
    row.isoDate.clear();
  }
  std::vector<UpdateRow> take() { return std::move(rows_); }

 private:
  size_t lineNumber_ = 0;
  std::vector<UpdateRow> rows_;
  std::map<std::string, size_t> firstRowOfDate_;
};

// A wheel without a draw: empty, or blanks and hyphens (an entry left empty is stored as
// four hyphens).
bool meansNoDraw(std::string_view text) {
  return text.find_first_not_of(" -") == std::string_view::npos;
}

bool wheelsAgree(std::string_view fromFile, std::string_view stored) {
  return fromFile == stored || (meansNoDraw(fromFile) && meansNoDraw(stored));
}

template <typename Wheels>
int drawnWheels(const Wheels& wheels) {
  return static_cast<int>(std::count_if(wheels.begin(), wheels.end(),
                                        [](std::string_view w) { return !meansNoDraw(w); }));
}

// The official archive lists a wheel whose draw was put off (1948-1969) as a date of its
// own, and a file cut short ends in a date with only some wheels: neither is a draw. The
// wheels in play changed over the years, so the last stored draw is the measure.
bool isIncomplete(const UpdateRow& row, const std::optional<StoredDraw>& stored,
                  const std::optional<StoredDraw>& last) {
  if (!row.official) return false;
  const int wheels = drawnWheels(row.line.wheels);
  if (wheels == 1) return true;
  return !stored && last && row.isoDate > last->isoDate && wheels < drawnWheels(last->wheels);
}

void checkRow(UpdateRow& row, StoredDrawLookup& stored, const std::optional<StoredDraw>& last,
              UpdateCheck& check) {
  const std::string& date = row.line.dateText;
  if (!row.problem.empty()) {
    row.finding = Finding::Invalid;
    check.messages.push_back("Riga " + std::to_string(row.lineNumber) +
                             " non valida: " + row.problem);
    ++check.errorCount;
    return;
  }
  const auto draw = stored.find(row.isoDate);
  if (isIncomplete(row, draw, last)) {
    row.finding = Finding::Incomplete;
    check.messages.push_back(std::string(update_text::kIncompleta) + date);
    ++check.errorCount;
    return;
  }
  if (!draw) {
    row.finding = Finding::Missing;
    check.messages.push_back(std::string(update_text::kManca) + date);
    return;
  }
  int matches = 0;
  for (size_t w = 0; w < row.agrees.size(); ++w) {
    // A wheel the official archive lacks is unknown: not a difference.
    row.agrees[w] = wheelsAgree(row.line.wheels[w], draw->wheels[w]) ||
                    (row.official && isBlank(row.line.wheels[w]));
    matches += row.agrees[w] ? 1 : 0;
  }
  if (matches == kWheelCount) {
    row.finding = Finding::Equal;
    return;
  }
  row.finding = Finding::Wrong;
  check.messages.push_back(std::string(update_text::kErrori) + date);
  ++check.errorCount;
}

// The write a row asks for, if any.
std::optional<DrawWrite> writeOfRow(const UpdateRow& row, bool correct) {
  if (row.finding == Finding::Missing)
    return DrawWrite{DrawWrite::Kind::Add, storedDrawOfRow(row), false};
  if (row.finding == Finding::Wrong && correct)
    return DrawWrite{DrawWrite::Kind::Rewrite, storedDrawOfRow(row), row.official};
  return std::nullopt;
}

}  // namespace

UpdateFailure::UpdateFailure(std::string_view phase, std::string detail)
    : Error(std::string(update_text::kQualcosaStorto) + std::string(phase)),
      phase_(phase),
      detail_(std::move(detail)) {}

StoredDraw storedDrawOfRow(const UpdateRow& row) {
  StoredDraw draw{row.isoDate, {}};
  // A blank group is no draw on that wheel: stored empty, as every other writer does.
  for (size_t w = 0; w < draw.wheels.size(); ++w)
    if (!isBlank(row.line.wheels[w])) draw.wheels[w] = row.line.wheels[w];
  return draw;
}

void saveDownloadedUpdateFile(const std::string& path, std::string_view body) {
  if (body.size() > kUpdateFileMaxBytes)
    throw UpdateFailure(
        update_text::kFaseCollegamento,
        "Il file scaricato è troppo grande (" + std::to_string(body.size()) + " byte).");
  try {
    PendingFile pending(path);
    pending.write(std::string(body) + "\r\n");
    pending.commit();
  } catch (const Error& failure) {
    throw UpdateFailure(update_text::kFaseCollegamento, failure.what());
  }
}

std::vector<UpdateRow> updateRowsFromText(std::string_view text) {
  RowCollector rows;
  forEachLine(text, [&](std::string_view line) { rows.add(line); });
  return rows.take();
}

std::vector<UpdateRow> updateRowsFromLines(const std::vector<std::string>& lines) {
  RowCollector rows;
  for (const auto& line : lines) rows.add(line);
  return rows.take();
}

std::vector<UpdateRow> updateRowsFromDraws(const std::vector<StoredDraw>& draws) {
  std::vector<UpdateRow> rows;
  rows.reserve(draws.size());
  for (size_t i = 0; i < draws.size(); ++i) {
    rows.push_back(rowFromLine(updateLineText(draws[i]), i + 1));
    rows.back().official = true;
  }
  return rows;
}

UpdateCheck checkUpdateRows(std::vector<UpdateRow> rows, StoredDrawLookup& stored,
                            Progress& progress) {
  UpdateCheck check;
  check.rows = std::move(rows);
  if (check.rows.empty()) return check;
  const int count = static_cast<int>(check.rows.size());
  progress.setMaximum(count);
  try {
    const auto last = stored.last();
    // Last line first, as the list of findings reads.
    for (int i = count; i >= 1; --i) {
      progress.setValue(count - i);
      checkRow(check.rows[static_cast<size_t>(i - 1)], stored, last, check);
    }
  } catch (const Error& failure) {
    throw UpdateFailure(update_text::kFaseControllo, failure.what());
  }
  if (check.errorCount == 0) check.messages.emplace_back(update_text::kNessunaAnomalia);
  return check;
}

UpdateCheck checkUpdateRows(std::vector<UpdateRow> rows, ArchiveDatabase& db, Progress& progress) {
  try {
    const auto reading = db.beginReading();
    auto reader = db.drawReader();
    return checkUpdateRows(std::move(rows), reader, progress);
  } catch (const UpdateFailure&) {
    throw;
  } catch (const Error& failure) {
    throw UpdateFailure(update_text::kFaseControllo, failure.what());
  }
}

Grid importGrid(const UpdateCheck& check) {
  Grid grid = Grid::withHeader(update_text::kFgImportaHeader);
  grid.setFixedCols(1);
  for (const auto& row : check.rows) {
    std::vector<std::string> texts{"", row.line.dateText};
    texts.insert(texts.end(), row.line.wheels.begin(), row.line.wheels.end());
    const int r = grid.addRow(texts);
    if (row.finding == Finding::Missing) grid.setBackColor(r, 1, ArancioMedio);
    if (row.finding == Finding::Wrong) {
      grid.setForeColor(r, 1, kRed);
      grid.setBold(r, 1, true);
    }
    for (size_t w = 0; w < row.agrees.size(); ++w)
      if (row.agrees[w]) grid.setBackColor(r, 2 + static_cast<int>(w), VerdeMedio);
  }
  return grid;
}

ApplyResult applyUpdate(const UpdateCheck& check, ArchiveDatabase& db, bool correct,
                        Progress& progress) {
  ApplyResult result;
  if (check.rows.empty()) {
    result.nothingToApply = true;
    return result;
  }
  if (check.invalidCount() > 0) {
    result.failure = "Il file contiene " + std::to_string(check.invalidCount()) +
                     " righe non valide (vedere l'elenco): nessuna estrazione è stata salvata.";
    result.messages.push_back(*result.failure);
    return result;
  }
  const int count = static_cast<int>(check.rows.size());
  progress.setMaximum(count);
  std::vector<DrawWrite> writes;
  std::vector<const UpdateRow*> writers;
  for (const auto& row : check.rows)
    if (auto write = writeOfRow(row, correct)) {
      writes.push_back(std::move(*write));
      writers.push_back(&row);
    }
  std::vector<bool> written;
  try {
    written = db.writeDraws(writes);
  } catch (const Error& failure) {
    result.failure = "L'aggiornamento non è stato salvato: l'archivio è rimasto com'era. " +
                     std::string(failure.what());
    result.messages.push_back(*result.failure);
    return result;
  }
  for (size_t i = 0; i < writes.size(); ++i) {
    if (!written[i]) continue;
    const std::string& date = writers[i]->line.dateText;
    const bool added = writes[i].kind == DrawWrite::Kind::Add;
    (added ? result.added : result.modified).push_back(date);
    result.messages.push_back(
        std::string(added ? update_text::kAggiunta : update_text::kModificata) + date);
  }
  progress.setValue(count);
  if (!result.added.empty())
    result.messages.push_back(std::string(update_text::kAggiunti) +
                              std::to_string(result.added.size()) + " record");
  return result;
}

size_t UpdateCheck::invalidCount() const {
  return static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [](const UpdateRow& row) {
    return row.finding == Finding::Invalid;
  }));
}

std::optional<std::string_view> applyNotice(const ApplyResult& result) {
  if (result.nothingToApply) return update_text::kNonCiSono;
  if (!result.failure && !result.added.empty()) return update_text::kDatiSalvati;
  return std::nullopt;
}

StoredDrawList::StoredDrawList(std::vector<StoredDraw> draws) : draws_(std::move(draws)) {
  std::stable_sort(draws_.begin(), draws_.end(),
                   [](const StoredDraw& a, const StoredDraw& b) { return a.isoDate < b.isoDate; });
}

std::optional<StoredDraw> StoredDrawList::find(std::string_view isoDate) {
  const auto found = std::lower_bound(
      draws_.begin(), draws_.end(), isoDate,
      [](const StoredDraw& draw, std::string_view date) { return draw.isoDate < date; });
  if (found == draws_.end() || found->isoDate != isoDate) return std::nullopt;
  return *found;
}

std::optional<StoredDraw> StoredDrawList::last() {
  if (draws_.empty()) return std::nullopt;
  return draws_.back();
}

}  // namespace quintello
