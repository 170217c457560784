// The quadrature window driven as a user would; the measures themselves are tested in core.
#include "gui/quadrature/quadrature_window.h"

#include "gui/support/program.h"

using namespace quintello;
using test::the;

namespace {

struct Window : test::Program {
  Window() : test::Program({}) {
    if (!QTest::qWaitForWindowActive(main.get())) qFatal("main window not active");
    QTest::keySequence(main.get(), QKeySequence(MainWindow::kQuadratureShortcut));
    q = main->findChild<Quadrature*>();
    list = the<QListWidget>(q, "List1");
  }
  QLineEdit* box(int corner) { return the<QLineEdit>(q, QString("TxtQ_%1").arg(corner)); }
  void choose(int corner, int number) {
    QTest::mouseClick(box(corner), Qt::LeftButton);
    list->scrollToItem(list->item(number - 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(number - 1)).center());
  }
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
  QListWidget* list = nullptr;
};

}  // namespace

class QuadratureWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cornersTakeNumbersOnlyFromTheList() {
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(w.q));
    the<QPushButton>(w.main.get(), "Command3")->click();  // hidden; the same window again
    QCOMPARE(w.main->findChildren<Quadrature*>(), QList{w.q});
    w.choose(1, 30);
    w.choose(4, 89);
    QCOMPARE(w.differsFrom({30, 0, 0, 89}), QString());
    QTest::mouseDClick(w.box(4), Qt::LeftButton);  // empties it; the measures wait for Command1
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
    QCOMPARE(w.list->currentRow(), 29);
    QTest::keyClick(w.list, Qt::Key_Escape);
    QVERIFY(!w.list->isVisible());
    for (const auto key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
      QTest::keyClick(w.list->isVisible() ? static_cast<QWidget*>(w.list) : w.box(1), key);
    QCOMPARE(w.differsFrom({31, 0, 0, 0}), QString());
    // A grid row marks its corners in cyan and its label in red; "RESET" keeps only the values.
    for (int corner = 1; corner <= 4; ++corner) w.choose(corner, corner * 11);
    test::clickCell(the<GridView>(w.q, "Fg1"), 12, 0);  // an earlier one goes
    test::clickCell(the<GridView>(w.q, "Fg1"), 1, 0);
    QCOMPARE(w.marked(Qt::cyan), QString("N1 N2 LblSO1"));
    QTest::mouseClick(w.box(3), Qt::LeftButton);
    the<QPushButton>(w.q, "Command2")->click();
    QVERIFY(!w.list->isVisible());
    QCOMPARE(w.marked(Qt::white), QString("N1 N2 N3 N4"));
    QCOMPARE(w.differsFrom({11, 22, 33, 44}), QString());
  }
};

QTEST_MAIN(QuadratureWindowTest)
#include "quadrature_window_test.moc"
