// The quadrature window, driven with the mouse and the keyboard as a user would. The measures
// themselves (sums wrapping to 90, distances over 45, the grid's texts) are tested in core.
#include "gui/quadrature/quadrature_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "analysis/quadrature/quadrature.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;

namespace {

const QColor kWhiteBox(255, 255, 255);
const QColor kPairCyan(0, 255, 255);
const QColor kRedText(255, 0, 0);

QColor back(QWidget* widget) { return widget->palette().color(QPalette::Base); }
QColor fore(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

// One quadrature window on its own.
struct Window {
  Window() : context(ProgramFiles(dir.path()), dialogs, dir.file("nessuno.txt")), q(context) {
    q.show();
  }
  QLineEdit* box(int corner) { return q.findChild<QLineEdit*>(QString("TxtQ_%1").arg(corner)); }
  // What the square and the grid show against the core's measures of these corners; empty
  // when they agree.
  QString differsFrom(const std::array<int, 4>& corners) {
    const QuadratureValues measures = computeQuadrature(corners);
    Grid expected = quadratureGrid();
    fillQuadratureGrid(expected, measures);
    if (QString d = test::differences(grid(), expected); !d.isEmpty()) return d;
    auto shows = [this](std::string_view label, int value) {
      return q.findChild<QLabel*>(QString::fromUtf8(label.data(), label.size()))->text() ==
             QString::number(value);
    };
    for (int i = 0; i < kQuadratureMeasures; ++i)
      if (!shows(kQuadratureTable[i].label, measures.values[i]))
        return QString::fromUtf8(kQuadratureTable[i].label.data());
    return shows(kQuadratureTotalLabel, measures.total) ? QString() : QString("LblTS");
  }
  QListWidget* list() { return q.findChild<QListWidget*>("List1"); }
  GridView* grid() { return q.findChild<GridView*>("Fg1"); }

  // A click on corner box `corner`, then on the number in the list.
  void choose(int corner, int number) {
    QTest::mouseClick(box(corner), Qt::LeftButton);
    QVERIFY(list()->isVisible());
    QListWidgetItem* item = list()->item(number - 1);
    QCOMPARE(item->text(), QString::number(number));
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
  }

  void clickRow(int row) {
    const QModelIndex index = grid()->model()->index(grid()->gridModel().modelRow(row), 0);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
  }

  // The corners in the colour, then the labels written in red: "N1 N4 LblDD1".
  QString marked(const QColor& color) {
    QStringList names;
    for (QObject* widget : q.findChildren<QWidget*>())
      if (auto* box = qobject_cast<QLineEdit*>(widget); box && back(box) == color)
        names << box->accessibleName();
      else if (auto* label = qobject_cast<QLabel*>(widget); label && fore(label) == kRedText)
        names << label->objectName();
    return names.join(' ');
  }

  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  AppContext context;
  Quadrature q;
};

}  // namespace

class QuadratureWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensFromTheShortcutOnceWithItsHelp() {
    test::Program program{DrawArchive()};
    AppContext& context = program.context;
    MainWindow& main = *program.main;
    QVERIFY(main.findChild<QPushButton*>("Command3")->isHidden());
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keySequence(&main, QKeySequence(MainWindow::kQuadratureShortcut));
    auto* window = main.findChild<Quadrature*>();
    QVERIFY(window && QTest::qWaitForWindowActive(window));
    QCOMPARE(context.help().file(), QString("Ambrosa_HAltro.chm"));
    QTest::keyClick(window, Qt::Key_F1);  // the help page names the shortcut
    QVERIFY(context.help().window()->toPlainText().contains("Ctrl+Maiusc+Q"));
    main.findChild<QPushButton*>("Command3")->click();  // asked again: the same window
    QCOMPARE(main.findChildren<Quadrature*>(), QList<Quadrature*>{window});
  }

  void pickingANumberRecomputesWithEmptyCornersAsZeroADoubleClickDoesNot() {
    Window w;
    QVERIFY(!w.list()->isVisible());
    w.choose(1, 30);
    QCOMPARE(w.box(1)->text(), QString("30"));
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.differsFrom({30, 0, 0, 0}), QString());
    w.choose(4, 89);
    QCOMPARE(w.differsFrom({30, 0, 0, 89}), QString());
    w.choose(1, 1);  // choosing again replaces the corner's number
    QCOMPARE(w.differsFrom({1, 0, 0, 89}), QString());
    // A double click empties a corner and leaves the measures as they were until computed.
    QTest::mouseDClick(w.box(4), Qt::LeftButton);
    QCOMPARE(w.box(4)->text(), QString());
    QCOMPARE(w.differsFrom({1, 0, 0, 89}), QString());
    w.q.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(w.differsFrom({1, 0, 0, 0}), QString());
  }

  void cornersRefuseTypingAndOpenTheListFromTheKeyboard() {
    Window w;
    w.choose(3, 45);
    w.q.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.q));
    w.box(3)->setFocus();
    QTRY_COMPARE(w.marked(QColor(255, 255, 0)), QString("N3"));  // the corner with the focus
    QTest::keyClicks(w.box(3), "12");
    for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete}) QTest::keyClick(w.box(3), key);
    QTest::keyClick(w.box(3), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box(3)->text(), QString("45"));
    // Enter opens the number list on the corner's number, Esc closes it.
    QTest::keyClick(w.box(3), Qt::Key_Return);
    QCOMPARE(w.list()->currentRow(), 44);
    QTest::keyClick(w.list(), Qt::Key_Escape);
    QVERIFY(!w.list()->isVisible());
    // Down opens it too, and Enter in the list chooses.
    QTest::keyClick(w.box(3), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Return);
    QCOMPARE(w.box(3)->text(), QString("46"));
    QCOMPARE(w.differsFrom({0, 0, 46, 0}), QString());
  }

  void gridRowHighlightsItsPairUntilReset_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("marked");  // the pair's corners in cyan, its label in red
    QTest::newRow("1 horizontal sum") << 1 << "N1 N2 LblSO1";
    QTest::newRow("11 diagonal distance") << 11 << "N1 N4 LblDD1";
    QTest::newRow("12 diagonal distance") << 12 << "N2 N3 LblDD2";
  }
  void gridRowHighlightsItsPairUntilReset() {
    QFETCH(int, row);
    QFETCH(QString, marked);
    Window w;
    for (int corner = 1; corner <= 4; ++corner) w.choose(corner, corner * 11);
    w.clickRow(row == 1 ? 2 : 1);  // an earlier highlight goes away
    w.clickRow(row);
    QCOMPARE(w.marked(kPairCyan), marked);
    // "RESET" takes the highlight and the number list away and keeps the values.
    QTest::mouseClick(w.box(3), Qt::LeftButton);
    const std::string before = w.grid()->grid().clipText();
    w.q.findChild<QPushButton*>("Command2")->click();
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.marked(kWhiteBox), QString("N1 N2 N3 N4"));
    QCOMPARE(w.box(3)->text(), QString("33"));
    QCOMPARE(w.grid()->grid().clipText(), before);
  }
};

QTEST_MAIN(QuadratureWindowTest)
#include "quadrature_window_test.moc"
