// The number statistics on the full bundled archive: the table of TT, the tables of all
// eleven wheels and TT, and the delay history of one number for its chart.

#include <benchmark/benchmark.h>

#include "analysis/statistics/number_statistics.h"
#include "bundled_archive.h"

namespace {

using namespace quintello;

using bench::bundledArchive;

void BM_TableTT(benchmark::State& state) {
  const DrawArchive& archive = bundledArchive();
  for (auto _ : state)
    benchmark::DoNotOptimize(numberStatistics(archive, kWheelTT, wholeArchive(archive)));
}
BENCHMARK(BM_TableTT)->Unit(benchmark::kMillisecond);

void BM_TablesOfEveryWheelAndTT(benchmark::State& state) {
  const DrawArchive& archive = bundledArchive();
  for (auto _ : state)
    for (int wheel = 0; wheel <= kWheelTT; ++wheel)
      benchmark::DoNotOptimize(numberStatistics(archive, wheel, wholeArchive(archive)));
}
BENCHMARK(BM_TablesOfEveryWheelAndTT)->Unit(benchmark::kMillisecond);

// What the window shows for TT: the table and its grid in number order.
void BM_GridTT(benchmark::State& state) {
  const DrawArchive& archive = bundledArchive();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        statisticsGrid(archive, numberStatistics(archive, kWheelTT, wholeArchive(archive))));
}
BENCHMARK(BM_GridTT)->Unit(benchmark::kMillisecond);

// The chart of one number: the number 1 on TT comes out in about 4,500 draws.
void BM_DelayHistoryTT(benchmark::State& state) {
  const DrawArchive& archive = bundledArchive();
  for (auto _ : state)
    benchmark::DoNotOptimize(delayHistory(archive, kWheelTT, wholeArchive(archive), 1));
}
BENCHMARK(BM_DelayHistoryTT)->Unit(benchmark::kMillisecond);

}  // namespace
