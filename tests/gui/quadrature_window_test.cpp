// The quadrature window driven as a user would; the measures themselves are tested in core.
#include "gui/quadrature/quadrature_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"

using namespace quintello;
using test::the;

namespace {

// The window opened with its shortcut from the main window.
struct Window : test::Program {
  Window() : test::Program(DrawArchive()) {
    main->activateWindow();
    if (!QTest::qWaitForWindowActive(main.get())) qFatal("main window not active");
    QTest::keySequence(main.get(), QKeySequence(MainWindow::kQuadratureShortcut));
    q = main->findChild<Quadrature*>();
    if (!q || !QTest::qWaitForWindowActive(q)) qFatal("no quadrature window");
  }
  QLineEdit* box(int corner) { return the<QLineEdit>(q, QString("TxtQ_%1").arg(corner)); }
  QListWidget* list() { return the<QListWidget>(q, "List1"); }

  void choose(int corner, int number) {
    QTest::mouseClick(box(corner), Qt::LeftButton);
    QListWidgetItem* item = list()->item(number - 1);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
  }
  // The grid and the square's labels against the core's measures of these corners.
  QString differsFrom(const std::array<int, 4>& corners) {
    const QuadratureValues measures = computeQuadrature(corners);
    Grid expected = quadratureGrid();
    fillQuadratureGrid(expected, measures);
    QString d = test::differences(the<GridView>(q, "Fg1"), expected);
    for (int i = 0; i < kQuadratureMeasures && d.isEmpty(); ++i)
      if (the<QLabel>(q, kQuadratureTable[i].label.data())->text().toInt() != measures.values[i])
        d = kQuadratureTable[i].label.data();
    const int total = the<QLabel>(q, kQuadratureTotalLabel.data())->text().toInt();
    return d.isEmpty() && total != measures.total ? QString("total") : d;
  }
  // The corners with this back colour, then the labels written in red.
  QString marked(const QColor& color) {
    QStringList names;
    for (auto* box : q->findChildren<QLineEdit*>())
      if (box->palette().color(QPalette::Base) == color) names << box->accessibleName();
    for (auto* label : q->findChildren<QLabel*>())
      if (label->palette().color(QPalette::WindowText) == Qt::red) names << label->objectName();
    return names.join(' ');
  }

  Quadrature* q = nullptr;
};

}  // namespace

class QuadratureWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnceWithItsHelp() {
    Window w;
    QCOMPARE(w.context.help().file(), QString("Ambrosa_HAltro.chm"));
    QTest::keyClick(w.q, Qt::Key_F1);  // the help page names the shortcut
    QVERIFY(w.context.help().window()->toPlainText().contains("Ctrl+Maiusc+Q"));
    the<QPushButton>(w.main.get(), "Command3")->click();  // hidden; asked again: the same window
    QCOMPARE(w.main->findChildren<Quadrature*>(), QList<Quadrature*>{w.q});
  }

  void cornersTakeNumbersOnlyFromTheList() {
    Window w;
    w.choose(1, 30);
    w.choose(4, 89);
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.differsFrom({30, 0, 0, 89}), QString());
    // A double click empties a corner; the measures stay until computed.
    QTest::mouseDClick(w.box(4), Qt::LeftButton);
    QCOMPARE(w.differsFrom({30, 0, 0, 89}), QString());
    the<QPushButton>(w.q, "Command1")->click();
    QCOMPARE(w.differsFrom({30, 0, 0, 0}), QString());
    // No typing; Enter opens the list on the corner's number, Esc closes it, Down opens it.
    w.box(1)->setFocus();
    QTRY_COMPARE(w.marked(Qt::yellow), QString("N1"));
    QTest::keyClicks(w.box(1), "12");
    QTest::keyClick(w.box(1), Qt::Key_Backspace);
    QTest::keyClick(w.box(1), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.box(1), Qt::Key_Return);
    QCOMPARE(w.list()->currentRow(), 29);
    QTest::keyClick(w.list(), Qt::Key_Escape);
    QVERIFY(!w.list()->isVisible());
    QTest::keyClick(w.box(1), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Return);
    QCOMPARE(w.differsFrom({31, 0, 0, 0}), QString());
  }

  void gridRowHighlightsItsPairUntilReset_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("marked");  // the pair's corners in cyan, its label in red
    QTest::newRow("horizontal sum") << 1 << "N1 N2 LblSO1";
    QTest::newRow("diagonal distance") << 12 << "N2 N3 LblDD2";
  }
  void gridRowHighlightsItsPairUntilReset() {
    QFETCH(int, row);
    QFETCH(QString, marked);
    Window w;
    for (int corner = 1; corner <= 4; ++corner) w.choose(corner, corner * 11);
    auto* fg1 = the<GridView>(w.q, "Fg1");
    test::clickCell(fg1, row == 1 ? 2 : 1, 0);  // an earlier highlight goes away
    test::clickCell(fg1, row, 0);
    QCOMPARE(w.marked(Qt::cyan), marked);
    QTest::mouseClick(w.box(3), Qt::LeftButton);
    the<QPushButton>(w.q, "Command2")->click();  // "RESET": values stay, marks and list go
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.marked(Qt::white), QString("N1 N2 N3 N4"));
    QCOMPARE(w.differsFrom({11, 22, 33, 44}), QString());
  }
};

QTEST_MAIN(QuadratureWindowTest)
#include "quadrature_window_test.moc"
