#pragma once

#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "archive/update_check.h"
#include "archive/update_download.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quintello {

class AppContext;
class DownloadTask;
class GridView;

// "Aggiornamenti": new draws from an update file chosen by the user, or downloaded from the
// maker's archive server or (when the program names none) the Lotto operator's historical
// archive, checked against the stored ones. FgImporta shows the file's lines
// with the check's colours and List4 what the check found; "AGGIORNAMENTO" stores the draws
// to import and, when asked, corrects the wrong ones.
class AggiornamentiTab : public QWidget {
  Q_OBJECT

 public:
  explicit AggiornamentiTab(AppContext& context, QWidget* parent = nullptr);
  // Stops a download in progress before the members it writes are gone.
  ~AggiornamentiTab() override;

  // The tab's commands, as the user gives them.
  void updateFromFile();  // Command21 "AGGIORNA DA FILE"
  // "AGGIORNA DA FILE" once the file is chosen: the first-line check, the read, the check.
  void checkUpdateFile(const std::string& path);
  void checkForUpdates();  // Command18 "CONTROLLO AGGIORNAMENTI"
  void applyUpdate();      // Command28 "AGGIORNAMENTO"
  void cancelTransfer();   // Command26
  // The rows of a file, shown in FgImporta and checked, as every read and download ends.
  void showAndCheck(std::vector<UpdateRow> rows);
  // FgImporta back to its header: what the last check found no longer holds (a draw was
  // saved or modified).
  void clearImport();

  // The step in progress, named by the failure message.
  const QString& NomeFase() const { return nomeFase_; }
  bool downloading() const;

  // Where "CONTROLLO AGGIORNAMENTI" downloads from: the maker's server when the build names
  // one, else the official archive's address of the program database, unless set here.
  UpdateSource updateSource();
  void setUpdateSource(UpdateSource source);
  // How long the server may stay silent, and the whole transfer last.
  void setDownloadLimits(std::chrono::milliseconds silence, std::chrono::milliseconds deadline);

 protected:
  void showEvent(QShowEvent* event) override;

 signals:
  // A download ended and its outcome was handled (tests and the screenshots wait for it).
  void downloadHandled();
  // The update stored draws, or found none to store: the archive window shows its first tab,
  // "Gestione estrazioni", with the latest draw.
  void firstTabWanted();

 private:
  QWidget* buildImportPanel();
  QWidget* buildCommandPanel();
  QWidget* buildNotes();

  void downloadFinished();
  // Reads the file into FgImporta and checks it.
  void readAndCheck(const std::string& path, FirstLine firstLine);
  // Runs one step of a read or a check: a failure is told, naming the step.
  void runStep(const std::function<void()>& step);
  void showSource();
  void showCheck(const UpdateCheck& check);
  void showMessages(const std::vector<std::string>& messages);
  void fail(const QString& detail);
  void setBusy(bool busy);

  AppContext& context_;
  QString nomeFase_;
  UpdateCheck check_;
  std::optional<UpdateSource> source_;  // set by setUpdateSource
  DownloadLimits limits_;
  DownloadTask* download_;
  // Written by the download's thread, read when it has finished.
  FetchedUpdate fetched_;
  std::optional<UpdateFailure> fetchFailure_;

  GridView* fgImporta_ = nullptr;
  QListWidget* list4_ = nullptr;
  QCheckBox* check3_ = nullptr;
  QPushButton* command21_ = nullptr;
  QPushButton* command18_ = nullptr;
  QPushButton* command28_ = nullptr;
  QPushButton* command26_ = nullptr;
  QLabel* sourceNote_ = nullptr;
};

}  // namespace quintello
