// The archive window on the full bundled archive: opening it with its draw list and year
// calendar filled, and "SALVA ESTRAZIONE" with the reload of the in-memory archive that
// follows it (main window, draw list, calendar and labels brought up to date).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QTemporaryDir>
#include <memory>

#include "archive/draw_changes.h"
#include "archive/first_start.h"
#include "core/archive_database.h"
#include "core/program_files.h"
#include "gui/archive/archive_window.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/common/app_context.h"
#include "gui/shell/main_window.h"

namespace {

using namespace quintello;

// Says Yes to every question and shows nothing.
class YesDialogs final : public Dialogs {
 public:
  void message(const QString&, const QString&, Icon) override {}
  bool question(const QString&, const QString&) override { return true; }
  std::optional<QString> input(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  bool choosePrinter(QPrinter&) override { return false; }
};

// The program after "PROCEDI" on its own copy of the default archive a first start builds.
struct Program {
  Program() : context(ProgramFiles(folder.path().toStdString()), dialogs, "") {
    context.setQuitAction([] {});
    const std::string path = folder.filePath("archivio.mdb").toStdString();
    createArchiveFromUpdateFile(path, QUINTELLO_BUNDLED_DRAWS);
    context.setArchiveDatabase(ArchiveDatabase::open(path));
    NoProgress none;
    loadArchive(*context.archiveDatabase(), context.archiveForLoading(), 1, none);
    main = std::make_unique<MainWindow>(context);
    main->show();
  }
  QTemporaryDir folder;
  YesDialogs dialogs;
  AppContext context;
  std::unique_ptr<MainWindow> main;
};

// Dates after the archive's last draw, one per save.
QDate nextFreeDate() {
  static QDate date(2030, 1, 1);
  date = date.addDays(1);
  return date;
}

void BM_OpenArchiveWindow(benchmark::State& state) {
  Program program;
  for (auto _ : state) {
    auto* window = new archivio(program.context, program.main.get());
    window->show();
    QApplication::processEvents();
    state.PauseTiming();
    delete window;
    state.ResumeTiming();
  }
  state.counters["draws"] = program.context.archive().count();
}
BENCHMARK(BM_OpenArchiveWindow)->Unit(benchmark::kMillisecond);

// The button as the user presses it: the write, the reload and every window following it.
void BM_SaveDrawFromTheWindow(benchmark::State& state) {
  Program program;
  archivio* window = program.main->openArchive();
  QApplication::processEvents();
  auto* calendar = window->findChild<QCalendarWidget*>("MonthView1");
  for (auto _ : state) {
    state.PauseTiming();
    calendar->setSelectedDate(nextFreeDate());
    state.ResumeTiming();
    window->gestione()->saveDraw();
  }
  state.counters["draws"] = program.context.archive().count();
}
BENCHMARK(BM_SaveDrawFromTheWindow)->Unit(benchmark::kMillisecond);

// The same save without windows: the write and the reload of the in-memory archive.
void BM_SaveDrawAndReloadArchive(benchmark::State& state) {
  Program program;
  program.main.reset();
  EntryBoxes boxes;
  for (int box = 1; box <= kEntryBoxCount; ++box) boxes.setText(box, "45");
  for (auto _ : state) {
    const QDate date = nextFreeDate();
    const DrawChange change = salvaEstrazione(*program.context.archiveDatabase(), boxes,
                                              {date.year(), date.month(), date.day()});
    if (!change.changed) state.SkipWithError("draw not saved");
    program.context.reloadArchive();
  }
  state.counters["draws"] = program.context.archive().count();
}
BENCHMARK(BM_SaveDrawAndReloadArchive)->Unit(benchmark::kMillisecond);

}  // namespace
