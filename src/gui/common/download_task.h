#pragma once

#include <QObject>
#include <atomic>
#include <functional>

#include "archive/download.h"

class QThread;

namespace quintello {

// Runs a download (and whatever reads it) off the window's thread, one at a time: the job
// gets limits whose progress and cancel this task drives, and stores its outcome where its
// owner reads it when finished() arrives. Destroying the task cancels the job and waits.
class DownloadTask : public QObject {
  Q_OBJECT

 public:
  using Job = std::function<void(const DownloadLimits&)>;

  explicit DownloadTask(QObject* parent = nullptr);
  ~DownloadTask() override;

  // False, and nothing started, while another job runs.
  bool start(Job job, DownloadLimits limits);
  bool busy() const { return thread_ != nullptr; }

 public slots:
  // Ends the transfer in progress (the job sees a cancelled download); nothing when idle.
  void cancel() { cancel_ = true; }

 signals:
  void progress(qint64 received, qint64 total);  // total is 0 when the server gives none
  void finished();                               // on the window's thread; busy() is false

 private:
  QThread* thread_ = nullptr;
  std::atomic<bool> cancel_ = false;
};

}  // namespace quintello
