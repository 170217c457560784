#include "app/screenshot_windows.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>

#include "analysis/quadrature/quadrature.h"
#include "core/draw_views.h"
#include "gui/quadrature/quadrature_window.h"
#include "gui/shell/app_context.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/quintello/number_picker.h"

namespace quintello {

namespace {

class NoClient final : public NumberPickerClient {
 public:
  void numberPicked(int) override {}
};

// The latest draws of Bari, as the Quintello window's draw lists show a forecast's draws.
Grid sampleDrawList(const DrawArchive& archive) {
  Grid grid = drawListWindowGrid();
  const int last = archive.count();
  for (int d = std::max(1, last - 29); d <= last; ++d) {
    const int row = grid.addRow(
        {std::to_string((d - 1) / 10 % 3 + 1), std::to_string(d), archive.dateText(d), "BA"});
    int hits = 0;
    for (int k = 1; k <= kPositions; ++k) {
      const int n = archive.number(d, 0, k);
      grid.setText(row, 3 + k, std::to_string(n));
      if (n % 10 == 7) {
        grid.setBackColor(row, 3 + k, kGreen);
        ++hits;
      }
    }
    if (hits > 0) grid.setText(row, 9, std::to_string(hits));
  }
  grid.setColumnMerged(0, true);
  return grid;
}

}  // namespace

std::vector<std::pair<QString, WindowOpener>> screenshotWindows() {
  std::vector<std::pair<QString, WindowOpener>> windows;
  windows.emplace_back("Help", [](AppContext& context, MainWindow&) -> QWidget* {
    context.help().show();
    return context.help().window();
  });
  windows.emplace_back("Estrazioni_minielenco", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* mini = main.openMiniList();
    // Two highlighted cells, as a user marks them.
    if (auto* grid = mini->findChild<GridView*>("fG2"))
      for (const auto& [row, col] : {std::pair{1, 2}, std::pair{8, 4}})
        emit grid->cellClicked(row, col);
    return mini;
  });
  windows.emplace_back("ElencoEstrazioni", [](AppContext& context, MainWindow& main) -> QWidget* {
    auto* list = new ElencoEstrazioni(&main);
    list->fill(sampleDrawList(context.archive()), "7  17  27  37  47    ");
    return list;
  });
  windows.emplace_back("Numeri", [](AppContext&, MainWindow& main) -> QWidget* {
    static NoClient client;
    auto* picker = new Numeri(client, &main);
    const int marked[] = {5, 23, 47, 61, 88};
    picker->markNumbers(marked);
    return picker;
  });
  windows.emplace_back("Quadrature", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* quadrature = main.openQuadrature();
    const char* numbers[] = {"12", "58", "33", "81"};
    for (int corner = 1; corner <= 4; ++corner) {
      quadrature->openList(corner);
      quadrature->pickNumber(numbers[corner - 1]);
    }
    quadrature->highlightPair(11);
    return quadrature;
  });
  // The quadrature grid as printed: page 1 of the PDF rendered to PNG.
  windows.emplace_back("StampaGrid", [](AppContext&, MainWindow& main) -> QWidget* {
    static QTemporaryDir folder;
    const QString pdf = folder.filePath("stampa.pdf");
    auto* quadrature = main.findChild<Quadrature*>();
    if (!quadrature) return nullptr;
    Grid grid = quadrature->findChild<GridView*>("Fg1")->grid();
    if (printGridToPdf(pdf, grid, 350, 350) < 1) return nullptr;
    const QString png = folder.filePath("pagina");
    if (QProcess::execute("pdftoppm",
                          {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf, png}) != 0)
      return nullptr;
    auto* page = new QLabel(&main, Qt::Window);
    page->setWindowTitle("Stampa grid");
    page->setPixmap(QPixmap(png + ".png"));
    page->resize(page->pixmap().size());
    return page;
  });
  return windows;
}

}  // namespace quintello
