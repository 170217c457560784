#include "gui/support/program.h"

#include "gui/common/grid_model.h"

namespace quintello::test {

Program::Program(const std::vector<TestDraw>& draws, bool onFile)
    : path(onFile ? dir.file("archivio.mdb") : ""),
      context(ProgramFiles(dir.path()), dialogs, dir.file("nessuno.txt")) {
  context.setQuitAction([] {});
  if (onFile) {
    writeArchiveFile(path, draws);
    context.setArchiveDatabase(ArchiveDatabase::open(path));
    NoProgress none;
    loadArchive(*context.archiveDatabase(), context.archiveForLoading(), 1, none);
  } else {
    context.archiveForLoading() = makeArchive(draws);
  }
  main = std::make_unique<MainWindow>(context);
  main->show();
}

Run::Run(const std::string& folder, const std::string& bundled)
    : context(ProgramFiles(folder), dialogs, bundled), launcher(context) {
  context.setQuitAction([this] { ++quits; });
}

QString Run::label(const char* name) {
  QWidget* main = launcher.mainWindow();
  return the<QLabel>(main ? main : launcher.startupWindow(), name)->text();
}

void click(const QObject* parent, const QString& name) {
  auto* button = the<QAbstractButton>(parent, name);
  QVERIFY2(button->isVisible(), qPrintable(name));
  QTest::mouseClick(button, Qt::LeftButton);
}

void clickCell(GridView* view, int gridRow, int col) {
  const QModelIndex index = view->model()->index(view->gridModel().modelRow(gridRow), col);
  QVERIFY2(index.isValid(), qPrintable(view->objectName()));
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

}  // namespace quintello::test
