#include "gui/shell/app_context.h"

#include <QApplication>

namespace quintello {

AppContext::AppContext(ProgramFiles files, Dialogs& dialogs, std::string bundledDrawsPath)
    : files_(std::move(files)),
      dialogs_(dialogs),
      bundledDrawsPath_(std::move(bundledDrawsPath)),
      quit_([] { QApplication::quit(); }) {}

void AppContext::finish() {
  archiveDatabase.reset();
  programDatabase.reset();
  progress_ = nullptr;
  if (quit_) quit_();
}

QString AppContext::versionCaption() {
  return QString("Quintello: Versione %1.%2.%3")
      .arg(QUINTELLO_VERSION_MAJOR)
      .arg(QUINTELLO_VERSION_MINOR)
      .arg(QUINTELLO_VERSION_PATCH);
}

}  // namespace quintello
