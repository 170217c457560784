#include "gui/support/program.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>

#include "core/sqlite.h"
#include "gui/common/grid_model.h"
#include "gui/common/grid_view.h"

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

QString Run::label(const char* name) { return find<QLabel>(name)->text(); }

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

QStringList storedRows(const std::string& path) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
  auto rows = db.prepare(
      "SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz "
      "FROM EstrazioniLotto ORDER BY DataEstrazione");
  QStringList all;
  while (rows.step()) {
    QStringList cells;
    for (int c = 0; c < 12; ++c) cells << QString::fromUtf8(rows.text(c));
    all << cells.join('|');
  }
  return all;
}

QByteArray readFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<manca>");
}

bool writeFile(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace quintello::test
