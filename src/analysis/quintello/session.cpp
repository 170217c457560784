#include "analysis/quintello/session.h"

#include <algorithm>

#include "analysis/quintello/draw_numbers.h"
#include "core/number_format.h"

namespace quintello {

int Previsione::size() const {
  return static_cast<int>(
      std::count_if(Numeri.begin(), Numeri.end(), [](int n) { return n != 0; }));
}

bool Previsione::contains(int number) const {
  return number != 0 && std::find(Numeri.begin(), Numeri.end(), number) != Numeri.end();
}

QuintelloInputs QuintelloSession::defaultInputs(const DrawArchive& archive) {
  QuintelloInputs inputs;
  inputs.EstrazioneCorrente = archive.count();
  return inputs;
}

QuintelloSession::QuintelloSession(const DrawArchive& archive)
    : archive_(archive), inputs_(defaultInputs(archive)), numPresenze_(inputs_.NumPresenze) {
  ruotaAttiva_.fill(true);
  posizioneAttiva_.fill(true);
}

Progress& QuintelloSession::progress() const {
  static NoProgress silent;
  return progress_ ? *progress_ : silent;
}

int QuintelloSession::referenceDraw() const {
  return std::clamp(inputs_.EstrazioneCorrente, 0, archive_.count());
}

int QuintelloSession::limitFromInputs() const {
  return inputs_.FineRicerca ? referenceDraw() : archive_.count();
}

// --- "ELENCO" ---------------------------------------------------------------------

void QuintelloSession::elenco() {
  // A new list starts a new count of outcomes; the colpo table goes with it, so that the
  // summary never mixes the colpi of an old list with the sizes of a new one.
  esitiPrevisione_ = {};
  esitiPerColpo_.assign(kColpiRiepilogo + 1, 0);
  pairs_.clear();
  limiteFine_ = limitFromInputs();
  ruotaAttiva_.fill(false);
  if (inputs_.RuotaGioco >= 0 && inputs_.RuotaGioco < kWheelCount)
    ruotaAttiva_[static_cast<size_t>(inputs_.RuotaGioco)] = true;
  numPresenze_ = inputs_.NumPresenze;
  rows_.clear();

  // The search, backwards from the reference draw. A draw gives one row at most, even when
  // a malformed archive holds the number at two positions.
  const int number = inputs_.NumeroCercato;
  const long long colpi = inputs_.Colpi;
  if (isLottoNumber(number)) {
    for (int e = referenceDraw(); e >= 1; --e) {
      const auto wheel = archive_.wheel(e, inputs_.RuotaRilevazione);
      for (int p = 0; p < kPositions; ++p) {
        if (wheel[static_cast<size_t>(p)] != number ||
            !inputs_.PosizioniRilevazione[static_cast<size_t>(p)])
          continue;
        OccurrenceRow row;
        row.Numero = static_cast<int>(rows_.size()) + 1;
        row.Estr = e;
        row.DataEstraz = archive_.dateText(e);
        row.Inizio = e + 1;
        row.Fine = e + colpi <= limiteFine_ ? static_cast<int>(e + colpi) : limiteFine_;
        row.RR = inputs_.RuotaRilevazione;
        row.RG = inputs_.RuotaGioco;
        rows_.push_back(std::move(row));
        break;
      }
      if (static_cast<int>(rows_.size()) >= numPresenze_) break;
    }
  }
  if (rows_.empty()) return;

  // Marks, in the order the list is read: rows_[0] is row 1, the newest occurrence.
  const size_t last = rows_.size() - 1;
  rows_[0].estrRed = rows_[0].Estr == limiteFine_;
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
    if (static_cast<long long>(limiteFine_) - row.Estr > colpi - 1) break;
    row.incomplete = true;
  }

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

  resetForecastSide();
  Statistica_Numeri();
}

void QuintelloSession::resetForecastSide() {
  forecasts_.clear();
  previsioniUsate_.fill(false);
  lblT_.reset();
  lblS_.reset();
  lblTGreen_ = false;
  combinations_.clear();
}

void QuintelloSession::emptyOccurrenceList() { rows_.clear(); }

// --- Statistica_Numeri ---------------------------------------------------------------

void QuintelloSession::Statistica_Numeri() {
  stats_ = {};
  stats_.computed = true;
  const int wheel = inputs_.RuotaGioco;
  for (const auto& row : rows_) {
    for (int d = row.Inizio; d <= row.End; ++d) {
      for (const int n : drawnNumbers(archive_, d, wheel)) {
        ++stats_.TU[static_cast<size_t>(n)];
        if (row.Pr == 0) ++stats_.SC[static_cast<size_t>(n)];
      }
    }
    if (row.NEst > 0)
      for (const int n : drawnNumbers(archive_, row.NEst, wheel))
        ++stats_.ES[static_cast<size_t>(n)];
  }
  stats_.RIT = currentDelays(archive_, wheel, referenceDraw());
}

// --- Number board and highlights -------------------------------------------------------

bool QuintelloSession::toggleBoardNumber(int number) {
  if (!isLottoNumber(number)) return false;
  auto& mark = board_[static_cast<size_t>(number)];
  if (mark) {
    mark = false;
  } else if (std::count(board_.begin(), board_.end(), true) < kNumeriPrevisione) {
    mark = true;
  }
  return mark;
}

void QuintelloSession::clearBoard() { board_.fill(false); }

bool QuintelloSession::boardMarked(int number) const {
  return isLottoNumber(number) && board_[static_cast<size_t>(number)];
}

std::vector<int> QuintelloSession::boardNumbers() const {
  std::vector<int> marked;
  for (int n = 1; n <= kHighestNumber; ++n)
    if (board_[static_cast<size_t>(n)]) marked.push_back(n);
  return marked;
}

void QuintelloSession::highlightCombination(int row) {
  if (row < 1 || row > static_cast<int>(combinations_.size())) return;
  for (auto& combination : combinations_) combination.highlighted = false;
  combinations_[static_cast<size_t>(row - 1)].highlighted = true;
}

void QuintelloSession::highlightForecast(int row) {
  if (row < 1 || row > static_cast<int>(forecasts_.size())) return;
  for (auto& forecast : forecasts_) forecast.highlighted = false;
  forecasts_[static_cast<size_t>(row - 1)].highlighted = true;
}

// --- Labels ------------------------------------------------------------------------

QuintelloLabels QuintelloSession::labels() const {
  QuintelloLabels labels;
  labels.LBL_NC.text = lblNC_ ? std::to_string(*lblNC_) : std::string();
  labels.Label7.text = label7_;
  labels.Lbl_T = {lblT_ ? std::to_string(*lblT_) : std::string(), lblTGreen_ ? kGreen : kWhite,
                  kBlue};
  labels.Lbl_S = {lblS_ ? std::to_string(*lblS_) : std::string(), kWhite, kBlue};
  return labels;
}

}  // namespace quintello
