#include "gui/archive/official_archive_download.h"

#include "archive/exports.h"
#include "archive/server_addresses.h"
#include "gui/common/dialogs.h"
#include "gui/common/downloader.h"

namespace quintello {

namespace {

constexpr const char* kTitle = "Avviso";

}  // namespace

OfficialArchiveDownload::OfficialArchiveDownload(Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      downloader_(new Downloader(this)),
      address_(QString::fromStdString(builtOfficialArchiveAddress())),
      target_(estrattiZipPath()) {
  connect(downloader_, &Downloader::finished, this, &OfficialArchiveDownload::finished);
}

bool OfficialArchiveDownload::busy() const { return downloader_->busy(); }

void OfficialArchiveDownload::setTimeout(std::chrono::milliseconds timeout) {
  downloader_->setTimeout(timeout);
}

void OfficialArchiveDownload::start() {
  if (busy()) return;
  if (address_.isEmpty()) {
    dialogs_.message(
        "L'indirizzo dell'archivio storico non è impostato in questa versione del programma.",
        kTitle, Dialogs::Icon::Critical);
    emit handled();
    return;
  }
  downloader_->start(address_, target_, Downloader::kOfficialArchiveCap);
}

void OfficialArchiveDownload::finished(const DownloadResult& result) {
  if (!result.ok())
    dialogs_.message("Scaricamento dell'archivio storico non riuscito.\n\n" + result.error, kTitle,
                     Dialogs::Icon::Critical);
  emit handled();
}

}  // namespace quintello
