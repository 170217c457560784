// The forecast list: adding, removing, the coverage of the play windows, and verification.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "analysis/quintello/draw_numbers.h"
#include "analysis/quintello/session.h"

namespace quintello {

int QuintelloSession::smallestFreeNumero() const {
  for (int n = 1; n <= kMaxNumeroPrevisione; ++n)
    if (!previsioniUsate_[static_cast<size_t>(n)]) return n;
  return 0;
}

bool QuintelloSession::addFromCombinationList(int row) {
  if (row < 1 || row > static_cast<int>(combinations_.size())) return false;
  const CombinationRow source = combinations_[static_cast<size_t>(row - 1)];
  if (source.numbers[0] == kHighestNumber && source.numbers[1] == kHighestNumber) return false;
  if (static_cast<int>(forecasts_.size()) >= kMaxPrevisioni) return false;
  if (lblT_.value_or(0) >= numPresenze_) return false;
  return appendForecast(source.numbers, source.numbers[1] == 0 ? 1 : 2);
}

bool QuintelloSession::addFromBoard() {
  if (static_cast<int>(forecasts_.size()) >= kMaxPrevisioni) return false;
  if (lblT_.value_or(0) >= numPresenze_) return false;
  const std::vector<int> marked = boardNumbers();
  if (marked.empty()) return false;
  std::array<int, kNumeriPrevisione> numbers{};
  const size_t taken = std::min(marked.size(), numbers.size());
  std::copy_n(marked.begin(), taken, numbers.begin());
  return appendForecast(numbers, taken == 1 ? 1 : 2);
}

bool QuintelloSession::appendForecast(const std::array<int, kNumeriPrevisione>& numbers,
                                      int sorte) {
  const int numero = smallestFreeNumero();
  if (numero == 0) return false;
  Previsione forecast;
  forecast.Numero = numero;
  previsioniUsate_[static_cast<size_t>(numero)] = true;
  forecast.Sorte = sorte;
  forecast.Numeri = numbers;
  forecasts_.push_back(forecast);
  coveragePass(forecasts_.size() - 1);
  return true;
}

bool QuintelloSession::addFromBoardThroughCombinationList() {
  return addThroughCombinationList(boardNumbers());
}

bool QuintelloSession::addThroughCombinationList(std::span<const int> numbers) {
  // The row appended to the combination list holds the numbers that count, in their order;
  // a row without any would make a forecast of no number, so nothing is appended then.
  CombinationRow row;
  int taken = 0;
  for (int n : numbers) {
    if (taken == kNumeriPrevisione) break;
    const auto begin = row.numbers.begin();
    if (!isLottoNumber(n) || std::find(begin, begin + taken, n) != begin + taken) continue;
    row.numbers[static_cast<size_t>(taken++)] = n;
  }
  if (taken == 0) return false;
  combinations_.push_back(row);
  return addFromCombinationList(static_cast<int>(combinations_.size()));
}

bool QuintelloSession::addPair(int row) {
  if (static_cast<int>(forecasts_.size()) >= kMaxPrevisioni - 1) return false;
  if (row < 1 || row > static_cast<int>(pairs_.size())) return false;
  const PairRow pair = pairs_[static_cast<size_t>(row - 1)];
  return addPairNumbers(pair.N1, pair.N2);
}

bool QuintelloSession::addPairNumbers(int n1, int n2) {
  if (static_cast<int>(forecasts_.size()) >= kMaxPrevisioni - 1) return false;
  // The size list goes to one number and the search lists all ninety; each number is then
  // added from its row of that list.
  inputs_.NumeriCombinazione = 1;
  elabora();
  bool added = false;
  for (const int n : {n1, n2}) {
    const auto found = std::find_if(combinations_.begin(), combinations_.end(),
                                    [n](const CombinationRow& row) { return row.numbers[0] == n; });
    if (found != combinations_.end())
      added = addFromCombinationList(static_cast<int>(found - combinations_.begin()) + 1) || added;
  }
  return added;
}

void QuintelloSession::coveragePass(size_t index) {
  const Previsione forecast = forecasts_[index];
  const NumberMask set = NumberMask::of(forecast.Numeri);
  int newlyCovered = 0;
  for (auto& row : rows_) {
    if (row.Pr != 0 || !windowScores(row, set, forecast.Sorte)) continue;
    row.Pr = forecast.Numero;
    ++newlyCovered;
  }
  forecasts_[index].Esiti = newlyCovered;

  const int covered = esitiTotal();
  setCoveredCount(covered);
  if (covered < numPresenze_) elabora();
  if (inputs_.VerificaAutomatica) verifyForecasts();
}

int QuintelloSession::esitiTotal() const {
  int total = 0;
  for (const auto& forecast : forecasts_) total += forecast.Esiti;
  return total;
}

int QuintelloSession::coveredRows() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const auto& row) { return row.Pr > 0; }));
}

