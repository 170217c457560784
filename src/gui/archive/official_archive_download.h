#pragma once

#include <QObject>
#include <chrono>
#include <string>

#include "archive/download.h"

namespace quintello {

class AppContext;
class DownloadTask;

// The main window's hidden Command4: the official historical archive of the Lotto operator
// saved as estratti.zip (C:\ on Windows, the home folder elsewhere), neither unpacked nor
// imported, off the window's thread with its progress on the main window's bar. Nothing is
// said when it succeeds or is cancelled; a failure is told in Italian.
class OfficialArchiveDownload : public QObject {
  Q_OBJECT

 public:
  OfficialArchiveDownload(AppContext& context, QObject* parent);
  ~OfficialArchiveDownload() override;

  void start();  // nothing while a download runs
  void cancel();
  bool busy() const;

  // The official archive's address of the program database and the fixed target unless set.
  void setAddress(std::string address) { address_ = std::move(address); }
  void setTarget(std::string target) { target_ = std::move(target); }
  void setLimits(std::chrono::milliseconds silence, std::chrono::milliseconds deadline);

 signals:
  void handled();  // the download ended and its outcome was told

 private:
  void finished();

  AppContext& context_;
  DownloadTask* task_;
  std::string address_;
  std::string target_;
  DownloadLimits limits_;
  DownloadResult result_;  // written by the download's thread, read when it has finished
};

}  // namespace quintello
