// The Quintello window on the full bundled archive, as the user meets it: opening (with the
// opening sequence and its "ELENCO"), "ELENCO" from its button, "ELABORA" from its button,
// each until the grids are shown.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "archive/update_file.h"
#include "core/program_files.h"
#include "gui/common/app_context.h"
#include "gui/common/dialogs.h"
#include "gui/common/grid_view.h"
#include "gui/quintello/quintello_window.h"

namespace {

using namespace quintello;

AppContext& context() {
  static QtDialogs dialogs;
  static AppContext shared(ProgramFiles("."), dialogs, QUINTELLO_BUNDLED_DRAWS);
  if (shared.archive().count() == 0)
    loadStoredDraws(readStoredDraws(QUINTELLO_BUNDLED_DRAWS), shared.archiveForLoading());
  return shared;
}

void choose(QWidget* window, const char* list, const QString& entry) {
  auto* combo = window->findChild<QComboBox*>(list);
  const int index = combo->findText(entry);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// The heaviest list the window offers: 100 presences of 1 on Bari, windows of 20 draws.
std::unique_ptr<Quintello> heavyList() {
  auto window = std::make_unique<Quintello>(context());
  window->show();
  choose(window.get(), "ComboC", "20");
  choose(window.get(), "ComboPresenze", "100");
  QApplication::processEvents();
  return window;
}

void BM_OpenWindow(benchmark::State& state) {
  for (auto _ : state) {
    Quintello window(context());
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.session().occurrences().data());
  }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_ElencoFromButton(benchmark::State& state) {
  auto window = heavyList();
  auto* command1 = window->findChild<QPushButton*>("Command1");
  for (auto _ : state) {
    command1->click();
    QApplication::processEvents();
  }
  if (window->findChild<GridView*>("Fg1")->grid().dataRows() != 100)
    state.SkipWithError("the list is not full");
}
BENCHMARK(BM_ElencoFromButton)->Unit(benchmark::kMillisecond);

void BM_ElaboraK7FromButton(benchmark::State& state) {
  auto window = heavyList();
  choose(window.get(), "ComboN", "7");
  auto* command27 = window->findChild<QPushButton*>("Command27");
  for (auto _ : state) {
    command27->click();
    QApplication::processEvents();
  }
  if (window->findChild<GridView*>("Fg_CC")->grid().dataRows() == 0)
    state.SkipWithError("no combination listed");
}
BENCHMARK(BM_ElaboraK7FromButton)->Unit(benchmark::kMillisecond);

}  // namespace
