#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quintello {

class AppContext;
class archivio;
class Estrazioni_minielenco;
class GridView;
class OfficialArchiveDownload;
class ProgressBarAdapter;
class Quadrature;
class Quintello;
class Statistiche;

// Container, the main window: the buttons that open the other windows, the analysis range
// (the model archive) in five labels, every draw with its ordinals, and the progress bar
// the long operations of every window report into.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Writes the five range labels from the current model archive.
  void ImpostazioniArchivioModello();

  // The windows the main window opens: created on first use, then brought to the front.
  archivio* openArchive();                // Command1 "Gestione archivio"
  Estrazioni_minielenco* openMiniList();  // Command5 "Mini elenco estrazioni"
  Quintello* openQuintello();             // Command2 "Quintello"
  Quadrature* openQuadrature();           // Command3 (hidden) and kQuadratureShortcut
  Statistiche* openStatistics();          // "Statistiche"
  static constexpr const char* kQuadratureShortcut = "Ctrl+Shift+Q";

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildButtons();
  QWidget* buildRange();
  void fillDrawGrid();

  AppContext& context_;
  QLabel* lblInizio_;
  QLabel* lblInizioNE_;
  QLabel* lblFine_;
  QLabel* lblFineNE_;
  QLabel* lblEv_;
  GridView* fgpa_;
  QProgressBar* pb1_;
  std::unique_ptr<ProgressBarAdapter> progress_;
  OfficialArchiveDownload* officialArchive_;  // Command4 (hidden)
  QPointer<archivio> archive_;
  QPointer<Estrazioni_minielenco> miniList_;
  QPointer<Quadrature> quadrature_;
  QPointer<Quintello> quintello_;
  QPointer<Statistiche> statistics_;
};

}  // namespace quintello
