#include <QApplication>
#include <QDir>

#include "core/program_files.h"
#include "gui/common/dialogs.h"
#include "gui/shell/app_context.h"
#include "gui/shell/launcher.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quintello");
  quintello::installItalianTranslations();

  const std::string executableFolder = QCoreApplication::applicationDirPath().toStdString();
  quintello::QtDialogs dialogs;
  quintello::AppContext context(
      quintello::ProgramFiles::locate(executableFolder), dialogs,
      quintello::ProgramFiles(executableFolder).file(quintello::ProgramFiles::kBundledDraws));
  quintello::Launcher launcher(context);
  if (!launcher.start()) return 1;
  return app.exec();
}
