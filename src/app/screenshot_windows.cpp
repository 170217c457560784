#include "app/screenshot_windows.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include "analysis/quadrature/quadrature.h"
#include "archive/official_archive.h"
#include "archive/update_download.h"
#include "archive/update_file.h"
#include "core/dates.h"
#include "core/draw_views.h"
#include "gui/archive/aggiornamenti_tab.h"
#include "gui/archive/archive_window.h"
#include "gui/archive/elenco_tab.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/quadrature/quadrature_window.h"
#include "gui/quintello/chance_window.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/number_picker.h"
#include "gui/quintello/quintello_window.h"
#include "gui/quintello/report_windows.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/statistics/statistics_window.h"

namespace quintello {

namespace {

class NoClient final : public NumberPickerClient {
 public:
  void numberPicked(int) override {}
};

// Picks an entry of one of the window's lists as the user does.
void choose(QWidget* window, const char* list, const QString& entry) {
  auto* combo = window->findChild<QComboBox*>(list);
  const int index = combo->findText(entry);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void click(QWidget* window, const char* button) {
  window->findChild<QAbstractButton*>(button)->click();
}

// A road through the Quintello window: number 7 detected on Venezia, six colpi, ten
// presences, a forecast from the board and one from the combination list, verified
// automatically, then the pair search.
Quintello* quintelloAfterARoad(MainWindow& main) {
  auto* window = main.openQuintello();
  if (window->property("road").toBool()) return window;
  window->setProperty("road", true);
  window->openNumberPicker();
  if (Numeri* picker = window->numberPicker()) picker->pick(0, 6);
  choose(window, "ComboR", "VE");
  choose(window, "ComboC", "6");
  choose(window, "ComboPresenze", "10");
  window->findChild<QCheckBox*>("Ch_verificaPrev")->setChecked(true);
  auto* board = window->findChild<GridView*>("Fg90");
  for (const auto& [row, col] : {std::pair{0, 2}, std::pair{7, 0}})
    emit board->cellClicked(row, col);
  click(window, "Command2");
  window->findChild<GridView*>("Fg_CC")->setCurrentCell(1, 1);
  click(window, "Cmd_aggiunge");
  click(window, "Command60");
  window->findChild<GridView*>("Fg_ZZ")->setCurrentCell(1, 1);
  window->findChild<GridView*>("Fg1")->setCurrentCell(3, 1);
  return window;
}

QWidget* quintelloOnTab(MainWindow& main, int tab) {
  auto* window = quintelloAfterARoad(main);
  window->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(tab);
  return window;
}

// An update file as the maker's server would send it a few days after the archive's last
// draw: the last stored draws (one with a wrong Milano) and two new ones.
// The archive's last `count` draws, the third-last different on Milano, and two newer draws:
// what an update brings.
std::vector<StoredDraw> sampleUpdateDraws(AppContext& context, int count) {
  ArchiveDatabase* db = context.archiveDatabase();
  const DrawArchive& archive = context.archive();
  if (!db || archive.count() < count) return {};
  std::vector<StoredDraw> draws;
  for (int d = archive.count() - count + 1; d <= archive.count(); ++d) {
    auto draw = db->findDraw(isoFromDateText(archive.dateText(d)).value_or(""));
    if (!draw) return {};
    if (d == archive.count() - 2) draw->wheels[4] = "11-22-33-44-55";
    draws.push_back(std::move(*draw));
  }
  int shift = 0;
  for (const char* date : {"2026-01-03", "2026-01-07"}) {
    StoredDraw draw{date, {}};
    for (int w = 0; w < kWheelCount; ++w) {
      char group[64];  // five different numbers 1..90, room for any int to please the compiler
      std::snprintf(group, sizeof group, "%02d-%02d-%02d-%02d-%02d", w * 3 + 1 + shift,
                    w * 3 + 31 + shift, w * 2 + 61 + shift, w + 2 + shift, w + 32 + shift);
      draw.wheels[static_cast<size_t>(w)] = group;
    }
    draws.push_back(std::move(draw));
    ++shift;
  }
  return draws;
}

// The text in a file of a folder that lasts as long as the program; empty when it cannot be
// written.
std::string sampleFile(const char* name, const std::string& text) {
  static QTemporaryDir folder;
  const QString path = folder.filePath(name);
  QFile file(path);
  if (text.empty() || !file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), qint64(text.size())) < 0)
    return {};
  return path.toStdString();
}

std::string sampleUpdateFile(AppContext& context) {
  std::string text;
  for (const auto& draw : sampleUpdateDraws(context, 6)) text += updateLineText(draw) + "\r\n";
  return sampleFile("aggiornamento.txt", text);
}

// The official archive's text, more draws than the check covers.
std::string sampleOfficialArchive(AppContext& context) {
  return sampleFile("storico.txt", officialArchiveText(sampleUpdateDraws(context, 120)));
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
  windows.emplace_back("Numeri", [](AppContext& context, MainWindow& main) -> QWidget* {
    static NoClient client;
    auto* picker = new Numeri(client, context.dialogs(), &main);
    const int marked[] = {5, 23, 47, 61, 88};
    picker->markNumbers(marked);
    return picker;
  });
  windows.emplace_back("Quintello_Selezione", [](AppContext&, MainWindow& main) -> QWidget* {
    return quintelloOnTab(main, 0);
  });
  windows.emplace_back("Quintello_Elenco", [](AppContext&, MainWindow& main) -> QWidget* {
    return quintelloOnTab(main, 1);
  });
  windows.emplace_back("Quintello_Coppie", [](AppContext&, MainWindow& main) -> QWidget* {
    return quintelloOnTab(main, 2);
  });
  windows.emplace_back("Ritardi", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = quintelloAfterARoad(main);
    click(window, "Command21");
    return window->delaysWindow();
  });
  windows.emplace_back("VerificaPrevisione", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = quintelloAfterARoad(main);
    click(window, "Command12");
    return window->detailWindow();
  });
  windows.emplace_back("Quintello_Riepilogo", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = quintelloAfterARoad(main);
    click(window, "Command10");
    return window->summaryWindow();
  });
  windows.emplace_back("Quintello_Caso", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = quintelloAfterARoad(main);
    click(window, "CmdCaso");
    return window->chanceWindow();
  });
  windows.emplace_back("ElencoEstrazioni", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = quintelloAfterARoad(main);
    click(window, "CmdEleEstraz");
    return window->drawListWindow();
  });
  // The archive window with a new draw pasted into its boxes, the cursor in one of them.
  windows.emplace_back("archivio", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = main.openArchive();
    QGuiApplication::clipboard()->setText(
        "05-23-78-01-44 12-67-89-03-31 45-08-19-77-60 33-02-56-81-14 70-29-63-11-48 "
        "09-84-40-26-57 61-15-73-38-02 88-47-06-52-21 16-90-35-68-04 42-59-13-87-30 "
        "27-71-50-08-65");
    window->gestione()->pasteDraw();
    // The calendar of the archive's last year (the window opens on the current one).
    if (auto* years = window->findChild<QComboBox*>("Combo1")) years->setCurrentText("2025");
    window->gestione()->entryGrid()->box(23)->setFocus();
    return window;
  });
  windows.emplace_back("archivio_Elenco", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = main.openArchive();
    window->tabs()->setCurrentIndex(1);
    if (auto* list = window->findChild<GridView*>("FgDB")) {
      list->setCurrentCell(list->grid().rows() - 3, 1);
      window->elenco()->showLastDraw();
    }
    return window;
  });
  windows.emplace_back("archivio_Salvataggi", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* window = main.openArchive();
    window->tabs()->setCurrentIndex(2);
    return window;
  });
  // The check of an update file: orange dates to import, a red date with its wrong wheel.
  windows.emplace_back("archivio_Aggiornamenti",
                       [](AppContext& context, MainWindow& main) -> QWidget* {
                         auto* window = main.openArchive();
                         window->tabs()->setCurrentIndex(3);
                         const std::string file = sampleUpdateFile(context);
                         if (file.empty()) return nullptr;
                         window->aggiornamenti()->checkUpdateFile(file);
                         return window;
                       });
  // The check of the official archive, as CONTROLLO AGGIORNAMENTI shows it once the file has
  // arrived: the file read by the download's own reader, its latest draws checked.
  windows.emplace_back("archivio_Aggiornamenti_Ufficiale",
                       [](AppContext& context, MainWindow& main) -> QWidget* {
                         auto* window = main.openArchive();
                         window->tabs()->setCurrentIndex(3);
                         const std::string file = sampleOfficialArchive(context);
                         if (file.empty()) return nullptr;
                         try {
                           window->aggiornamenti()->showAndCheck(readDownloadedFile(file).rows);
                         } catch (const UpdateFailure& failure) {
                           qWarning("%s", failure.detail().c_str());
                           return nullptr;
                         }
                         return window;
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
  // TT over the whole archive, the number 1 selected.
  windows.emplace_back("Statistiche", [](AppContext&, MainWindow& main) -> QWidget* {
    auto* statistics = main.openStatistics();
    statistics->selectNumber(1);
    return statistics;
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
