// The mini draw list, the draw list and the number picker, driven as a user would.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "core/draw_views.h"
#include "gui/shell/app_context.h"
#include "gui/shell/draw_list_window.h"
#include "gui/shell/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/shell/number_picker.h"
#include "gui/support/scripted_dialogs.h"
#include "support/test_archive.h"

using namespace quintello;

namespace {

// Five draws; the last is the fourth of December 2025 and the fifth of its year.
std::vector<test::TestDraw> fiveDraws() {
  return {
      {"25/11/2025", {{"BA", {1, 2, 3, 4, 5}}}},
      {"02/12/2025", {{"BA", {10, 20, 30, 40, 50}}}},
      {"04/12/2025", {{"CA", {11, 22, 33, 44, 55}}}},
      {"05/12/2025", {{"BA", {6, 16, 26, 36, 46}}, {"NZ", {90, 81, 72, 63, 54}}}},
      {"09/12/2025", {{"RO", {7, 17, 27, 37, 47}}}},
  };
}

// The program after "PROCEDI": a context holding the archive and the main window.
struct Program {
  explicit Program(const std::vector<test::TestDraw>& draws)
      : context(ProgramFiles(dir.path()), dialogs, dir.file("nessuno.txt")) {
    context.setQuitAction([] {});
    context.archive() = test::makeArchive(draws);
    main = std::make_unique<MainWindow>(context);
    main->show();
  }

  Estrazioni_minielenco* openMiniList() {
    QTest::mouseClick(main->findChild<QPushButton*>("Command5"), Qt::LeftButton);
    return main->findChild<Estrazioni_minielenco*>();
  }

  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  AppContext context;
  std::unique_ptr<MainWindow> main;
};

// What the mini list shows: index, date, ordinals and the numbers of one wheel.
struct Shown {
  QString index, date, ordinals;
  std::string wheel;
};

Shown shown(Estrazioni_minielenco* mini, int wheelRow = 1) {
  const Grid& grid = mini->findChild<GridView*>("fG2")->grid();
  return {mini->findChild<QLabel*>("Label2")->text(), mini->findChild<QLabel*>("Label1")->text(),
          mini->findChild<QLabel*>("Label3")->text(), grid.clipText({wheelRow, 0, wheelRow, 5})};
}

void clickCell(GridView* view, int gridRow, int col) {
  const QModelIndex index = view->model()->index(view->gridModel().modelRow(gridRow), col);
  QVERIFY(index.isValid());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

class RecordingClient : public NumberPickerClient {
 public:
  void numberPicked(int number) override { picked.push_back(number); }
  std::vector<int> picked;
};

}  // namespace

class BrowsingViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void miniListOpensOnTheLatestDraw() {
    Program program(fiveDraws());
    auto* command5 = program.main->findChild<QPushButton*>("Command5");
    QVERIFY(command5->isEnabled());
    QCOMPARE(command5->text(), QString("Mini elenco estrazioni"));
    auto* mini = program.openMiniList();
    QVERIFY(mini);
    QVERIFY(mini->isVisible());
    const Shown latest = shown(mini, 8);
    QCOMPARE(latest.index, QString("5"));
    QCOMPARE(latest.date, QString("09/12/2025"));
    QCOMPARE(latest.ordinals, QString("PM=4   PA=5"));
    QCOMPARE(latest.wheel, std::string("RO\t7\t17\t27\t37\t47"));
    // A wheel without a draw that day shows five zeros.
    QCOMPARE(shown(mini, 1).wheel, std::string("BA\t0\t0\t0\t0\t0"));
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    QCOMPARE(hs1->minimum(), 1);
    QCOMPARE(hs1->maximum(), 5);
    QCOMPARE(hs1->value(), 5);
    QCOMPARE(hs1->singleStep(), 1);
    QCOMPARE(hs1->pageStep(), 25);
    // The header as the program names it, and the buttons' tooltips.
    const Grid& grid = mini->findChild<GridView*>("fG2")->grid();
    QCOMPARE(grid.clipText({0, 0, 0, 5}), std::string("Ruota\t N1 \t N2 \t N3 \t N4 \t N5 "));
    QCOMPARE(mini->findChild<QPushButton*>("Command42_0")->toolTip(),
             QString("Ricerca per numero indice"));
    QCOMPARE(mini->findChild<QPushButton*>("Command42_1")->toolTip(),
             QString("Cerca estrazione per data"));
    QCOMPARE(program.context.help().file(), QString("Cimavert.chm"));
    QCOMPARE(Help::pageFor("Cimavert.chm"), QString("qrc:/help/Cimavert.html"));
  }

