// The quadrature window, driven with the mouse and the keyboard as a user would.
#include "gui/quadrature/quadrature_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "analysis/quadrature/quadrature.h"
#include "core/color.h"
#include "gui/shell/app_context.h"
#include "gui/shell/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/support/scripted_dialogs.h"
#include "support/test_archive.h"

using namespace quintello;

namespace {

const QColor kWhiteBox(255, 255, 255);
const QColor kPairCyan(0, 255, 255);
const QColor kYellowFocus(255, 255, 0);
const QColor kRedText(255, 0, 0);
const QColor kBlackText(0, 0, 0);

struct Program {
  Program() : context(ProgramFiles(dir.path()), dialogs, dir.file("nessuno.txt")) {
    context.setQuitAction([] {});
    context.archive() = test::makeArchive(test::weeklyDraws(3));
    main = std::make_unique<MainWindow>(context);
    main->show();
  }
  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  AppContext context;
  std::unique_ptr<MainWindow> main;
};

// One quadrature window on its own.
struct Window {
  Window() : context(ProgramFiles(dir.path()), dialogs, dir.file("nessuno.txt")), q(context) {
    q.show();
  }
  QLineEdit* box(int corner) { return q.findChild<QLineEdit*>(QString("TxtQ_%1").arg(corner)); }
  QLabel* label(const char* name) { return q.findChild<QLabel*>(name); }
  QString value(const char* name) { return label(name)->text(); }
  QListWidget* list() { return q.findChild<QListWidget*>("List1"); }
  GridView* grid() { return q.findChild<GridView*>("Fg1"); }
  std::string cell(int row, int col) { return grid()->grid().text(row, col); }

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

  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  AppContext context;
  Quadrature q;
};

QColor back(QWidget* widget) { return widget->palette().color(QPalette::Base); }
QColor fore(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

QString labelName(int row) {
  const auto name = kQuadratureTable[static_cast<size_t>(row - 1)].label;
  return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
}

}  // namespace

class QuadratureWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensFromTheHiddenButtonAndTheShortcut() {
    Program program;
    auto* command3 = program.main->findChild<QPushButton*>("Command3");
    QCOMPARE(command3->text(), QString("Quadrature"));
    QVERIFY(command3->isHidden());
    QCOMPARE(QString(MainWindow::kQuadratureShortcut), QString("Ctrl+Shift+Q"));
    program.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(program.main.get()));
    QTest::keySequence(program.main.get(), QKeySequence(MainWindow::kQuadratureShortcut));
    auto* window = program.main->findChild<Quadrature*>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Quadrature"));
    QCOMPARE(program.context.help().file(), QString("Ambrosa_HAltro.chm"));
    QCOMPARE(Help::pageFor("Ambrosa_HAltro.chm"), QString("qrc:/help/Ambrosa_HAltro.html"));
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F1);
    QVERIFY(program.context.help().window());
    const QString help = program.context.help().window()->toPlainText();
    QVERIFY(help.contains("Ctrl+Maiusc+Q"));
    QVERIFY(help.contains("RESET"));
    // Asked again (the button, were it shown): the same window.
    command3->click();
    QCOMPARE(program.main->findChildren<Quadrature*>().size(), qsizetype(1));
    QCOMPARE(program.main->openQuadrature(), window);
  }

  void opensWithTheMeasuresListedAndNothingComputed() {
    Window w;
    QCOMPARE(w.grid()->grid().clipText({0, 0, 0, 3}),
             std::string("Somma / Distanza            \tElementi\tNumeri \tValore"));
    QCOMPARE(w.grid()->grid().rows(), 13);
    QCOMPARE(w.cell(1, 0), std::string("Somma orizzontale 1"));
    QCOMPARE(w.cell(12, 1), std::string("N2 N3"));
    QCOMPARE(w.cell(1, 3), std::string());
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.list()->count(), 90);
    QCOMPARE(w.list()->item(0)->text(), QString("1"));
    QCOMPARE(w.list()->item(89)->text(), QString("90"));
    QCOMPARE(w.label("Label74")->text(), QString("SOMME"));
    QCOMPARE(w.label("Label75")->text(), QString("DISTANZE"));
    QCOMPARE(w.q.findChild<QPushButton*>("Command2")->text(), QString("RESET"));
    QCOMPARE(w.label("LblSO1")->palette().color(QPalette::Window), QColor(255, 255, 128));
    QCOMPARE(w.label("LblDD2")->palette().color(QPalette::Window), QColor(128, 255, 128));
    QCOMPARE(w.label("LblTS")->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(fore(w.label("LblTS")), QColor(255, 255, 255));
  }

  void pickingANumberRecomputesWithEmptyCornersAsZero() {
    Window w;
    w.choose(1, 30);
    QCOMPARE(w.box(1)->text(), QString("30"));
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.q.currentCorner(), 1);
    QCOMPARE(w.value("LblSO1"), QString("30"));
    QCOMPARE(w.value("LblDO1"), QString("30"));
    QCOMPARE(w.value("LblSO2"), QString("90"));  // 0 + 0 wraps to 90
    QCOMPARE(w.value("LblDO2"), QString("0"));
    QCOMPARE(w.value("LblTS"), QString("30"));
    QCOMPARE(w.cell(1, 2), std::string("30 "));  // the empty corner leaves a lone space
    QCOMPARE(w.cell(2, 2), std::string(" "));
    QCOMPARE(w.cell(1, 3), std::string("30"));
    QCOMPARE(w.grid()->grid().backColor(1, 3), GialloMedio);
    QCOMPARE(w.grid()->grid().foreColor(1, 3), kRed);
    QCOMPARE(w.grid()->grid().foreColor(1, 2), kBlue);

    w.choose(2, 60);
    QCOMPARE(w.value("LblSO1"), QString("90"));
    QCOMPARE(w.value("LblDO1"), QString("30"));
    QCOMPARE(w.cell(1, 2), std::string("30 60"));
    w.choose(4, 89);
    QCOMPARE(w.value("LblDD1"), QString("31"));  // |30 - 89| = 59, over 45: 90 - 59
    QCOMPARE(w.value("LblSD1"), QString("29"));  // 119 wraps to 29
    QCOMPARE(w.value("LblTS"), QString("89"));   // 179 wraps to 89
    QCOMPARE(w.cell(4, 2), std::string("60 89"));
    QCOMPARE(w.cell(6, 2), std::string("60 "));
    // Choosing again replaces the corner's number.
    w.choose(1, 1);
    QCOMPARE(w.value("LblDD1"), QString("2"));
    QCOMPARE(w.cell(11, 3), std::string("2"));
  }

  void typingIntoACornerIsRefused() {
    Window w;
    w.choose(3, 45);
    w.box(3)->setFocus();
    QTest::keyClicks(w.box(3), "12");
    QTest::keyClick(w.box(3), Qt::Key_Backspace);
    QTest::keyClick(w.box(3), Qt::Key_Delete);
    QTest::keyClick(w.box(3), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box(3)->text(), QString("45"));
    QCOMPARE(w.cell(3, 2), std::string(" 45"));
    // Enter opens the number list instead, and Esc closes it.
    QTest::keyClick(w.box(3), Qt::Key_Return);
    QVERIFY(w.list()->isVisible());
    QCOMPARE(w.list()->currentRow(), 44);
    QTest::keyClick(w.list(), Qt::Key_Escape);
    QVERIFY(!w.list()->isVisible());
    QCOMPARE(w.box(3)->text(), QString("45"));
    // Down then Enter in the list chooses the next number.
    QTest::keyClick(w.box(3), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Down);
    QTest::keyClick(w.list(), Qt::Key_Return);
    QCOMPARE(w.box(3)->text(), QString("46"));
    QCOMPARE(w.value("LblSv1"), QString("46"));
  }

  void doubleClickEmptiesACornerWithoutRecomputing() {
    Window w;
    w.choose(1, 20);
    w.choose(4, 70);
    QTest::mouseDClick(w.box(4), Qt::LeftButton);
    QCOMPARE(w.box(4)->text(), QString());
    QCOMPARE(w.value("LblSD1"), QString("90"));
    QCOMPARE(w.cell(5, 2), std::string("20 70"));
    QCOMPARE(w.value("LblTS"), QString("90"));
    // The compute button takes the empty corner as 0.
    QTest::mouseClick(w.q.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(w.value("LblSD1"), QString("20"));
    QCOMPARE(w.cell(5, 2), std::string("20 "));
    QCOMPARE(w.value("LblTS"), QString("20"));
  }

  void cornerWithTheFocusIsYellow() {
    Window w;
    w.q.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.q));
    w.box(2)->setFocus();
    QTRY_COMPARE(back(w.box(2)), kYellowFocus);
    w.box(4)->setFocus();
    QTRY_COMPARE(back(w.box(4)), kYellowFocus);
    QCOMPARE(back(w.box(2)), kWhiteBox);
    QCOMPARE(back(w.box(1)), kWhiteBox);
  }

  void gridRowHighlightsItsPair_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    for (int row = 1; row <= kQuadratureMeasures; ++row) {
      const auto& measure = kQuadratureTable[static_cast<size_t>(row - 1)];
      QTest::addRow("row %d %s", row, measure.pair.data())
          << row << measure.first + 1 << measure.second + 1;
    }
  }
  void gridRowHighlightsItsPair() {
    QFETCH(int, row);
    QFETCH(int, first);
    QFETCH(int, second);
    Window w;
    for (int corner = 1; corner <= 4; ++corner) w.choose(corner, corner * 11);
    w.clickRow(row == 1 ? 2 : 1);  // an earlier highlight goes away
    w.clickRow(row);
    for (int corner = 1; corner <= 4; ++corner)
      QCOMPARE(back(w.box(corner)), corner == first || corner == second ? kPairCyan : kWhiteBox);
    for (int r = 1; r <= kQuadratureMeasures; ++r)
      QCOMPARE(fore(w.label(labelName(r).toUtf8().constData())), r == row ? kRedText : kBlackText);
  }

  void rowElevenHighlightsN1AndN4() {
    Window w;
    w.choose(1, 10);
    w.choose(4, 56);
    w.clickRow(11);
    QCOMPARE(w.cell(11, 0), std::string("Distanza diagonale 1"));
    QCOMPARE(back(w.box(1)), kPairCyan);
    QCOMPARE(back(w.box(4)), kPairCyan);
    QCOMPARE(back(w.box(2)), kWhiteBox);
    QCOMPARE(back(w.box(3)), kWhiteBox);
    QCOMPARE(fore(w.label("LblDD1")), kRedText);
    QCOMPARE(w.value("LblDD1"), QString("44"));
  }

  void resetKeepsTheValues() {
    Window w;
    w.choose(1, 45);
    w.choose(2, 45);
    w.clickRow(1);
    QTest::mouseClick(w.box(3), Qt::LeftButton);
    QVERIFY(w.list()->isVisible());
    const std::string before = w.grid()->grid().clipText();
    QTest::mouseClick(w.q.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(!w.list()->isVisible());
    for (int corner = 1; corner <= 4; ++corner) QCOMPARE(back(w.box(corner)), kWhiteBox);
    for (int r = 1; r <= kQuadratureMeasures; ++r)
      QCOMPARE(fore(w.label(labelName(r).toUtf8().constData())), kBlackText);
    QCOMPARE(w.box(1)->text(), QString("45"));
    QCOMPARE(w.box(2)->text(), QString("45"));
    QCOMPARE(w.value("LblSO1"), QString("90"));
    QCOMPARE(w.grid()->grid().clipText(), before);
  }
};

QTEST_MAIN(QuadratureWindowTest)
#include "quadrature_window_test.moc"
