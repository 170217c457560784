#include "gui/common/app_context.h"

#include <QApplication>

#include "core/error.h"
#include "core/version.h"

namespace quintello {

AppContext::AppContext(ProgramFiles files, Dialogs& dialogs, std::string bundledDrawsPath)
    : files_(std::move(files)),
      dialogs_(dialogs),
      bundledDrawsPath_(std::move(bundledDrawsPath)),
      quit_([] { QApplication::quit(); }) {}

void AppContext::setProgramDatabase(std::optional<ProgramDatabase> database) {
  programDatabase_ = std::move(database);
}

void AppContext::setArchiveDatabase(std::optional<ArchiveDatabase> database) {
  archiveDatabase_ = std::move(database);
}

void AppContext::reloadArchive() {
  if (!archiveDatabase_) throw Error("Nessun archivio delle estrazioni aperto.");
  CaricaArchivioExNovo(*archiveDatabase_, archive_, progress());
  emit archiveReloaded();
}

void AppContext::loadArchiveTable() {
  if (!archiveDatabase_) throw Error("Nessun archivio delle estrazioni aperto.");
  const int loaded = archive_.count();
  if (CaricaTabellaArchivio(*archiveDatabase_, archive_) != loaded) reloadArchive();
}

void AppContext::finish() {
  archiveDatabase_.reset();
  programDatabase_.reset();
  progress_ = nullptr;
  if (quit_) quit_();
}

QString AppContext::versionCaption() {
  return "Quintello: Versione " + QString::fromStdString(versionNumber());
}

}  // namespace quintello
