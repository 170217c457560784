#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <string>

#include "archive/update_check.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace quintello {

class AppContext;
class Downloader;
class GridView;
struct DownloadResult;

// "Aggiornamenti": new draws from an update file, chosen by the user or downloaded from the
// maker's archive server, checked against the stored ones. FgImporta shows the file's lines
// with the check's colours and List4 what the check found; "AGGIORNAMENTO" stores the draws
// to import and, when asked, corrects the wrong ones.
class AggiornamentiTab : public QWidget {
  Q_OBJECT

 public:
  explicit AggiornamentiTab(AppContext& context, QWidget* parent = nullptr);

  // The tab's commands, as the user gives them.
  void updateFromFile();  // Command21 "AGGIORNA DA FILE"
  // "AGGIORNA DA FILE" once the file is chosen: the first-line check, the read, the check.
  void checkUpdateFile(const std::string& path);
  void checkForUpdates();  // Command18 "CONTROLLO AGGIORNAMENTI"
  void applyUpdate();      // Command28 "AGGIORNAMENTO"
  void cancelTransfer();   // Command26
  // FgImporta back to its header: what the last check found no longer holds (a draw was
  // saved or modified).
  void clearImport();

  // The step in progress, named by the failure message.
  const QString& NomeFase() const { return nomeFase_; }
  bool downloading() const;

  // Where "CONTROLLO AGGIORNAMENTI" downloads from (the build's address unless set) and how
  // long the server may stay silent.
  void setUpdateFileAddress(const QUrl& address) { updateFileAddress_ = address; }
  void setDownloadTimeout(std::chrono::milliseconds timeout);

 signals:
  // A download ended and its outcome was handled (tests and the screenshots wait for it).
  void downloadHandled();

 private:
  QWidget* buildImportPanel();
  QWidget* buildCommandPanel();
  QWidget* buildNotes();

  void downloadFinished(const DownloadResult& result);
  void checkDownloadedText(const QByteArray& body);
  // Reads the file into FgImporta and checks it.
  void readAndCheck(const std::string& path, FirstLine firstLine);
  void showCheck(const UpdateCheck& check);
  void showMessages(const std::vector<std::string>& messages);
  void fail(const QString& detail);
  void selectFirstTab();
  void setBusy(bool busy);

  AppContext& context_;
  QString nomeFase_;
  UpdateCheck check_;
  QUrl updateFileAddress_;
  Downloader* downloader_;

  GridView* fgImporta_ = nullptr;
  QListWidget* list4_ = nullptr;
  QCheckBox* check3_ = nullptr;
  QPushButton* command21_ = nullptr;
  QPushButton* command18_ = nullptr;
  QPushButton* command28_ = nullptr;
  QPushButton* command26_ = nullptr;
};

}  // namespace quintello
