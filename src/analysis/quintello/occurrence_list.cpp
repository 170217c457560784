#include "analysis/quintello/occurrence_list.h"

#include "analysis/quintello/draw_numbers.h"
#include "core/number_format.h"

namespace quintello {

void OccurrenceList::build(const DrawArchive& archive, const QuintelloInputs& inputs, int reference,
                           int limit) {
  numPresenze_ = inputs.NumPresenze;
  rows_.clear();

  // The search, backwards from the reference draw. A draw gives one row at most, even when
  // a malformed archive holds the number at two positions.
  const int number = inputs.NumeroCercato;
  const long long colpi = inputs.Colpi;
  const int detection = inputs.RuotaRilevazione;
  const auto positions = inputs.PosizioniRilevazione;
  if (isLottoNumber(number)) {
    for (int e = reference; e >= 1; --e) {
      const auto wheel = archive.wheel(e, detection);
      for (int p = 0; p < kPositions; ++p) {
        if (wheel[static_cast<size_t>(p)] != number || !positions[static_cast<size_t>(p)]) continue;
        OccurrenceRow row;
        row.Numero = static_cast<int>(rows_.size()) + 1;
        row.Estr = e;
        row.DataEstraz = archive.dateText(e);
        row.Inizio = e + 1;
        row.Fine = e + colpi <= limit ? static_cast<int>(e + colpi) : limit;
        row.RR = detection;
        row.RG = inputs.RuotaGioco;
        rows_.push_back(std::move(row));
        break;
      }
      if (static_cast<int>(rows_.size()) >= numPresenze_) break;
    }
  }
  if (rows_.empty()) return;
  markWindows(inputs.Colpi, limit);
  summarizeSpan();
}

void OccurrenceList::markWindows(int colpi, int limit) {
  // In the order the list is read: rows_[0] is row 1, the newest occurrence.
  const size_t last = rows_.size() - 1;
  rows_[0].estrRed = rows_[0].Estr == limit;
  for (size_t r = last; r >= 1; --r)
    if (rows_[r - 1].Inizio <= rows_[r].Fine) rows_[r - 1].inizioGreen = true;
  for (size_t r = 0; r < last; ++r) {
    if (rows_[r + 1].Fine >= rows_[r].Inizio) {
      rows_[r + 1].End = rows_[r].Inizio - 1;
      rows_[r + 1].endCut = true;
    }
  }
  for (auto& row : rows_)
    if (row.End == 0) row.End = row.Fine;
  for (auto& row : rows_) {
    if (static_cast<long long>(limit) - row.Estr > static_cast<long long>(colpi) - 1) break;
    row.incomplete = true;
  }
}

void OccurrenceList::summarizeSpan() {
  lblNC_ = static_cast<int>(rows_.size());
  // Span of the list and the mean distance between occurrences. A quotient whose divisor
  // is not positive (one presence asked for) is left out rather than shown as an error.
  const int span = rows_.front().Estr - rows_.back().Estr + 1;
  label7_ = "N° Estraz. = " + std::to_string(span);
  if (numPresenze_ >= 1)
    label7_ += "  Freq = " + formatNumber(static_cast<double>(span) / numPresenze_, "###.00");
  if (numPresenze_ >= 2)
    label7_ +=
        " (" + formatNumber(static_cast<double>(span - 1) / (numPresenze_ - 1), "###.00") + ")";
}

void OccurrenceList::computeStatistics(const DrawArchive& archive, int wheel, int reference) {
  stats_ = {};
  stats_.computed = true;
  for (const auto& row : rows_) {
    for (int d = row.Inizio; d <= row.End; ++d) {
      for (const int n : drawnNumbers(archive, d, wheel)) {
        ++stats_.TU[static_cast<size_t>(n)];
        if (row.Pr == 0) ++stats_.SC[static_cast<size_t>(n)];
      }
    }
    if (row.NEst > 0)
      for (const int n : drawnNumbers(archive, row.NEst, wheel))
        ++stats_.ES[static_cast<size_t>(n)];
  }
  stats_.RIT = currentDelays(archive, wheel, reference);
}

}  // namespace quintello
