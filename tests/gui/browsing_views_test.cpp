// The mini draw list's wiring; its grid's rules are tested in core.

#include "core/draw_views.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/support/program.h"

using namespace quintello;
using test::the;

namespace {

struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws = test::fiveDraws())
      : test::Program(draws) {
    test::click(main.get(), "Command5");
    mini = main->findChild<Estrazioni_minielenco*>();
    fG2 = the<GridView>(mini, "fG2");
    hs1 = the<QScrollBar>(mini, "hs1");
  }
  Grid rendered(int draw) {
    Grid grid = miniListGrid();
    showDrawInMiniList(grid, context.archive(), draw);
    return grid;
  }
  QString differsFrom(int draw) {
    const auto label = [this](const char* name) { return the<QLabel>(mini, name)->text(); };
    const QString shown = label("Label2") + ' ' + label("Label1") + ' ' + label("Label3");
    const DrawArchive& a = context.archive();
    if (shown.toStdString() !=
        std::to_string(draw) + ' ' + a.dateText(draw) + ' ' + ordinalsText(a, draw))
      return shown;
    return test::differences(fG2, rendered(draw));
  }

  Estrazioni_minielenco* mini = nullptr;
  GridView* fG2 = nullptr;
  QScrollBar* hs1 = nullptr;
};

}  // namespace

class BrowsingViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void miniListOpensOnceOnTheLatestDrawAndAnswersTheKeys() {
    Program p(test::weeklyDraws(60));
    QCOMPARE(p.differsFrom(60), QString());
    for (const auto modifier : {Qt::NoModifier, Qt::ShiftModifier}) {  // Tab leaves the grid
      p.fG2->setFocus();
      QTest::keyClick(p.fG2, Qt::Key_Tab, modifier);
      QVERIFY(!p.fG2->hasFocus());
    }
    // Left, Up and Page Up go to older draws, Right, Down and Page Down to newer ones.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 60}, {Qt::Key_Left, 59}, {Qt::Key_Up, 58},       {Qt::Key_PageUp, 33},
        {Qt::Key_Home, 1},   {Qt::Key_Down, 2},  {Qt::Key_PageDown, 27}, {Qt::Key_End, 60}};
    for (const auto& [key, draw] : steps) {
      QTest::keyClick(p.hs1, key);
      QCOMPARE(p.differsFrom(draw), QString());
    }
    // Asked again: the same window, where the user left it; closed, it opens afresh.
    QTest::keyClick(p.hs1, Qt::Key_Left);
    test::click(p.main.get(), "Command5");
    QCOMPARE(p.main->findChildren<Estrazioni_minielenco*>(), QList{p.mini});
    QCOMPARE(p.differsFrom(59), QString());
    p.mini->close();
    QTRY_VERIFY(p.main->findChildren<Estrazioni_minielenco*>().isEmpty());
    test::click(p.main.get(), "Command5");
    QCOMPARE(p.main->findChild<Estrazioni_minielenco*>()->shownDraw(), 60);
  }

  // Searches, highlights, reloads followed; closing the main window ends the program.
  void searchesHighlightsAndReloads() {
    Program p;
    bool quit = false;
    p.context.setQuitAction([&quit] { quit = true; });
    for (const auto& [button, answer, draw] : {std::tuple{"Command42_0", "2", 2},
                                               {"Command42_1", "04/12/2025", 3},
                                               {"Command42_1", nullptr, 3}}) {
      answer ? p.dialogs.answerText(answer) : p.dialogs.answerCancel();
      test::click(p.mini, button);
      QCOMPARE(p.differsFrom(draw), QString());
    }
    QCOMPARE(p.dialogs.messages(), QStringList{"Data non trovata"});
    Grid expected = p.rendered(3);
    for (const auto& [row, col] : {std::pair{8, 3}, {2, 1}, {8, 3}}) {
      test::clickCell(p.fG2, row, col);
      toggleHighlight(expected, row, col);
    }
    p.fG2->setCurrentCell(11, 5);  // Space on the current cell works as a click
    QTest::keyClick(p.fG2, Qt::Key_Space);
    toggleHighlight(expected, 11, 5);
    QCOMPARE(test::differences(p.fG2, expected), QString());
    test::click(p.mini, "Command81");
    QCOMPARE(p.differsFrom(3), QString());
    test::clickCell(p.fG2, 3, 3);  // moving to another draw clears them too
    QTest::keyClick(p.hs1, Qt::Key_Left);
    QCOMPARE(p.differsFrom(2), QString());
    p.reload(test::weeklyDraws(7));
    QCOMPARE(p.differsFrom(2), QString());  // the shown draw stays
    QTest::keyClick(p.hs1, Qt::Key_End);
    p.reload(test::fiveDraws());
    QCOMPARE(p.differsFrom(5), QString());  // fewer draws: it moves to the new last one
    QVERIFY(p.main->close());
    QVERIFY(quit);
  }
};

QTEST_MAIN(BrowsingViewsTest)
#include "browsing_views_test.moc"
