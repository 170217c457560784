#pragma once

#include <QMainWindow>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quintello {

class AppContext;
class GridView;
class ProgressBarAdapter;

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
};

// Shows a window without blocking and brings it to the front.
void showAndRaise(QWidget* window);

}  // namespace quintello
