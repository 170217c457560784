// A generated archive of 200,000 draws (about twenty times the real one since 1871): the
// program's start-up load, and what quintello-cli info does on it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/app.h"
#include "core/archive_database.h"
#include "core/wheel_text.h"

namespace {

using namespace quintello;
namespace fs = std::filesystem;

constexpr int kDraws = 200'000;

// Two draws a week from 1871 on, every wheel drawn.
std::vector<StoredDraw> generatedDraws() {
  using namespace std::chrono;
  std::vector<StoredDraw> draws;
  draws.reserve(kDraws);
  sys_days day = year(1871) / January / 7;
  for (int i = 0; i < kDraws; ++i, day += days(i % 2 ? 3 : 4)) {
    const year_month_day date(day);
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    StoredDraw draw{iso, {}};
    for (int w = 0; w < kWheelCount; ++w) {
      WheelNumbers numbers{};
      for (int k = 0; k < kPositions; ++k)
        numbers[static_cast<size_t>(k)] =
            static_cast<std::int16_t>((i * 7 + w * 13 + k * 17) % 90 + 1);
      draw.wheels[static_cast<size_t>(w)] = encodeWheelText(numbers);
    }
    draws.push_back(std::move(draw));
  }
  return draws;
}

// The archive file, made once for all benchmarks in a folder removed at the end.
struct LargeArchive {
  LargeArchive() {
    std::string pattern = (fs::temp_directory_path() / "quintello-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    folder = pattern;
    path = folder + "/grande.mdb";
    ArchiveDatabase::create(path).insertDraws(generatedDraws());
  }
  ~LargeArchive() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string folder, path;
};

const LargeArchive& largeArchive() {
  static const LargeArchive archive;
  return archive;
}

// "PROCEDI": open the archive to read and write (with its quick check), load every draw.
void BM_StartupLoadOf200000Draws(benchmark::State& state) {
  const std::string& path = largeArchive().path;
  NoProgress progress;
  DrawArchive archive;
  for (auto _ : state) {
    auto db = ArchiveDatabase::open(path);
    loadArchive(db, archive, 1, progress);
    benchmark::DoNotOptimize(archive.count());
  }
  state.counters["draws"] = archive.count();
}
BENCHMARK(BM_StartupLoadOf200000Draws)->Unit(benchmark::kMillisecond);

// quintello-cli --archivio FILE info, in process: read-only open, load, the text report.
void BM_CliInfoOn200000Draws(benchmark::State& state) {
  const std::vector<std::string> args = {"--archivio", largeArchive().path, "info"};
  for (auto _ : state) {
    std::ostringstream out, err;
    if (cli::runCli(args, out, err, largeArchive().folder) != cli::kExitOk)
      state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(out.str());
  }
}
BENCHMARK(BM_CliInfoOn200000Draws)->Unit(benchmark::kMillisecond);

}  // namespace
