// Renders every window of the program to PNG files, offscreen, on the bundled archive:
//   quintello-screenshots FOLDER
// Each window is opened the way a user opens it; dialogs are answered with a cancel.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/screenshot_windows.h"
#include "core/program_files.h"
#include "gui/common/app_context.h"
#include "gui/shell/launcher.h"
#include "gui/shell/main_window.h"

namespace {

class SilentDialogs final : public quintello::Dialogs {
 public:
  void message(const QString&, const QString&, Icon) override {}
  bool question(const QString&, const QString&) override { return false; }
  std::optional<QString> input(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  bool choosePrinter(QPrinter&) override { return false; }
};

bool save(QWidget* window, const QDir& folder, const QString& name) {
  window->show();
  QApplication::processEvents();
  const QString path = folder.filePath(name + ".png");
  const bool saved = window->grab().save(path);
  QTextStream(stdout) << (saved ? "scritto " : "ERRORE ") << path << "\n";
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quintello::installItalianTranslations();
  QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots"));
  if (!folder.mkpath(".")) return 2;

  QTemporaryDir programFolder;
  const std::string executableFolder = QCoreApplication::applicationDirPath().toStdString();
  SilentDialogs dialogs;
  quintello::AppContext context(quintello::ProgramFiles(programFolder.path().toStdString()),
                                dialogs,
                                quintello::ProgramFiles::bundledDrawsPath(executableFolder));
  context.setQuitAction([] {});
  quintello::Launcher launcher(context);
  if (!launcher.start()) return 1;

  bool ok = save(launcher.startupWindow(), folder, "INIZIO");
  launcher.startupWindow()->proceed();
  auto* main = launcher.mainWindow();
  if (!main) return 1;
  ok = save(main, folder, "Container") && ok;
  for (const auto& [name, open] : quintello::screenshotWindows())
    if (QWidget* window = open(context, *main)) ok = save(window, folder, name) && ok;
  return ok ? 0 : 1;
}
