#pragma once

#include <QObject>
#include <QUrl>
#include <chrono>
#include <string>

namespace quintello {

class Dialogs;
class Downloader;
struct DownloadResult;

// The main window's hidden Command4: the official historical archive of the Lotto operator
// (storico.zip) saved as estratti.zip (C:\ on Windows, the home folder elsewhere), neither
// unpacked nor imported. Nothing is said when it succeeds; a failure is told in Italian.
class OfficialArchiveDownload : public QObject {
  Q_OBJECT

 public:
  OfficialArchiveDownload(Dialogs& dialogs, QObject* parent);

  void start();  // nothing while a download runs
  bool busy() const;

  // The build's address and the fixed target unless set.
  void setAddress(const QUrl& address) { address_ = address; }
  void setTarget(std::string target) { target_ = std::move(target); }
  void setTimeout(std::chrono::milliseconds timeout);

 signals:
  void handled();  // the download ended and its outcome was told

 private:
  void finished(const DownloadResult& result);

  Dialogs& dialogs_;
  Downloader* downloader_;
  QUrl address_;
  std::string target_;
};

}  // namespace quintello
