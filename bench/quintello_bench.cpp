// The Quintello method on the full bundled archive: the list of a number with its
// statistics, the combination and pair searches, verification and the comparison with chance.

#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/quintello/session.h"
#include "bundled_archive.h"

namespace {

using namespace quintello;

using bench::bundledArchive;

// The heaviest list the window offers: 100 occurrences of 1 on Bari, windows of 20 draws.
QuintelloSession heavyList() {
  QuintelloSession session(bundledArchive());
  session.inputs().NumPresenze = 100;
  session.inputs().Colpi = 20;
  session.elenco();
  return session;
}

void BM_Elenco(benchmark::State& state) {
  QuintelloSession session(bundledArchive());
  session.inputs().NumPresenze = 100;
  session.inputs().Colpi = 20;
  for (auto _ : state) {
    session.elenco();
    benchmark::DoNotOptimize(session.occurrences().data());
  }
  if (session.list().ContaPresenze() != 100) state.SkipWithError("the list is not full");
}
BENCHMARK(BM_Elenco)->Unit(benchmark::kMicrosecond);

// The delays' worst case: a game wheel without draws before the reference draw (the
// Nazionale wheel in 1950), so no number is ever found.
void BM_ElencoWheelWithoutDraws(benchmark::State& state) {
  QuintelloSession session(bundledArchive());
  session.inputs().NumPresenze = 100;
  session.inputs().Colpi = 20;
  session.inputs().RuotaGioco = 10;
  session.inputs().EstrazioneCorrente = 4000;
  for (auto _ : state) {
    session.elenco();
    benchmark::DoNotOptimize(session.list().statistics().RIT.data());
  }
}
BENCHMARK(BM_ElencoWheelWithoutDraws)->Unit(benchmark::kMicrosecond);

void BM_ElaboraK7(benchmark::State& state) {
  QuintelloSession session = heavyList();
  session.inputs().NumeriCombinazione = 7;
  for (auto _ : state) {
    session.elabora();
    benchmark::DoNotOptimize(session.search().combinations().data());
  }
}
BENCHMARK(BM_ElaboraK7)->Unit(benchmark::kMillisecond);

void BM_ElaboraK1(benchmark::State& state) {
  QuintelloSession session = heavyList();
  session.inputs().NumeriCombinazione = 1;
  for (auto _ : state) {
    session.elabora();
    benchmark::DoNotOptimize(session.search().combinations().data());
  }
}
BENCHMARK(BM_ElaboraK1)->Unit(benchmark::kMicrosecond);

void BM_PairSearch(benchmark::State& state) {
  QuintelloSession session = heavyList();
  for (auto _ : state) {
    session.searchPairs();
    benchmark::DoNotOptimize(session.search().pairs().data());
  }
}
BENCHMARK(BM_PairSearch)->Unit(benchmark::kMillisecond);

void BM_VerifyNineForecasts(benchmark::State& state) {
  QuintelloSession session = heavyList();
  session.inputs().NumeriCombinazione = 2;  // keeps the searches the adds run short
  const std::vector<std::vector<int>> forecasts = {
      {3, 17, 45}, {8, 61},      {22, 23, 24, 25},     {90}, {11, 33, 55, 77},
      {5, 40},     {12, 34, 56}, {70, 71, 72, 73, 74}, {60}};
  size_t added = 0;
  for (const auto& numbers : forecasts) added += session.addThroughCombinationList(numbers);
  if (added != forecasts.size()) {
    state.SkipWithError("fewer than nine forecasts");
    return;
  }
  for (auto _ : state) {
    session.verifyForecasts();
    benchmark::DoNotOptimize(session.book().EsitiPerColpo().data());
  }
}
BENCHMARK(BM_VerifyNineForecasts)->Unit(benchmark::kMicrosecond);

// Each forecast against chance over the heaviest list: as many forecasts of seven numbers as
// the list holds (nine), played over 100 windows of 20 draws.
void BM_ChanceComparisonNineForecastsOfSeven(benchmark::State& state) {
  QuintelloSession session = heavyList();
  session.inputs().NumeriCombinazione = 2;  // keeps the searches the adds run short
  size_t added = 0;
  for (int f = 0; f < kMaxPrevisioni; ++f) {
    std::vector<int> numbers;
    for (int k = 1; k <= kNumeriPrevisione; ++k) numbers.push_back(f * kNumeriPrevisione + k);
    added += session.addThroughCombinationList(numbers);
  }
  if (added != static_cast<size_t>(kMaxPrevisioni)) {
    state.SkipWithError("fewer than nine forecasts");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(session.chanceReport());
}
BENCHMARK(BM_ChanceComparisonNineForecastsOfSeven)->Unit(benchmark::kMicrosecond);

void BM_RenderResultList(benchmark::State& state) {
  QuintelloSession session = heavyList();
  for (auto _ : state) benchmark::DoNotOptimize(renderFg1(session.list()));
}
BENCHMARK(BM_RenderResultList)->Unit(benchmark::kMicrosecond);

}  // namespace
