// Archive maintenance on the full bundled archive: the check of an update file, the apply of
// new draws with the reload, the three exports, and quintello-cli aggiorna on the official
// archive's text.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/draw_file.h"
#include "archive/exports.h"
#include "archive/first_start.h"
#include "archive/update_check.h"
#include "cli/app.h"
#include "core/archive_database.h"

namespace {

using namespace quintello;
namespace fs = std::filesystem;

// A fresh folder under base, removed at exit.
class Folder {
 public:
  explicit Folder(const fs::path& base) {
    std::string pattern = (base / "quintello-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

Folder& diskFolder() {
  static Folder folder(fs::temp_directory_path());
  return folder;
}

// The default archive a first start builds, made once.
const std::string& bundledArchive() {
  static const std::string path = [] {
    const std::string file = diskFolder().file("archivio.mdb");
    createArchiveFromUpdateFile(file, QUINTELLO_BUNDLED_DRAWS);
    return file;
  }();
  return path;
}

const DrawArchive& bundledDraws() {
  static const DrawArchive archive = [] {
    DrawArchive loaded;
    auto db = ArchiveDatabase::openForReading(bundledArchive());
    NoProgress none;
    loadArchive(db, loaded, 1, none);
    return loaded;
  }();
  return archive;
}

void BM_CheckBundledUpdateFile(benchmark::State& state) {
  auto db = ArchiveDatabase::openForReading(bundledArchive());
  NoProgress none;
  size_t rows = 0;
  for (auto _ : state) {
    DrawFile read = readDrawFile(QUINTELLO_BUNDLED_DRAWS);
    const UpdateCheck check = checkUpdateRows(std::move(read.rows), db, none);
    rows = check.rows.size();
    if (state.range(0)) benchmark::DoNotOptimize(importGrid(check).rows());
    benchmark::DoNotOptimize(check.messages.size());
  }
  state.counters["lines"] = static_cast<double>(rows);
}
// 0: read and check; 1: also the import grid the tab shows.
BENCHMARK(BM_CheckBundledUpdateFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// An archive missing the last 50 bundled draws, and the check that finds them.
struct FiftyMissing {
  std::string archive;
  UpdateCheck check;
};

FiftyMissing prepareFiftyMissing(const Folder& folder) {
  FiftyMissing prepared{folder.file("meno50.mdb"), {}};
  auto draws = readStoredDraws(QUINTELLO_BUNDLED_DRAWS);
  draws.resize(draws.size() - 50);
  {
    auto db = ArchiveDatabase::create(prepared.archive);
    db.insertDraws(draws);
  }
  auto db = ArchiveDatabase::open(prepared.archive);
  NoProgress none;
  prepared.check = checkUpdateRows(readDrawFile(QUINTELLO_BUNDLED_DRAWS).rows, db, none);
  return prepared;
}

// Apply of 50 new draws, all in one transaction, then the reload. The archive file on
// the disk (every commit waits for the disk) or in memory (/dev/shm: the program's own work).
void BM_ApplyFiftyAndReload(benchmark::State& state) {
  const bool inMemory = state.range(0) == 1;
  if (inMemory && !fs::is_directory("/dev/shm")) {
    state.SkipWithError("no /dev/shm");
    return;
  }
  const Folder folder(inMemory ? fs::path("/dev/shm") : fs::temp_directory_path());
  const FiftyMissing prepared = prepareFiftyMissing(folder);
  const std::string work = folder.file("lavoro.mdb");
  NoProgress none;
  DrawArchive archive;
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(prepared.archive, work, fs::copy_options::overwrite_existing);
    auto db = ArchiveDatabase::open(work);
    state.ResumeTiming();
    const ApplyResult result = applyUpdate(prepared.check, db, false, none);
    CaricaArchivioExNovo(db, archive, none);
    if (result.added.size() != 50 || archive.count() != 10779) state.SkipWithError("not applied");
  }
}
BENCHMARK(BM_ApplyFiftyAndReload)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State& state) {
  const auto format = static_cast<ExportFormat>(state.range(0));
  const std::string path = diskFolder().file("export");
  NoProgress none;
  for (auto _ : state) exportArchive(format, bundledDraws(), path, none);
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_Export)
    ->Arg(static_cast<int>(ExportFormat::DatiIii))
    ->Arg(static_cast<int>(ExportFormat::Zefiral))
    ->Arg(static_cast<int>(ExportFormat::Nazionale))
    ->Unit(benchmark::kMillisecond);

// The official archive's text for the bundled draws: one line per wheel and date.
const std::string& officialText(size_t& lines) {
  static size_t count = 0;
  static const std::string path = [] {
    static constexpr std::string_view kCodes[] = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                  "PA", "RM", "TO", "VE", "RN"};
    const std::string file = diskFolder().file("storico.txt");
    std::ofstream out(file, std::ios::binary);
    const DrawArchive& archive = bundledDraws();
    for (int i = 1; i <= archive.count(); ++i) {
      const std::string& date = archive.dateText(i);
      for (int w = 0; w < kWheelCount; ++w) {
        const auto numbers = archive.wheel(i, w);
        if (numbers[0] == 0) continue;
        out << date.substr(6, 4) << '/' << date.substr(3, 2) << '/' << date.substr(0, 2) << '\t'
            << kCodes[w];
        for (const int n : numbers) out << '\t' << n;
        out << "\r\n";
        ++count;
      }
    }
    return file;
  }();
  lines = count;
  return path;
}

void BM_CliAggiornaOfficialText(benchmark::State& state) {
  size_t lines = 0;
  const std::vector<std::string> args = {"--archivio", bundledArchive(), "aggiorna",
                                         officialText(lines)};
  for (auto _ : state) {
    std::ostringstream out, err;
    if (cli::runCli(args, out, err, "/nessuna-cartella") != 0) state.SkipWithError("failed");
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CliAggiornaOfficialText)->Unit(benchmark::kMillisecond);

}  // namespace
