#include "gui/common/download_task.h"

#include <QThread>

namespace quintello {

DownloadTask::DownloadTask(QObject* parent) : QObject(parent) {}

DownloadTask::~DownloadTask() {
  if (!thread_) return;
  cancel_ = true;
  thread_->wait();
  delete thread_;
}

bool DownloadTask::start(Job job, DownloadLimits limits) {
  if (busy()) return false;
  cancel_ = false;
  limits.cancel = &cancel_;
  // Emitted from the job's thread, delivered queued on the window's.
  limits.progress = [this, last = std::uint64_t(-1)](std::uint64_t received,
                                                     std::uint64_t total) mutable {
    if (received == last) return;
    last = received;
    emit progress(qint64(received), qint64(total));
  };
  thread_ = QThread::create([job = std::move(job), limits = std::move(limits)] { job(limits); });
  connect(thread_, &QThread::finished, this, [this] {
    thread_->deleteLater();
    thread_ = nullptr;
    emit finished();
  });
  thread_->start();
  return true;
}

}  // namespace quintello
