#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quintello {

class AppContext;

// INIZIO, the first window: opens the program and archive databases, reads the parameters,
// lets the user choose the archive file and, on "PROCEDI", loads every draw.
class StartupWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StartupWindow(AppContext& context, QWidget* parent = nullptr);

  // The start-up sequence; shows the window at its end. False when the program database
  // cannot be opened (the user has been told and the program must end).
  [[nodiscard]] bool start();
  // "SELEZIONE ARCHIVIO".
  void selectArchive();
  // "PROCEDI": loads the archive; emits archiveLoaded() on success.
  void proceed();
  // Reads EstrazioneIniziale.
  void ImpostaInizialix();

 signals:
  void archiveLoaded();

 private:
  // Opens the archive named by PercorsoArchivio; problem is why it could not even be read.
  void openArchiveAtStart(std::string problem);
  void readParameters();

  AppContext& context_;
  QPushButton* procedi_;
  QPushButton* selezione_;
  QPushButton* fine_;
  QPushButton* help_;
  QLabel* pathLabel_;
  QProgressBar* progressBar_;
};

}  // namespace quintello
