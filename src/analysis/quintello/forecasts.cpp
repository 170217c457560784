// The forecast list: adding, removing, the coverage of the play windows, and verification.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "analysis/quintello/draw_numbers.h"
#include "analysis/quintello/forecast_book.h"

namespace quintello {

int Previsione::size() const {
  return static_cast<int>(
      std::count_if(Numeri.begin(), Numeri.end(), [](int n) { return n != 0; }));
}

bool Previsione::contains(int number) const {
  return number != 0 && std::find(Numeri.begin(), Numeri.end(), number) != Numeri.end();
}

int ForecastBook::smallestFreeNumero() const {
  for (int n = 1; n <= kMaxNumeroPrevisione; ++n)
    if (!previsioniUsate_[static_cast<size_t>(n)]) return n;
  return 0;
}

bool ForecastBook::refusesMore(int numPresenze) const {
  return static_cast<int>(forecasts_.size()) >= kMaxPrevisioni || lblT_.value_or(0) >= numPresenze;
}

bool ForecastBook::add(const std::array<int, kNumeriPrevisione>& numbers, int sorte,
                       const DrawArchive& archive, int wheel, std::vector<OccurrenceRow>& rows,
                       int numPresenze) {
  const int numero = smallestFreeNumero();
  if (numero == 0) return false;
  Previsione forecast;
  forecast.Numero = numero;
  previsioniUsate_[static_cast<size_t>(numero)] = true;
  forecast.Sorte = sorte;
  forecast.Numeri = numbers;

  const NumberMask set = NumberMask::of(forecast.Numeri);
  for (auto& row : rows) {
    if (row.Pr != 0 || !windowScores(archive, wheel, row.Inizio, row.End, set, sorte)) continue;
    row.Pr = numero;
    ++forecast.Esiti;
  }
  forecasts_.push_back(forecast);
  setCoveredCount(esitiTotal(), numPresenze);
  return true;
}

int ForecastBook::esitiTotal() const {
  int total = 0;
  for (const auto& forecast : forecasts_) total += forecast.Esiti;
  return total;
}

void ForecastBook::countCoveredRows(const std::vector<OccurrenceRow>& rows, int numPresenze) {
  setCoveredCount(static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                 [](const auto& row) { return row.Pr > 0; })),
                  numPresenze);
}

void ForecastBook::setCoveredCount(int covered, int numPresenze) {
  lblT_ = covered;
  lblS_ = numPresenze - covered;
  lblTGreen_ = covered == numPresenze;
}

bool ForecastBook::remove(int row, std::vector<OccurrenceRow>& rows) {
  if (row < 1 || row > static_cast<int>(forecasts_.size())) return false;
  const int numero = forecasts_[static_cast<size_t>(row - 1)].Numero;
  forecasts_.erase(forecasts_.begin() + (row - 1));
  if (numero >= 1 && numero <= kMaxNumeroPrevisione)
    previsioniUsate_[static_cast<size_t>(numero)] = false;
  // The rows it covered become uncovered; no other forecast takes them over.
  for (auto& occurrence : rows)
    if (occurrence.Pr == numero) occurrence.Pr = 0;
  if (forecasts_.empty()) {
    lblT_.reset();
    lblS_.reset();
    lblTGreen_ = false;
  }
  return true;
}

void ForecastBook::clear() {
  forecasts_.clear();
  previsioniUsate_.fill(false);
  lblT_.reset();
  lblS_.reset();
  lblTGreen_ = false;
}

void ForecastBook::highlight(int row) {
  if (row < 1 || row > static_cast<int>(forecasts_.size())) return;
  for (auto& forecast : forecasts_) forecast.highlighted = false;
  forecasts_[static_cast<size_t>(row - 1)].highlighted = true;
}

void ForecastBook::resetOutcomeCounts() {
  esitiPrevisione_ = {};
  esitiPerColpo_.assign(kColpiRiepilogo + 1, 0);
}

// --- Verification ----------------------------------------------------------------------

bool ForecastBook::verify(const DrawArchive& archive, int wheel, int limit,
                          std::vector<OccurrenceRow>& rows, int numPresenze) {
  resetOutcomeCounts();
  if (rows.empty()) return false;

  for (auto& row : rows) {
    row.esitoNumeri = {};
    row.esitoVerde = {};
    row.C = 0;
    row.NEst = 0;
    row.DataEsito.clear();
    row.S.clear();
    row.Ge.clear();
  }

  std::vector<NumberMask> sets;
  sets.reserve(forecasts_.size());
  for (const auto& forecast : forecasts_) sets.push_back(NumberMask::of(forecast.Numeri));
  // For every number, the forecasts (bits, in list order) that hold it: a draw's hits are
  // then counted from its own five numbers.
  std::array<std::uint64_t, kHighestNumber + 1> heldBy{};
  const size_t counted = std::min<size_t>(forecasts_.size(), 64);
  for (size_t f = 0; f < counted; ++f)
    sets[f].forEach([&](int n) { heldBy[static_cast<size_t>(n)] |= std::uint64_t{1} << f; });

  for (auto& row : rows) {
    for (int d = row.Inizio; d <= row.End && d <= limit; ++d) {
      const DrawnNumbers drawn = drawnNumbers(archive, d, wheel);
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
          const auto stored = archive.wheel(d, wheel);
          std::copy(stored.begin(), stored.end(), row.esitoNumeri.begin());
          row.NEst = d;
          row.DataEsito = archive.dateText(d);
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

  countCoveredRows(rows, numPresenze);
  for (const auto& forecast : forecasts_)
    if (forecast.Numero >= 0 && forecast.Numero < static_cast<int>(esitiPrevisione_.size()))
      esitiPrevisione_[static_cast<size_t>(forecast.Numero)][0] = forecast.size();
  return true;
}

}  // namespace quintello
