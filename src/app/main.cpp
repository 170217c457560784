#include <QApplication>
#include <QDir>
#include <cstring>
#include <iostream>

#include "core/program_files.h"
#include "core/version.h"
#include "gui/common/app_context.h"
#include "gui/common/dialogs.h"
#include "gui/common/icons.h"
#include "gui/shell/launcher.h"

int main(int argc, char* argv[]) {
  // Answered before any window system is needed, as the desktop's tools expect.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "quintello " << quintello::versionNumber() << '\n';
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quintello");
  QApplication::setDesktopFileName("it.quintello.Quintello");
  QApplication::setWindowIcon(quintello::programIcon());
  quintello::installItalianTranslations();

  const std::string executableFolder = QCoreApplication::applicationDirPath().toStdString();
  quintello::QtDialogs dialogs;
  quintello::AppContext context(quintello::ProgramFiles::locate(executableFolder), dialogs,
                                quintello::ProgramFiles::bundledDrawsPath(executableFolder));
  quintello::Launcher launcher(context);
  if (!launcher.start()) return 1;
  return app.exec();
}
