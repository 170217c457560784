// The archive window's grids on the full bundled archive: the year calendar and the list of
// every draw.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "archive/calendar.h"
#include "archive/draw_navigation.h"
#include "archive/first_start.h"
#include "core/archive_database.h"

namespace {

using namespace quintello;

// The default archive a first start builds, made once for all benchmarks.
struct BundledArchive {
  BundledArchive() {
    const auto folder = std::filesystem::temp_directory_path() / "quintello-archive-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    path = (folder / "archivio.mdb").string();
    createArchiveFromUpdateFile(path, QUINTELLO_BUNDLED_DRAWS);
    auto db = ArchiveDatabase::open(path);
    NoProgress progress;
    loadArchive(db, archive, 1, progress);
  }
  ~BundledArchive() { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); }
  std::string path;
  DrawArchive archive;
};

BundledArchive& bundled() {
  static BundledArchive archive;
  return archive;
}

// A year of three draws a week (the busiest the archive has), and a year of the 1870s.
void BM_CalendarGrid(benchmark::State& state) {
  auto db = ArchiveDatabase::open(bundled().path);
  const std::string year = std::to_string(state.range(0));
  const bool letters = state.range(1) != 0;
  for (auto _ : state) {
    auto calendar = caricaCalendario(db, year, letters);
    benchmark::DoNotOptimize(calendar->Fg1.rows());
  }
}
BENCHMARK(BM_CalendarGrid)
    ->Args({2024, 0})
    ->Args({2024, 1})
    ->Args({1875, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_FgDBGrid(benchmark::State& state) {
  const DrawArchive& archive = bundled().archive;
  for (auto _ : state) {
    Grid grid = FgDBGrid(archive);
    benchmark::DoNotOptimize(grid.rows());
  }
  state.counters["draws"] = archive.count();
}
BENCHMARK(BM_FgDBGrid)->Unit(benchmark::kMillisecond);

void BM_FgDBHighlightRow(benchmark::State& state) {
  Grid grid = FgDBGrid(bundled().archive);
  int row = 1;
  for (auto _ : state) {
    highlightFgDBRow(grid, row);
    row = row % (grid.rows() - 1) + 1;
    benchmark::DoNotOptimize(grid.backColor(row, 1));
  }
}
BENCHMARK(BM_FgDBHighlightRow)->Unit(benchmark::kMillisecond);

}  // namespace
