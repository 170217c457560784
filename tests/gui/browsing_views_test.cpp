// The mini draw list, the draw list and the number picker, driven as a user would. The grids'
// rules (wheels, highlights, index and date answers) are tested in core; here, the wiring.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "core/draw_views.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/number_picker.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;
using test::fiveDraws;

namespace {

// The program after "PROCEDI" with its main window.
struct Program : test::Program {
  using test::Program::Program;

  Estrazioni_minielenco* openMiniList() {
    QTest::mouseClick(main->findChild<QPushButton*>("Command5"), Qt::LeftButton);
    return main->findChild<Estrazioni_minielenco*>();
  }

  QString indexAndDate(int d) {
    return QString("%1 | %2").arg(d).arg(QString::fromStdString(context.archive().dateText(d)));
  }
  // Another window gets the focus, then the given one.
  void activate(QWidget* window) {
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }
};

// What the mini list shows: "index | date", and with a wheel "| ordinals | its numbers".
QString shown(Estrazioni_minielenco* mini, int wheelRow = 0) {
  auto label = [mini](const char* name) { return mini->findChild<QLabel*>(name)->text(); };
  QString text = label("Label2") + " | " + label("Label1");
  if (wheelRow == 0) return text;
  const Grid& grid = mini->findChild<GridView*>("fG2")->grid();
  return text + " | " + label("Label3") + " | " +
         QString::fromStdString(grid.clipText({wheelRow, 0, wheelRow, 5}));
}

class RecordingClient : public NumberPickerClient {
 public:
  void numberPicked(int number) override { picked << number; }
  QList<int> picked;
};

}  // namespace

class BrowsingViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void miniListOpensOnceOnTheLatestDrawWithItsHelp() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    QVERIFY(mini && mini->isVisible());
    QCOMPARE(shown(mini, 8), QString("5 | 09/12/2025 | PM=4   PA=5 | RO\t7\t17\t27\t37\t47"));
    // Its help page, also after another window had the focus.
    program.context.help().setFile("helpquintello.chm");
    program.activate(mini);
    QCOMPARE(program.context.help().file(), QString("Cimavert.chm"));
    QTest::keyClick(mini, Qt::Key_F1);
    QVERIFY(program.context.help().window());
    QVERIFY(program.context.help().window()->toPlainText().contains("Data non trovata"));
    QWidget* help = program.context.help().window();
    program.activate(help);
    QTest::keyClick(help, Qt::Key_Escape);  // Esc closes the help
    QVERIFY(!help->isVisible());
    // Asked again: the same window, where the user left it; closed, it opens afresh.
    QTest::keyClick(mini->findChild<QScrollBar*>("hs1"), Qt::Key_Left);
    QCOMPARE(program.openMiniList(), mini);
    QCOMPARE(program.main->findChildren<Estrazioni_minielenco*>().size(), qsizetype(1));
    QCOMPARE(mini->shownDraw(), 4);
    mini->close();
    QTRY_VERIFY(program.main->findChildren<Estrazioni_minielenco*>().isEmpty());
    QCOMPARE(program.openMiniList()->shownDraw(), 5);
  }

  void scrollBarAnswersArrowAndPageKeys() {
    Program program(test::weeklyDraws(60));
    auto* mini = program.openMiniList();
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    // Left, Up and Page Up go to older draws, Right, Down and Page Down to newer ones.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 60},    {Qt::Key_PageDown, 60}, {Qt::Key_Left, 59},  {Qt::Key_Up, 58},
        {Qt::Key_PageUp, 33},   {Qt::Key_Home, 1},      {Qt::Key_Right, 2},  {Qt::Key_Down, 3},
        {Qt::Key_PageDown, 28}, {Qt::Key_PageUp, 3},    {Qt::Key_PageUp, 1}, {Qt::Key_End, 60}};
    for (const auto& [key, draw] : steps) {
      QTest::keyClick(hs1, key);
      QCOMPARE(shown(mini), program.indexAndDate(draw));
    }
  }

  void searches_data() {
    QTest::addColumn<int>("button");      // 0: by index, 1: by date
    QTest::addColumn<QString>("answer");  // null: the input box is cancelled
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    QTest::newRow("index valid") << 0 << QString("2") << 2 << none;
    QTest::newRow("index cancel") << 0 << QString() << 5 << none;
    QTest::newRow("date valid") << 1 << QString("02/12/2025") << 2 << none;
    QTest::newRow("date without leading zeros")
        << 1 << QString("4/12/2025") << 5 << QStringList{"Data non trovata"};
    QTest::newRow("date cancel") << 1 << QString() << 5 << QStringList{"Data non trovata"};
  }
  void searches() {
    QFETCH(int, button);
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QFETCH(QStringList, messages);
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    if (answer.isNull())
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    QTest::mouseClick(mini->findChild<QPushButton*>(QString("Command42_%1").arg(button)),
                      Qt::LeftButton);
    QCOMPARE(program.dialogs.messages(), messages);
    QCOMPARE(shown(mini), program.indexAndDate(expected));
  }

  void highlightsToggleAndClear() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    auto* fG2 = mini->findChild<GridView*>("fG2");
    auto green = [fG2] {
      QStringList cells;
      for (int r = 0; r < fG2->grid().rows(); ++r)
        for (int c = 0; c < fG2->grid().cols(); ++c)
          if (fG2->grid().backColor(r, c) == kGreen) cells << QString("%1,%2").arg(r).arg(c);
      return cells.join(' ');
    };
    test::clickCell(fG2, 8, 3);
    test::clickCell(fG2, 2, 1);
    test::clickCell(fG2, 8, 3);  // twice: white again
    fG2->setCurrentCell(11, 5);  // Space on the current cell works as a click
    QTest::keyClick(fG2, Qt::Key_Space);
    QCOMPARE(green(), QString("2,1 11,5"));
    QTest::mouseClick(mini->findChild<QPushButton*>("Command81"), Qt::LeftButton);
    QCOMPARE(green(), QString());
    test::clickCell(fG2, 3, 3);  // moving to another draw clears them too
    QCOMPARE(green(), QString("3,3"));
    QTest::keyClick(mini->findChild<QScrollBar*>("hs1"), Qt::Key_Left);
    QCOMPARE(green(), QString());
  }

  void archiveReloadIsFollowedAtOnce() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    auto draws = fiveDraws();
    draws.push_back({"11/12/2025", {{"BA", {8, 18, 28, 38, 48}}}});
    draws.push_back({"12/12/2025", {{"BA", {9, 19, 29, 39, 49}}}});
    program.context.archiveForLoading() = test::makeArchive(draws);
    emit program.context.archiveReloaded();
    QCOMPARE(hs1->maximum(), 7);
    QCOMPARE(shown(mini), program.indexAndDate(5));  // the shown draw stays
    program.dialogs.answerText("7");
    mini->searchByIndex();
    QCOMPARE(shown(mini, 1), QString("7 | 12/12/2025 | PM=6   PA=7 | BA\t9\t19\t29\t39\t49"));
    // Fewer draws: the shown draw moves to the new last one.
    program.context.archiveForLoading() = test::makeArchive(fiveDraws());
    emit program.context.archiveReloaded();
    QCOMPARE(hs1->maximum(), 5);
    QCOMPARE(shown(mini), program.indexAndDate(5));
  }

  // The range labels follow a reload; closing the main window ends the program like "FINE".
  void mainWindowFollowsReloadsAndItsCloseEndsTheProgram() {
    Program program(fiveDraws());
    bool quit = false;
    program.context.setQuitAction([&quit] { quit = true; });
    auto* lblFine = program.main->findChild<QLabel*>("LblFine");
    QCOMPARE(lblFine->text(), QString("09/12/2025"));
    auto draws = fiveDraws();
    draws.push_back({"11/12/2025", {{"BA", {8, 18, 28, 38, 48}}}});
    program.context.archiveForLoading() = test::makeArchive(draws);
    emit program.context.archiveReloaded();
    QCOMPARE(lblFine->text(), QString("11/12/2025"));
    QCOMPARE(program.main->findChild<GridView*>("fgpa")->grid().rows(), 7);
    program.openMiniList();
    QVERIFY(program.main->close());
    QVERIFY(quit);
  }

  void drawListShowsWhatItsOpenerFills() {
    test::ScriptedDialogs dialogs;
    ElencoEstrazioni list(dialogs);
    list.show();
    auto* fgE = list.findChild<GridView*>("FgE");
    Grid lines = drawListWindowGrid();
    for (int d = 1; d <= 200; ++d)
      lines.addRow({"1", std::to_string(d), "01/01/2000", "BA", "1", "2", "3", "4", "5"});
    list.fill(lines, "7  17  27");
    QCOMPARE(list.findChild<QLabel*>("Label1")->text(), QString("7  17  27"));
    QCOMPARE(fgE->topRow(), 1);
    QTest::mouseClick(list.findChild<QPushButton*>("Command58"), Qt::LeftButton);
    const QModelIndex last = fgE->model()->index(fgE->gridModel().modelRow(200), 0);
    QVERIFY(fgE->viewport()->rect().contains(fgE->visualRect(last)));
    QTest::mouseClick(list.findChild<QPushButton*>("Command57"), Qt::LeftButton);
    QCOMPARE(fgE->topRow(), 1);
  }

  void pickerReportsTheChosenNumberAndCloses_data() {
    QTest::addColumn<QList<int>>("keys");  // none: a click on 90
    QTest::addColumn<QList<int>>("picked");
    QTest::newRow("click on 90") << QList<int>{} << QList<int>{90};
    QTest::newRow("arrows then Enter")
        << QList<int>{Qt::Key_Down, Qt::Key_Right, Qt::Key_Return} << QList<int>{12};
    QTest::newRow("Space") << QList<int>{Qt::Key_Space} << QList<int>{1};
    QTest::newRow("Esc chooses nothing") << QList<int>{Qt::Key_Escape} << QList<int>{};
  }
  void pickerReportsTheChosenNumberAndCloses() {
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, picked);
    RecordingClient client;
    test::ScriptedDialogs dialogs;
    Numeri picker(client, dialogs);
    picker.show();
    const int reference[] = {3};
    picker.markNumbers(reference);
    const Grid& board = picker.board().grid();
    QCOMPARE(board.backColor(0, 2), kGreen);
    if (keys.isEmpty()) test::clickCell(&picker.board(), 8, 9);
    for (const int key : keys) QTest::keyClick(&picker.board(), static_cast<Qt::Key>(key));
    QCOMPARE(client.picked, picked);
    for (const int n : picked) QCOMPARE(board.backColor((n - 1) / 10, (n - 1) % 10), kYellow);
    QVERIFY(!picker.isVisible());
    QCOMPARE(picker.result(), int(picked.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
  }
};

QTEST_MAIN(BrowsingViewsTest)
#include "browsing_views_test.moc"
