// The archive load at start-up and the main window's draw list, on the full bundled archive.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "archive/first_start.h"
#include "core/archive_database.h"
#include "core/draw_list_grid.h"
#include "core/program_files.h"
#include "gui/common/grid_model.h"

namespace {

using namespace quintello;

// The default archive a first start builds, made once for all benchmarks.
const std::string& bundledArchive() {
  static QTemporaryDir folder;
  static const std::string path = [] {
    const std::string file = folder.filePath("archivio.mdb").toStdString();
    createArchiveFromUpdateFile(file, QUINTELLO_BUNDLED_DRAWS);
    return file;
  }();
  return path;
}

void BM_OpenAndLoadArchive(benchmark::State& state) {
  NoProgress progress;
  DrawArchive archive;
  for (auto _ : state) {
    auto db = ArchiveDatabase::open(bundledArchive());
    loadArchive(db, archive, 1, progress);
    benchmark::DoNotOptimize(archive.count());
  }
  state.counters["draws"] = archive.count();
}
BENCHMARK(BM_OpenAndLoadArchive)->Unit(benchmark::kMillisecond);

void BM_LoadArchive(benchmark::State& state) {
  NoProgress progress;
  DrawArchive archive;
  auto db = ArchiveDatabase::open(bundledArchive());
  for (auto _ : state) {
    loadArchive(db, archive, 1, progress);
    benchmark::DoNotOptimize(archive.count());
  }
}
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond);

void BM_CreateArchiveFromBundledDraws(benchmark::State& state) {
  QTemporaryDir folder;
  int run = 0;
  for (auto _ : state) {
    createArchiveFromUpdateFile(folder.filePath(QString("a%1.mdb").arg(run++)).toStdString(),
                                QUINTELLO_BUNDLED_DRAWS);
  }
}
BENCHMARK(BM_CreateArchiveFromBundledDraws)->Unit(benchmark::kMillisecond);

void BM_DrawListGridModel(benchmark::State& state) {
  NoProgress progress;
  DrawArchive archive;
  auto db = ArchiveDatabase::open(bundledArchive());
  loadArchive(db, archive, 1, progress);
  GridModel model;
  for (auto _ : state) {
    model.setGrid(drawListGrid(archive));
    benchmark::DoNotOptimize(model.rowCount());
  }
}
BENCHMARK(BM_DrawListGridModel)->Unit(benchmark::kMillisecond);

}  // namespace
