#include "gui/shell/launcher.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "gui/common/app_context.h"
#include "gui/common/single_window.h"
#include "gui/shell/main_window.h"
#include "gui/shell/startup_window.h"

namespace quintello {

Launcher::Launcher(AppContext& context) : context_(context) {}

Launcher::~Launcher() { delete startup_; }

bool Launcher::start() {
  startup_ = new StartupWindow(context_);
  connect(startup_, &StartupWindow::archiveLoaded, this, &Launcher::showMainWindow);
  return startup_->start();
}

void Launcher::showMainWindow() {
  main_ = std::make_unique<MainWindow>(context_);
  showAndRaise(main_.get());
  if (startup_) {
    startup_->close();
    startup_->deleteLater();
  }
}

void installItalianTranslations() {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Italian), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

}  // namespace quintello
