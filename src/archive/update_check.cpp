#include "archive/update_check.h"

#include <algorithm>
#include <fstream>

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

// Why a line cannot be a draw; empty when it can.
std::string lineProblem(std::string_view text, const UpdateLine& line,
                        const std::optional<std::string>& isoDate) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"'; }))
    return "contiene una virgola o delle virgolette";
  if (!isoDate)  // the date as it stands, a control character shown as "?"
    return "la data \"" + oneLineText(line.dateText) + "\" non è una data GG/MM/AAAA";
  if (text.size() < kClassicWheelsEnd)
    return "la riga è incompleta (" + std::to_string(text.size()) + " caratteri invece di " +
           std::to_string(kUpdateLineLength) + ")";
  bool anyNumbers = false;
  for (size_t w = 0; w < line.wheels.size(); ++w) {
    if (isBlank(line.wheels[w])) continue;
    if (!isNumberGroup(line.wheels[w]))
      return "i numeri di " + std::string(kWheelNames[w]) + " non sono validi";
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
// are dropped; more than kMaxUpdateRows rows is refused.
class RowCollector {
 public:
  void add(std::string_view text) {
    ++lineNumber_;
    if (isBlank(text)) return;
    if (rows_.size() == kMaxUpdateRows)
      throw Error("Il file contiene più di " + std::to_string(kMaxUpdateRows) +
                  " righe: non è un file di aggiornamento dell'archivio.");
    rows_.push_back(rowFromLine(text, lineNumber_));
  }
  std::vector<UpdateRow> take() { return std::move(rows_); }

 private:
  size_t lineNumber_ = 0;
  std::vector<UpdateRow> rows_;
};

std::string firstLineOf(const std::string& path) {
  std::ifstream in = openInputFile(path);
  // Read a little more than a line, never the whole of a file without line ends.
  std::string head(kUpdateLineLength + 2, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  if (in.bad()) throw Error("Errore durante la lettura del file \"" + path + "\".");
  head.resize(static_cast<size_t>(in.gcount()));
  head = head.substr(0, head.find('\n'));
  if (!head.empty() && head.back() == '\r') head.pop_back();
  return head;
}

// A wheel without a draw: empty, or blanks and hyphens (an entry left empty is stored as
// four hyphens).
bool meansNoDraw(std::string_view text) {
  return text.find_first_not_of(" -") == std::string_view::npos;
}

bool wheelsAgree(std::string_view fromFile, std::string_view stored) {
  return fromFile == stored || (meansNoDraw(fromFile) && meansNoDraw(stored));
}

void checkRow(UpdateRow& row, StoredDrawLookup& stored, UpdateCheck& check) {
  const std::string& date = row.line.dateText;
  if (!row.problem.empty()) {
    row.finding = Finding::Invalid;
    check.messages.push_back("Riga " + std::to_string(row.lineNumber) +
                             " non valida: " + row.problem);
    ++check.errorCount;
    return;
  }
  const auto draw = stored.find(row.isoDate);
  if (!draw) {
    row.finding = Finding::Missing;
    check.messages.push_back(std::string(update_text::kManca) + date);
    return;
  }
  int matches = 0;
  for (size_t w = 0; w < row.agrees.size(); ++w) {
    row.agrees[w] = wheelsAgree(row.line.wheels[w], draw->wheels[w]);
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

enum class Step { Skipped, Added, Modified };

// One row of the apply; throws Error when the database refuses the write. The write itself
// looks the date up again: a draw stored since the check is not added twice, one deleted
// since is not rewritten.
Step applyRow(const UpdateRow& row, ArchiveDatabase& db, bool correct) {
  if (row.finding == Finding::Missing)
    return db.insertDraw(storedDrawOfRow(row)) ? Step::Added : Step::Skipped;
  if (row.finding == Finding::Wrong && correct)
    return db.updateDraw(storedDrawOfRow(row)) ? Step::Modified : Step::Skipped;
  return Step::Skipped;
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
    {
      std::ofstream out(pending.path(), std::ios::binary | std::ios::trunc);
      out.write(body.data(), static_cast<std::streamsize>(body.size()));
      out << "\r\n";
      out.close();
      if (!out) throw Error("Impossibile scrivere il file \"" + path + "\".");
    }
    pending.commit();
  } catch (const Error& failure) {
    throw UpdateFailure(update_text::kFaseCollegamento, failure.what());
  }
}

UpdateFileRows readUpdateFile(const std::string& path, FirstLine firstLine) {
  UpdateFileRows result;
  try {
    if (firstLine == FirstLine::Check && !hasUpdateLineForm(firstLineOf(path))) {
      result.wrongForm = true;
      return result;
    }
  } catch (const Error& failure) {
    throw UpdateFailure("", failure.what());  // before the first step is named
  }
  try {
    std::ifstream in = openInputFile(path);
    RowCollector rows;
    forEachLine(in, path, kUpdateFileMaxBytes, [&](std::string_view line) { rows.add(line); });
    result.rows = rows.take();
    return result;
  } catch (const Error& failure) {
    throw UpdateFailure(update_text::kFaseElenco, failure.what());
  }
}

std::vector<UpdateRow> updateRowsFromLines(const std::vector<std::string>& lines) {
  RowCollector rows;
  for (const auto& line : lines) rows.add(line);
  return rows.take();
}

std::vector<UpdateRow> updateRowsFromDraws(const std::vector<StoredDraw>& draws) {
  std::vector<UpdateRow> rows;
  rows.reserve(draws.size());
  for (size_t i = 0; i < draws.size(); ++i)
    rows.push_back(rowFromLine(updateLineText(draws[i]), i + 1));
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
    // Last line first, as the list of findings reads.
    for (int i = count; i >= 1; --i) {
      progress.setValue(count - i);
      checkRow(check.rows[static_cast<size_t>(i - 1)], stored, check);
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
  const int count = static_cast<int>(check.rows.size());
  progress.setMaximum(count);
  for (int i = 0; i < count; ++i) {
    progress.setValue(i);
    const UpdateRow& row = check.rows[static_cast<size_t>(i)];
    const std::string& date = row.line.dateText;
    try {
      switch (applyRow(row, db, correct)) {
        case Step::Added:
          result.added.push_back(date);
          result.messages.push_back(std::string(update_text::kAggiunta) + date);
          break;
        case Step::Modified:
          result.modified.push_back(date);
          result.messages.push_back(std::string(update_text::kModificata) + date);
          break;
        case Step::Skipped:
          break;
      }
    } catch (const Error& failure) {
      result.failure = "L'aggiornamento si è interrotto all'estrazione del " + date +
                       ", che non è stata salvata. " + failure.what();
      result.messages.push_back(*result.failure);
      break;
    }
  }
  progress.setValue(count);
  if (!result.added.empty())
    result.messages.push_back(std::string(update_text::kAggiunti) +
                              std::to_string(result.added.size()) + " record");
  return result;
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

}  // namespace quintello
