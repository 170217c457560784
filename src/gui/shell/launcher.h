#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "gui/shell/startup_window.h"

namespace quintello {

class AppContext;
class MainWindow;

// Runs the program's road: the start-up window, then, once the draws are loaded, the main
// window in its place.
class Launcher : public QObject {
  Q_OBJECT

 public:
  explicit Launcher(AppContext& context);
  ~Launcher() override;

  // Opens the start-up window; false when the program cannot start.
  [[nodiscard]] bool start();
  StartupWindow* startupWindow() const { return startup_; }
  MainWindow* mainWindow() const { return main_.get(); }

 private:
  void showMainWindow();

  AppContext& context_;
  QPointer<StartupWindow> startup_;
  std::unique_ptr<MainWindow> main_;
};

// Loads Qt's Italian texts ("Sì", "No", "Annulla") for the standard dialogs.
void installItalianTranslations();

}  // namespace quintello
