#include "gui/archive/official_archive_download.h"

#include "archive/exports.h"
#include "archive/update_download.h"
#include "gui/common/app_context.h"
#include "gui/common/download_task.h"

namespace quintello {

namespace {

constexpr const char* kTitle = "Avviso";

}  // namespace

OfficialArchiveDownload::OfficialArchiveDownload(AppContext& context, QObject* parent)
    : QObject(parent),
      context_(context),
      task_(new DownloadTask(this)),
      address_(officialArchiveAddress(context.programDatabase())),
      target_(estrattiZipPath()) {
  limits_.maxBytes = kOfficialArchiveDownloadCap;
  connect(task_, &DownloadTask::finished, this, &OfficialArchiveDownload::finished);
  connect(task_, &DownloadTask::progress, this, [this](qint64 received, qint64 total) {
    context_.progress().setMaximum(int(total));
    context_.progress().setValue(int(total ? received : 0));
  });
}

OfficialArchiveDownload::~OfficialArchiveDownload() { delete task_; }

bool OfficialArchiveDownload::busy() const { return task_->busy(); }

void OfficialArchiveDownload::cancel() { task_->cancel(); }

void OfficialArchiveDownload::setLimits(std::chrono::milliseconds silence,
                                        std::chrono::milliseconds deadline) {
  limits_.silence = silence;
  limits_.deadline = deadline;
}

void OfficialArchiveDownload::start() {
  if (busy()) return;
  if (address_.empty()) {
    context_.dialogs().message("L'indirizzo dell'archivio storico non è impostato.", kTitle,
                               Dialogs::Icon::Critical);
    emit handled();
    return;
  }
  task_->start([this, address = address_, target = target_](
                   const DownloadLimits& limits) { result_ = download(address, target, limits); },
               limits_);
}

void OfficialArchiveDownload::finished() {
  if (!result_.ok() && result_.status != DownloadResult::Status::Cancelled)
    context_.dialogs().message("Scaricamento dell'archivio storico non riuscito.\n\n" +
                                   QString::fromStdString(result_.error),
                               kTitle, Dialogs::Icon::Critical);
  emit handled();
}

}  // namespace quintello