  void miniListSetsItsHelpWhenActivated() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    program.context.help().setFile("helpquintello.chm");  // another window had the focus
    program.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(program.main.get()));
    mini->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mini));
    QCOMPARE(program.context.help().file(), QString("Cimavert.chm"));
    QTest::keyClick(mini, Qt::Key_F1);
    QVERIFY(program.context.help().window());
    QVERIFY(program.context.help().window()->toPlainText().contains("Data non trovata"));
  }

  void miniListIsASingleInstanceAndReopensAfterClosing() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    QTest::keyClick(mini->findChild<QScrollBar*>("hs1"), Qt::Key_Left);
    QCOMPARE(mini->shownDraw(), 4);
    QCOMPARE(program.openMiniList(), mini);  // the same window, where the user left it
    QCOMPARE(program.main->findChildren<Estrazioni_minielenco*>().size(), qsizetype(1));
    QCOMPARE(mini->shownDraw(), 4);
    mini->close();
    QTRY_VERIFY(program.main->findChildren<Estrazioni_minielenco*>().isEmpty());
    auto* again = program.openMiniList();
    QVERIFY(again);
    QCOMPARE(again->shownDraw(), 5);
  }

  void scrollBarAnswersArrowAndPageKeys_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("left") << 60 << int(Qt::Key_Left) << 59;
    QTest::newRow("right at the end") << 60 << int(Qt::Key_Right) << 60;
    QTest::newRow("page up") << 60 << int(Qt::Key_PageUp) << 35;
    QTest::newRow("page down at the end") << 60 << int(Qt::Key_PageDown) << 60;
    QTest::newRow("home") << 60 << int(Qt::Key_Home) << 1;
    QTest::newRow("up") << 60 << int(Qt::Key_Up) << 59;
    QTest::newRow("page up near the start") << 20 << int(Qt::Key_PageUp) << 1;
  }
  void scrollBarAnswersArrowAndPageKeys() {
    QFETCH(int, draws);
    QFETCH(int, key);
    QFETCH(int, expected);
    Program program(test::weeklyDraws(draws));
    auto* mini = program.openMiniList();
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    QCOMPARE(hs1->focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(hs1, static_cast<Qt::Key>(key));
    QCOMPARE(mini->shownDraw(), expected);
    const DrawArchive& archive = program.context.archive();
    const Shown now = shown(mini, 11);
    QCOMPARE(now.index, QString::number(expected));
    QCOMPARE(now.date, QString::fromStdString(archive.dateText(expected)));
    QCOMPARE(now.ordinals, QString::fromStdString(ordinalsText(archive, expected)));
    std::string nazionale = "NZ";
    for (int k = 1; k <= 5; ++k)
      nazionale += "\t" + std::to_string(archive.number(expected, 10, k));
    QCOMPARE(now.wheel, nazionale);
  }

  void scrollBarGoesBothWays() {
    Program program(test::weeklyDraws(60));
    auto* mini = program.openMiniList();
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Home, 1},      {Qt::Key_Right, 2},
                                             {Qt::Key_PageDown, 27}, {Qt::Key_Left, 26},
                                             {Qt::Key_PageUp, 1},    {Qt::Key_End, 60}};
    for (const auto& [key, draw] : steps) {
      QTest::keyClick(hs1, key);
      QCOMPARE(mini->shownDraw(), draw);
      QCOMPARE(shown(mini).index, QString::number(draw));
    }
  }

  void searchByIndex_data() {
    QTest::addColumn<QString>("answer");  // "<annulla>" cancels the input box
    QTest::addColumn<int>("expected");
    QTest::newRow("valid") << "2" << 2;
    QTest::newRow("first") << "1" << 1;
    QTest::newRow("blanks around") << " 3 " << 3;
    QTest::newRow("zero") << "0" << 5;
    QTest::newRow("N+1") << "6" << 5;
    QTest::newRow("negative") << "-2" << 5;
    QTest::newRow("not numeric") << "tre" << 5;
    QTest::newRow("empty") << "" << 5;
    QTest::newRow("cancel") << "<annulla>" << 5;
  }
  void searchByIndex() {
    QFETCH(QString, answer);
    QFETCH(int, expected);
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    if (answer == "<annulla>")
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    QTest::mouseClick(mini->findChild<QPushButton*>("Command42_0"), Qt::LeftButton);
    QCOMPARE(program.dialogs.shown().size(), size_t(1));  // the input box, never a message
    QCOMPARE(program.dialogs.shown()[0].kind, QString("input"));
    QCOMPARE(program.dialogs.shown()[0].text,
             QString("Inserire il n° indice dell'archivio modello."));
    QCOMPARE(program.dialogs.shown()[0].title, QString("Scelta estrazione"));
    QCOMPARE(mini->shownDraw(), expected);
    QCOMPARE(shown(mini).index, QString::number(expected));
    QCOMPARE(shown(mini).date,
             QString::fromStdString(program.context.archive().dateText(expected)));
  }

  void searchByDate_data() {
    QTest::addColumn<QString>("answer");  // "<annulla>" cancels the input box
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("notFound");
    QTest::newRow("found") << "02/12/2025" << 2 << false;
    QTest::newRow("first draw") << "25/11/2025" << 1 << false;
    QTest::newRow("no leading zeros") << "4/12/2025" << 5 << true;
    QTest::newRow("two-digit year") << "04/12/25" << 5 << true;
    QTest::newRow("no draw that day") << "03/12/2025" << 5 << true;
    QTest::newRow("empty") << "" << 5 << true;
    QTest::newRow("cancel") << "<annulla>" << 5 << false;
  }
  void searchByDate() {
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QFETCH(bool, notFound);
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    if (answer == "<annulla>")
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    QTest::mouseClick(mini->findChild<QPushButton*>("Command42_1"), Qt::LeftButton);
    const auto& dialogs = program.dialogs.shown();
    QCOMPARE(dialogs[0].text, QString("Data ?"));
    QCOMPARE(dialogs[0].title, QString("Ricerca per data GG/MM/AAAA"));
    QCOMPARE(mini->shownDraw(), expected);
    QCOMPARE(shown(mini).date,
             QString::fromStdString(program.context.archive().dateText(expected)));
    if (notFound) {
      QCOMPARE(dialogs.size(), size_t(2));
      QCOMPARE(dialogs[1].text, QString("Data non trovata"));
      QCOMPARE(dialogs[1].title, QString("Cerca data"));
      QCOMPARE(dialogs[1].icon, Dialogs::Icon::Information);
    } else {
      QCOMPARE(dialogs.size(), size_t(1));
    }
  }

  void highlightsToggleAndClear() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    auto* fG2 = mini->findChild<GridView*>("fG2");
    auto back = [&](int row, int col) { return fG2->grid().backColor(row, col); };
    clickCell(fG2, 8, 3);
    QCOMPARE(back(8, 3), kGreen);
    clickCell(fG2, 2, 1);
    QCOMPARE(back(2, 1), kGreen);
    clickCell(fG2, 8, 3);  // twice: white again
    QCOMPARE(back(8, 3), kWhite);
    QCOMPARE(back(2, 1), kGreen);
    // The wheel codes are not numbers to highlight.
    clickCell(fG2, 4, 0);
    QCOMPARE(back(4, 0), fG2->grid().backColor(5, 0));
    QVERIFY(!fG2->grid().hasBackColor(4, 0));
    // Space on the current cell works as a click.
    fG2->setCurrentCell(11, 5);
    QTest::keyClick(fG2, Qt::Key_Space);
    QCOMPARE(back(11, 5), kGreen);

    QTest::mouseClick(mini->findChild<QPushButton*>("Command81"), Qt::LeftButton);
    for (int r = 1; r <= 11; ++r)
      for (int c = 1; c <= 5; ++c) QCOMPARE(back(r, c), kWhite);

    // Moving to another draw clears them too.
    clickCell(fG2, 3, 3);
    QTest::keyClick(mini->findChild<QScrollBar*>("hs1"), Qt::Key_Left);
    QCOMPARE(back(3, 3), kWhite);
  }

  void archiveReloadIsAdoptedByTheNextChange() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    auto* hs1 = mini->findChild<QScrollBar*>("hs1");
    // A reload brings two more draws.
    auto draws = fiveDraws();
    draws.push_back({"11/12/2025", {{"BA", {8, 18, 28, 38, 48}}}});
    draws.push_back({"12/12/2025", {{"BA", {9, 19, 29, 39, 49}}}});
    program.context.archive() = test::makeArchive(draws);
    QCOMPARE(hs1->maximum(), 5);  // nothing happens until the next change
    QTest::keyClick(hs1, Qt::Key_Left);
    QCOMPARE(hs1->maximum(), 7);
    QCOMPARE(mini->shownDraw(), 4);
    QTest::keyClick(hs1, Qt::Key_End);
    QCOMPARE(shown(mini).index, QString("7"));
    QCOMPARE(shown(mini).date, QString("12/12/2025"));
    QCOMPARE(shown(mini).ordinals, QString("PM=6   PA=7"));
    QCOMPARE(shown(mini).wheel, std::string("BA\t9\t19\t29\t39\t49"));

    // Coming back to the window after another reload follows the archive at once.
    draws.push_back({"16/12/2025", {{"BA", {2, 12, 22, 32, 42}}}});
    program.context.archive() = test::makeArchive(draws);
    program.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(program.main.get()));
    mini->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mini));
    QCOMPARE(hs1->maximum(), 8);
    QCOMPARE(mini->shownDraw(), 7);
    QTest::keyClick(hs1, Qt::Key_Right);
    QCOMPARE(shown(mini).date, QString("16/12/2025"));
  }

  void searchesReachTheDrawsOfAReloadedArchive() {
    Program program(fiveDraws());
    auto* mini = program.openMiniList();
    auto draws = fiveDraws();
    draws.push_back({"11/12/2025", {{"BA", {8, 18, 28, 38, 48}}}});
    program.context.archive() = test::makeArchive(draws);
    program.dialogs.answerText("6");
    mini->searchByIndex();
    QCOMPARE(mini->shownDraw(), 6);
    QCOMPARE(shown(mini).date, QString("11/12/2025"));
    // And a smaller archive: a draw that no longer exists is out of range, the others move
    // the scroll bar within the new bounds.
    program.context.archive() = test::makeArchive(fiveDraws());
    program.dialogs.answerText("6");
    mini->searchByIndex();
    QCOMPARE(mini->shownDraw(), 6);
    program.dialogs.answerText("4");
    mini->searchByIndex();
    QCOMPARE(mini->findChild<QScrollBar*>("hs1")->maximum(), 5);
    QCOMPARE(mini->shownDraw(), 4);
    QCOMPARE(shown(mini).date, QString("05/12/2025"));
  }

  void drawListShowsWhatItsOpenerFills() {
    ElencoEstrazioni list;
    list.show();
    QCOMPARE(list.objectName(), QString("ElencoEstrazioni"));
    auto* fgE = list.findChild<GridView*>("FgE");
    QCOMPARE(fgE->grid().clipText(),
             std::string("Rif  \tN° Estr\tData Estraz  \tRuota\tN1\tN2\tN3\tN4\tN5\tQN"));
    QCOMPARE(list.findChild<QPushButton*>("Command57")->text(), QString("Prima riga"));
    QCOMPARE(list.findChild<QPushButton*>("Command58")->text(), QString("Ultima riga"));

    Grid lines = drawListWindowGrid();
    for (int d = 1; d <= 200; ++d)
      lines.addRow({"1", std::to_string(d), "01/01/2000", "BA", "1", "2", "3", "4", "5"});
    lines.setBackColor(200, 4, kGreen);
    list.fill(lines, "7  17  27");
    QCOMPARE(list.findChild<QLabel*>("Label1")->text(), QString("7  17  27"));
    QCOMPARE(fgE->grid().rows(), 201);
    QCOMPARE(fgE->grid().backColor(200, 4), kGreen);
    QCOMPARE(fgE->topRow(), 1);

    QTest::mouseClick(list.findChild<QPushButton*>("Command58"), Qt::LeftButton);
    QVERIFY(fgE->topRow() > 150);
    const QModelIndex last = fgE->model()->index(fgE->gridModel().modelRow(200), 0);
    QVERIFY(fgE->viewport()->rect().contains(fgE->visualRect(last)));
    QTest::mouseClick(list.findChild<QPushButton*>("Command57"), Qt::LeftButton);
    QCOMPARE(fgE->topRow(), 1);

    // Refilling replaces the lines.
    list.fill(drawListWindowGrid(), "");
    QCOMPARE(fgE->grid().rows(), 1);
  }

  void pickerReportsTheClickedNumberAndCloses_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("number");
    QTest::newRow("90, bottom right") << 8 << 9 << 90;
    QTest::newRow("1, top left") << 0 << 0 << 1;
    QTest::newRow("45") << 4 << 4 << 45;
    QTest::newRow("81, bottom left") << 8 << 0 << 81;
  }
  void pickerReportsTheClickedNumberAndCloses() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, number);
    RecordingClient client;
    Numeri picker(client);
    picker.show();
    QCOMPARE(picker.findChild<QLabel*>("Label1")->text(), QString("Effettuare un solo click"));
    auto* fg1 = picker.findChild<GridView*>("Fg1");
    QVERIFY(fg1->horizontalHeader()->isHidden());
    QCOMPARE(fg1->grid().text(row, col), std::to_string(number));
    clickCell(fg1, row, col);
    QCOMPARE(client.picked, std::vector<int>{number});
    QCOMPARE(fg1->grid().backColor(row, col), kYellow);
    QVERIFY(!picker.isVisible());
    QCOMPARE(picker.result(), int(QDialog::Accepted));
  }

  void pickerMarksNumbersAndAnswersTheKeyboard() {
    RecordingClient client;
    Numeri picker(client);
    picker.show();
    const int reference[] = {3, 33, 90};
    picker.markNumbers(reference);
    const Grid& board = picker.board().grid();
    QCOMPARE(board.backColor(0, 2), kGreen);
    QCOMPARE(board.backColor(3, 2), kGreen);
    QCOMPARE(board.backColor(8, 9), kGreen);
    QCOMPARE(board.backColor(0, 0), kWhite);
    // Arrow keys move, Enter picks.
    picker.board().setCurrentCell(0, 0);
    QTest::keyClick(&picker.board(), Qt::Key_Down);
    QTest::keyClick(&picker.board(), Qt::Key_Right);
    QTest::keyClick(&picker.board(), Qt::Key_Return);
    QCOMPARE(client.picked, std::vector<int>{12});
    QVERIFY(!picker.isVisible());
  }

  void pickerClosedWithEscapeReportsNothing() {
    RecordingClient client;
    Numeri picker(client);
    picker.show();
    QTest::keyClick(&picker.board(), Qt::Key_Escape);
    QVERIFY(client.picked.empty());
    QVERIFY(!picker.isVisible());
    QCOMPARE(picker.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(BrowsingViewsTest)
#include "browsing_views_test.moc"