void QuintelloSession::setCoveredCount(int covered) {
  lblT_ = covered;
  lblS_ = numPresenze_ - covered;
  lblTGreen_ = covered == numPresenze_;
}

bool QuintelloSession::removeForecast(int row) {
  if (row < 1 || row > static_cast<int>(forecasts_.size())) return false;
  const int numero = forecasts_[static_cast<size_t>(row - 1)].Numero;
  forecasts_.erase(forecasts_.begin() + (row - 1));
  if (numero >= 1 && numero <= kMaxNumeroPrevisione)
    previsioniUsate_[static_cast<size_t>(numero)] = false;
  // The rows it covered become uncovered; no other forecast takes them over.
  for (auto& occurrence : rows_)
    if (occurrence.Pr == numero) occurrence.Pr = 0;

  if (forecasts_.empty()) {
    lblT_.reset();
    lblS_.reset();
    lblTGreen_ = false;
    return true;
  }
  if (esitiTotal() < numPresenze_) elabora();
  verifyForecasts();
  setCoveredCount(coveredRows());
  return true;
}

// --- Verification ----------------------------------------------------------------------

void QuintelloSession::verifyForecasts() {
  esitiPrevisione_ = {};
  esitiPerColpo_.assign(kColpiRiepilogo + 1, 0);
  if (rows_.empty()) return;

  for (auto& row : rows_) {
    row.esitoNumeri = {};
    row.esitoVerde = {};
    row.C = 0;
    row.NEst = 0;
    row.DataEsito.clear();
    row.S.clear();
    row.Ge.clear();
  }

  const int wheel = inputs_.RuotaGioco;
  std::vector<NumberMask> sets;
  sets.reserve(forecasts_.size());
  for (const auto& forecast : forecasts_) sets.push_back(NumberMask::of(forecast.Numeri));
  // For every number, the forecasts (bits, in list order) that hold it: a draw's hits are
  // then counted from its own five numbers.
  std::array<std::uint64_t, kHighestNumber + 1> heldBy{};
  const size_t counted = std::min<size_t>(forecasts_.size(), 64);
  for (size_t f = 0; f < counted; ++f)
    sets[f].forEach([&](int n) { heldBy[static_cast<size_t>(n)] |= std::uint64_t{1} << f; });

  for (auto& row : rows_) {
    for (int d = row.Inizio; d <= row.End && d <= limiteFine_; ++d) {
      const DrawnNumbers drawn = drawnNumbers(archive_, d, wheel);
      std::array<int, 64> hitsOf{};
      std::uint64_t touched = 0;
      for (const int n : drawn) {
        for (std::uint64_t bits = heldBy[static_cast<size_t>(n)]; bits != 0; bits &= bits - 1)
          ++hitsOf[static_cast<size_t>(std::countr_zero(bits))];
        touched |= heldBy[static_cast<size_t>(n)];
      }
      if (touched == 0) continue;
      bool scored = false;
      for (size_t f = 0; f < counted; ++f) {
        const int hits = hitsOf[f];
        if (hits < forecasts_[f].Sorte) continue;
        const int numero = forecasts_[f].Numero;
        if (numero >= 0 && numero < static_cast<int>(esitiPrevisione_.size()))
          ++esitiPrevisione_[static_cast<size_t>(numero)][static_cast<size_t>(hits)];
        if (!scored) {
          const auto stored = archive_.wheel(d, wheel);
          std::copy(stored.begin(), stored.end(), row.esitoNumeri.begin());
          row.NEst = d;
          row.DataEsito = archive_.dateText(d);
          row.C = d - row.Inizio + 1;
        }
        for (int k = 0; k < kPositions; ++k)
          if (sets[f].has(row.esitoNumeri[static_cast<size_t>(k)]))
            row.esitoVerde[static_cast<size_t>(k)] = true;
        row.S += std::to_string(hits);
        row.Ge += std::to_string(numero);
        // Windows longer than twenty draws give colpi beyond the table: it grows for them.
        if (row.C >= static_cast<int>(esitiPerColpo_.size()))
          esitiPerColpo_.resize(static_cast<size_t>(row.C) + 1, 0);
        ++esitiPerColpo_[static_cast<size_t>(row.C)];
        scored = true;
      }
      if (scored) break;
    }
  }

  Statistica_Numeri();
  setCoveredCount(coveredRows());
  for (const auto& forecast : forecasts_)
    if (forecast.Numero >= 0 && forecast.Numero < static_cast<int>(esitiPrevisione_.size()))
      esitiPrevisione_[static_cast<size_t>(forecast.Numero)][0] = forecast.size();
}

}  // namespace quintello
