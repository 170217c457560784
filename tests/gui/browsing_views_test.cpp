// The mini draw list, the draw list and the number picker, driven as a user would. The grids'
// rules (wheels, highlights, index and date answers) are tested in core; here, the wiring.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "core/draw_views.h"
#include "gui/common/grid_view.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/number_picker.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"

using namespace quintello;
using test::the;

namespace {

// The program after "PROCEDI" with its mini draw list open.
struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws = test::fiveDraws())
      : test::Program(draws) {
    mini = openMiniList();
  }
  Estrazioni_minielenco* openMiniList() {
    test::click(main.get(), "Command5");
    return main->findChild<Estrazioni_minielenco*>();
  }
  GridView* fG2() { return the<GridView>(mini, "fG2"); }
  QScrollBar* hs1() { return the<QScrollBar>(mini, "hs1"); }
  Grid rendered(int draw) {
    Grid grid = miniListGrid();
    showDrawInMiniList(grid, context.archive(), draw);
    return grid;
  }
  // The labels and the grid against the core's view of the draw; empty when they agree.
  QString differsFrom(int draw) {
    const auto label = [this](const char* name) { return the<QLabel>(mini, name)->text(); };
    const QString shown = label("Label2") + ' ' + label("Label1") + ' ' + label("Label3");
    const DrawArchive& archive = context.archive();
    if (shown != QString("%1 %2 %3")
                     .arg(draw)
                     .arg(archive.dateText(draw).c_str(), ordinalsText(archive, draw).c_str()))
      return shown;
    return test::differences(fG2(), rendered(draw));
  }
  void activate(QWidget* window) {
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }
  void reload(const std::vector<test::TestDraw>& draws) {
    context.archiveForLoading() = test::makeArchive(draws);
    emit context.archiveReloaded();
  }

  Estrazioni_minielenco* mini = nullptr;
};

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
    Program program;
    QCOMPARE(program.differsFrom(5), QString());
    // Its help page, also after another window had the focus; Esc closes the help.
    program.context.help().setFile("helpquintello.chm");
    program.activate(program.mini);
    QTest::keyClick(program.mini, Qt::Key_F1);
    QWidget* help = program.context.help().window();
    QVERIFY(program.context.help().window()->toPlainText().contains("Data non trovata"));
    program.activate(help);
    QTest::keyClick(help, Qt::Key_Escape);
    QVERIFY(!help->isVisible());
    // Asked again: the same window, where the user left it; closed, it opens afresh.
    QTest::keyClick(program.hs1(), Qt::Key_Left);
    QCOMPARE(program.openMiniList(), program.mini);
    QCOMPARE(program.differsFrom(4), QString());
    program.mini->close();
    QTRY_VERIFY(program.main->findChildren<Estrazioni_minielenco*>().isEmpty());
    QCOMPARE(program.openMiniList()->shownDraw(), 5);
  }

  void scrollBarAnswersArrowAndPageKeys() {
    Program program(test::weeklyDraws(60));
    // Left, Up and Page Up go to older draws, Right, Down and Page Down to newer ones.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 60}, {Qt::Key_Left, 59},     {Qt::Key_Up, 58},    {Qt::Key_PageUp, 33},
        {Qt::Key_Home, 1},   {Qt::Key_Down, 2},      {Qt::Key_PageUp, 1}, {Qt::Key_PageDown, 26},
        {Qt::Key_End, 60},   {Qt::Key_PageDown, 60}, {Qt::Key_Right, 60}};
    for (const auto& [key, draw] : steps) {
      QTest::keyClick(program.hs1(), key);
      QCOMPARE(program.differsFrom(draw), QString());
    }
  }

  void searches_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");  // null: the input box is cancelled
    QTest::addColumn<int>("draw");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("index") << "Command42_0"
                           << "2" << 2 << QStringList();
    QTest::newRow("date") << "Command42_1"
                          << "02/12/2025" << 2 << QStringList();
    QTest::newRow("date cancelled")
        << "Command42_1" << QString() << 5 << QStringList{"Data non trovata"};
  }
  void searches() {
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(int, draw);
    QFETCH(QStringList, messages);
    Program program;
    if (answer.isNull())
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    test::click(program.mini, button);
    QCOMPARE(program.dialogs.messages(), messages);
    QCOMPARE(program.differsFrom(draw), QString());
  }

  void highlightsToggleAndClear() {
    Program program;
    Grid expected = program.rendered(5);
    for (const auto& [row, col] : {std::pair{8, 3}, {2, 1}, {8, 3}}) {
      test::clickCell(program.fG2(), row, col);
      toggleHighlight(expected, row, col);
    }
    program.fG2()->setCurrentCell(11, 5);  // Space on the current cell works as a click
    QTest::keyClick(program.fG2(), Qt::Key_Space);
    toggleHighlight(expected, 11, 5);
    QCOMPARE(test::differences(program.fG2(), expected), QString());
    test::click(program.mini, "Command81");
    QCOMPARE(program.differsFrom(5), QString());
    test::clickCell(program.fG2(), 3, 3);  // moving to another draw clears them too
    QTest::keyClick(program.hs1(), Qt::Key_Left);
    QCOMPARE(program.differsFrom(4), QString());
  }

  // The mini list and the main window follow a reload; closing the main window ends the
  // program like "FINE".
  void reloadsAreFollowedAndClosingTheMainWindowEndsTheProgram() {
    Program program;
    bool quit = false;
    program.context.setQuitAction([&quit] { quit = true; });
    auto draws = test::fiveDraws();
    draws.push_back({"11/12/2025", {{"BA", {8, 18, 28, 38, 48}}}});
    draws.push_back({"12/12/2025", {{"BA", {9, 19, 29, 39, 49}}}});
    program.reload(draws);
    QCOMPARE(program.differsFrom(5), QString());  // the shown draw stays
    QCOMPARE(program.hs1()->maximum(), 7);
    QCOMPARE(program.main->findChild<QLabel*>("LblFine")->text(), QString("12/12/2025"));
    QCOMPARE(program.main->findChild<GridView*>("fgpa")->grid().rows(), 8);
    QTest::keyClick(program.hs1(), Qt::Key_End);
    program.reload(test::fiveDraws());  // fewer draws: it moves to the new last one
    QCOMPARE(program.differsFrom(5), QString());
    QVERIFY(program.main->close());
    QVERIFY(quit);
  }

  void drawListButtonsGoToTheEnds() {
    test::ScriptedDialogs dialogs;
    ElencoEstrazioni list(dialogs);
    list.show();
    auto* fgE = the<GridView>(&list, "FgE");
    Grid lines = drawListWindowGrid();
    for (int d = 1; d <= 200; ++d)
      lines.addRow({"1", std::to_string(d), "01/01/2000", "BA", "1", "2", "3", "4", "5"});
    list.fill(lines, "7  17  27");
    QCOMPARE(list.label(), QString("7  17  27"));
    test::click(&list, "Command58");
    const QModelIndex last = fgE->model()->index(fgE->gridModel().modelRow(200), 0);
    QVERIFY(fgE->viewport()->rect().contains(fgE->visualRect(last)));
    test::click(&list, "Command57");
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
    QCOMPARE(picker.board().grid().backColor(0, 2), kGreen);
    if (keys.isEmpty()) test::clickCell(&picker.board(), 8, 9);
    for (const int key : keys) QTest::keyClick(&picker.board(), static_cast<Qt::Key>(key));
    QCOMPARE(client.picked, picked);
    for (const int n : picked)
      QCOMPARE(picker.board().grid().backColor((n - 1) / 10, (n - 1) % 10), kYellow);
    QVERIFY(!picker.isVisible());
    QCOMPARE(picker.result(), int(picked.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
  }
};

QTEST_MAIN(BrowsingViewsTest)
#include "browsing_views_test.moc"
