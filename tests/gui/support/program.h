#pragma once

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/launcher.h"
#include "gui/shell/main_window.h"
#include "gui/support/grid_differences.h"
#include "gui/support/scripted_dialogs.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello::test {

// The program after "PROCEDI" in a folder of its own, its dialogs scripted: the draws held in
// memory, or written to the archive file `path` and loaded from it.
struct Program {
  explicit Program(const std::vector<TestDraw>& draws, bool onFile = false);
  void reload(const std::vector<TestDraw>& draws) {  // as the archive window does it
    context.archiveForLoading() = makeArchive(draws);
    emit context.archiveReloaded();
  }

  TempDir dir;
  std::string path;
  ScriptedDialogs dialogs;
  AppContext context;
  std::unique_ptr<MainWindow> main;
};

// One start of the program in `folder`, before "PROCEDI"; its quit action counts.
struct Run {
  explicit Run(const std::string& folder, const std::string& bundled = QUINTELLO_TEST_FROZEN_DRAWS);
  QString label(const char* name);  // of the main window once there is one

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

void click(const QObject* parent, const QString& name);  // a visible button, by the mouse
void clickCell(GridView* view, int gridRow, int col);    // scrolled into view first

}  // namespace quintello::test
