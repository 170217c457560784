#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "gui/common/app_context.h"
#include "gui/shell/launcher.h"
#include "gui/shell/main_window.h"
#include "gui/support/scripted_dialogs.h"
#include "support/test_archive.h"

namespace quintello {
class GridView;
}

namespace quintello::test {

// The program after "PROCEDI": a context in a folder of its own, dialogs answered from a
// script, the archive loaded and the main window shown.
struct Program {
  // The draws held in memory only.
  explicit Program(DrawArchive archive);
  explicit Program(const std::vector<TestDraw>& draws) : Program(makeArchive(draws)) {}
  // The draws written to the archive file `path` and loaded from it, as the program does.
  struct OnFile {};
  Program(const std::vector<TestDraw>& draws, OnFile);

  TempDir dir;
  std::string path;  // the archive file, when there is one
  ScriptedDialogs dialogs;
  AppContext context;
  std::unique_ptr<MainWindow> main;
};

// One start of the program in its own folder, before "PROCEDI"; its quit action counts.
struct Run {
  explicit Run(const std::string& folder, const std::string& bundled = QUINTELLO_TEST_FROZEN_DRAWS);
  // The control of the main window once there is one, else of the start-up window.
  template <class T>
  T* find(const char* name) {
    QWidget* window = launcher.mainWindow() ? static_cast<QWidget*>(launcher.mainWindow())
                                            : static_cast<QWidget*>(launcher.startupWindow());
    return window ? window->findChild<T*>(name) : nullptr;
  }
  QString label(const char* name);

  ScriptedDialogs dialogs;
  AppContext context;
  Launcher launcher;
  int quits = 0;
};

// The child of `parent` with this objectName; the test stops when there is none.
template <class T = QWidget>
T* the(const QObject* parent, const QString& name) {
  T* found = parent->findChild<T*>(name);
  if (!found) qFatal("no %s", qPrintable(name));
  return found;
}

// A mouse click on the button of `parent` with this objectName, which the user can see.
void click(const QObject* parent, const QString& name);
// A mouse click on a cell of a grid, scrolled into view.
void clickCell(GridView* view, int gridRow, int col);

// Every row of an archive file, read with a connection of its own: "date|Ba|...|Nz".
QStringList storedRows(const std::string& path);

QByteArray readFile(const std::string& path);  // "<manca>" when it cannot be read
bool writeFile(const std::string& path, const QByteArray& bytes);

}  // namespace quintello::test
