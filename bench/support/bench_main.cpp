// The main of every benchmark program. Those that measure windows are built with
// QUINTELLO_BENCH_WINDOWS (bench/CMakeLists.txt) and run inside an offscreen QApplication.

#include <benchmark/benchmark.h>

#ifdef QUINTELLO_BENCH_WINDOWS
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef QUINTELLO_BENCH_WINDOWS
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
