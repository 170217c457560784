// The Quintello window and its report windows, driven with the mouse and the keyboard as a
// user would. The method's rules are tested on the session in core; here, that every control
// reaches the right command and that every grid and label shows what the session renders.
#include "gui/quintello/quintello_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>

#include "gui/common/app_context.h"
#include "gui/common/grid_model.h"
#include "gui/common/grid_view.h"
#include "gui/quintello/chance_window.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/report_windows.h"
#include "gui/shell/main_window.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;
using quintello::test::click;
using quintello::test::clickCell;
using quintello::test::differences;
using quintello::test::the;

namespace {

GridView* grid(const QObject* window, const QString& name) { return the<GridView>(window, name); }

QString text(const QObject* window, const QString& label) {
  return the<QLabel>(window, label)->text();
}

// A label's caption and colours as "text back fore".
QString shown(const QLabel* label) {
  const QPalette palette = label->palette();
  return label->text() + ' ' + palette.color(QPalette::Window).name() + ' ' +
         palette.color(QPalette::WindowText).name();
}
QString shown(const Label& label) {
  return QString::fromStdString(label.text) + ' ' + toQColor(label.back).name() + ' ' +
         toQColor(label.fore).name();
}

void doubleClickCell(GridView* view, int gridRow, int col) {
  const QModelIndex index = view->model()->index(view->gridModel().modelRow(gridRow), col);
  QVERIFY2(index.isValid(), qPrintable(view->objectName()));
  view->scrollTo(index);
  // As a mouse gives it: a click, then the double click and its release.
  const QPoint at = view->visualRect(index).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

// The tab pages: 0 "Selezione", 1 "Elenco", 2 "Coppie".
void openTab(const QObject* window, int page) {
  auto* tabs = the<QTabWidget>(window, "SSTab1");
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(page).center());
  QCOMPARE(tabs->currentIndex(), page);
}

// Picks an entry of a drop-down list with the keyboard: Home, then Down until it is current.
// Each key is a choice, as on the real list.
void type(const QObject* window, const QString& list, const QString& entry) {
  auto* combo = the<QComboBox>(window, list);
  const int target = combo->findText(entry);
  QVERIFY2(target >= 0, qPrintable(entry));
  QTest::keyClick(combo, Qt::Key_Home);
  for (int i = 0; i < target; ++i) QTest::keyClick(combo, Qt::Key_Down);
  QCOMPARE(combo->currentText(), entry);
}

// A click on a number of the board Fg90 (row by row, ten to a row).
void clickBoard(const QObject* window, int number) {
  clickCell(grid(window, "Fg90"), (number - 1) / 10, (number - 1) % 10);
}

// The program after "PROCEDI" with its main window.
struct Program : test::Program {
  using test::Program::Program;

  // "Quintello" on the main window.
  Quintello* open() {
    QTest::mouseClick(the<QPushButton>(main.get(), "Command2"), Qt::LeftButton);
    return main->findChild<Quintello*>();
  }

  void reload(DrawArchive archive) {
    context.archiveForLoading() = std::move(archive);
    emit context.archiveReloaded();
  }
};

// A session driven directly, as the window should have driven its own.
QuintelloSession referenceSession(const DrawArchive& archive, int number, int wheel, int colpi,
                                  int presences, int draw) {
  QuintelloSession session(archive);
  auto& in = session.inputs();
  in.NumeroCercato = number;
  in.RuotaRilevazione = in.RuotaGioco = wheel;
  in.Colpi = colpi;
  in.NumPresenze = presences;
  in.EstrazioneCorrente = draw;
  session.elenco();
  return session;
}

// Everything the window shows from the session, against a session's own renders.
QString windowDifferences(const Quintello* window, const QuintelloSession& expected, int draw) {
  const std::pair<const char*, Grid> grids[] = {
      {"Fg1", renderFg1(expected.list())},
      {"FgN", renderFgN(expected.list())},
      {"Fg_ZZ", renderFg_ZZ(expected.book())},
      {"Fg_CC", renderFg_CC(expected.search())},
      {"Fg9090", renderFg9090(expected.search())},
      {"FgU", renderFgU(expected.search())},
      {"Fg_I2", renderFg_I2(expected.search(), expected.combinationSize())},
      {"List3", renderList3(expected.search())},
      {"Fg90", renderFg90(expected.boardNumbers())},
      {"fga", expected.renderFga(draw)}};
  for (const auto& [name, rendered] : grids)
    if (QString d = differences(grid(window, name), rendered); !d.isEmpty()) return d;
  const QuintelloLabels labels = renderLabels(expected.list(), expected.book());
  const std::pair<const char*, Label> captions[] = {{"LBL_NC", labels.LBL_NC},
                                                    {"Label7", labels.Label7},
                                                    {"Lbl_T", labels.Lbl_T},
                                                    {"Lbl_S", labels.Lbl_S}};
  for (const auto& [name, label] : captions)
    if (shown(the<QLabel>(window, name)) != shown(label))
      return QString("%1: %2").arg(name, shown(the<QLabel>(window, name)));
  return {};
}

// Draws a week apart with numbers from a fixed pseudo-random sequence: play windows that no
// one forecast covers all at once.
std::vector<test::TestDraw> scatteredDraws(int count) {
  std::vector<test::TestDraw> draws = test::weeklyDraws(count);
  unsigned state = 12345;
  for (auto& draw : draws) {
    for (auto& wheel : draw.wheels) {
      auto& numbers = wheel.second;
      for (auto k = numbers.begin(); k != numbers.end(); ++k) {
        int n = 0;
        do {
          state = state * 1103515245u + 12345u;
          n = static_cast<int>((state >> 16) % 90) + 1;
        } while (std::find(numbers.begin(), k, n) != k);
        *k = static_cast<std::int16_t>(n);
      }
    }
  }
  return draws;
}

// Three draws; number 1 comes out on three wheels in the second.
std::vector<test::TestDraw> threeDraws() {
  return {{"02/12/2025", {{"BA", {5, 6, 7, 8, 9}}}},
          {"04/12/2025",
           {{"BA", {1, 2, 3, 4, 90}}, {"FI", {10, 1, 20, 30, 40}}, {"NZ", {2, 3, 4, 5, 1}}}},
          {"05/12/2025", {{"RO", {7, 17, 27, 37, 47}}}}};
}

}  // namespace

class QuintelloWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensFromTheMainWindowOnceOnNumberOneOnBariAtTheLastDraw() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    auto* command2 = the<QPushButton>(program.main.get(), "Command2");
    QVERIFY(command2->isEnabled());
    Quintello* window = program.open();
    QVERIFY(window && window->isVisible());
    QCOMPARE(program.context.help().file(), QString("helpquintello.chm"));
    // The opening sequence's "ELENCO" on the last draw.
    auto* hFine = the<QScrollBar>(window, "hFine");
    QCOMPARE(QString("%1 %2").arg(hFine->maximum()).arg(hFine->value()), QString("200 200"));
    const QString date = QString::fromStdString(program.context.archive().dateText(200));
    QCOMPARE(text(window, "labend"), "200 del " + date);
    const QuintelloSession expected =
        referenceSession(program.context.archive(), 1, 0, 12, 12, 200);
    QCOMPARE(windowDifferences(window, expected, 200), QString());
    // Asked again: the same window, brought to the front, with the help page on F1.
    program.main->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), program.main.get());
    program.context.help().setFile("Cimavert.chm");
    QTest::mouseClick(command2, Qt::LeftButton);
    QCOMPARE(program.main->findChildren<Quintello*>(), QList<Quintello*>{window});
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QCOMPARE(program.context.help().file(), QString("helpquintello.chm"));
    QTest::keyClick(window, Qt::Key_F1);
    QVERIFY(program.context.help().window()->toPlainText().contains("Verifica automatica"));
  }

  void fitsASmallScreenAndGrowsWithTheWindow() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    const QSize least = window->minimumSizeHint();
    QVERIFY2(least.width() <= 1366 && least.height() <= 700,
             qPrintable(QString("%1 x %2").arg(least.width()).arg(least.height())));
    window->resize(1366, 700);
    QApplication::processEvents();
    const QSize small = grid(window, "Fg1")->size();
    window->resize(1900, 1060);
    QApplication::processEvents();
    QVERIFY(grid(window, "Fg1")->width() > small.width());
    QVERIFY(grid(window, "Fg1")->height() > small.height());
    QVERIFY(grid(window, "Fg_ZZ")->height() > 200);
  }

  void detectionWheelAlsoChoosesTheGameWheelNotTheOtherWayRound() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    type(window, "ComboR", "RO");
    QCOMPARE(the<QComboBox>(window, "ComboG")->currentText(), QString("RO"));
    type(window, "ComboG", "NA");
    QCOMPARE(the<QComboBox>(window, "ComboR")->currentText(), QString("RO"));
    // Choosing wheels or colpi rebuilds nothing; "ELENCO" does.
    const std::string before = grid(window, "Fg1")->grid().clipText();
    type(window, "ComboC", "3");
    QCOMPARE(grid(window, "Fg1")->grid().clipText(), before);
    click(window, "Command1");
    QuintelloSession expected = referenceSession(program.context.archive(), 1, 7, 3, 12, 200);
    expected.inputs().RuotaGioco = 5;
    expected.elenco();
    QCOMPARE(differences(grid(window, "Fg1"), renderFg1(expected.list())), QString());
    QCOMPARE(QString::fromStdString(grid(window, "Fg1")->grid().clipText({1, 7, 1, 8})),
             QString("RO\tNA"));
  }

  void presencesChoiceAndDoubleClickRunTheList() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    type(window, "ComboPresenze", "6");
    QCOMPARE(text(window, "LBL_NC"), QString("6"));
    type(window, "ComboC", "3");
    const Grid& list = grid(window, "Fg1")->grid();
    QCOMPARE(list.value(6, 4) - list.value(6, 1), 12.0);  // still 12 colpi
    doubleClickCell(grid(window, "Fg1"), 3, 0);
    const QuintelloSession expected = referenceSession(program.context.archive(), 1, 0, 3, 6, 200);
    QCOMPARE(differences(grid(window, "Fg1"), renderFg1(expected.list())), QString());
  }

  void scrollBarShowsTheDrawAndUltimaGoesToTheLast() {
    Program program(test::makeArchive(threeDraws()));
    Quintello* window = program.open();
    auto* hFine = the<QScrollBar>(window, "hFine");
    hFine->setFocus();
    QTest::keyClick(hFine, Qt::Key_Left);
    QCOMPARE(text(window, "labend"), QString("2 del 04/12/2025"));
    const QuintelloSession expected(program.context.archive());
    QCOMPARE(differences(grid(window, "fga"), expected.renderFga(2)), QString());
    click(window, "Command22");  // "Ultima"
    QCOMPARE(hFine->value(), 3);
  }

  void boardClicksAndSpaceMarkNumbers() {
    Program program(test::makeArchive(threeDraws()));
    Quintello* window = program.open();
    QuintelloSession expected(program.context.archive());
    for (int n : {5, 12, 23, 34, 45, 56, 67, 78, 12, 78, 23}) {
      clickBoard(window, n);
      static_cast<void>(expected.toggleBoardNumber(n));
    }
    QCOMPARE(differences(grid(window, "Fg90"), renderFg90(expected.boardNumbers())), QString());
    click(window, "Command3");
    grid(window, "Fg90")->setFocus();
    grid(window, "Fg90")->setCurrentCell(8, 9);
    QTest::keyClick(grid(window, "Fg90"), Qt::Key_Space);  // the keyboard marks too
    expected.clearBoard();
    QVERIFY(expected.toggleBoardNumber(90));
    QCOMPARE(differences(grid(window, "Fg90"), renderFg90(expected.boardNumbers())), QString());
  }

  // One row per outcome; the answers themselves are read by the core (drawIndexFromAnswer,
  // findDrawByDate) and tested there.
  void referenceDrawByIndexAndDate_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");  // null: the input box is cancelled
    QTest::addColumn<int>("draw");
    QTest::addColumn<QString>("message");
    const QString notFound = "Data non trovata|Cerca data";
    QTest::newRow("index") << "Command23"
                           << "2" << 2 << QString();
    QTest::newRow("index refused") << "Command23"
                                   << "due" << 3 << QString();
    QTest::newRow("index cancelled") << "Command23" << QString() << 3 << QString();
    QTest::newRow("date") << "Command24"
                          << "02/12/2025" << 1 << QString();
    QTest::newRow("date not found") << "Command24"
                                    << "2/12/2025" << 3 << notFound;
    QTest::newRow("date cancelled") << "Command24" << QString() << 3 << notFound;
  }
  void referenceDrawByIndexAndDate() {
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(int, draw);
    QFETCH(QString, message);
    Program program(test::makeArchive(threeDraws()));
    Quintello* window = program.open();
    if (answer.isNull())
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    click(window, button);
    QStringList messages;
    for (const auto& box : program.dialogs.shown())
      if (box.kind == "message" && box.icon == Dialogs::Icon::Information)
        messages << box.text + '|' + box.title;
    QCOMPARE(messages.join(' '), message);
    QCOMPARE(the<QScrollBar>(window, "hFine")->value(), draw);
    QCOMPARE(text(window, "labend"),
             QString("%1 del %2").arg(draw).arg(program.context.archive().dateText(draw).c_str()));
  }

  void numberPickerSitsOnItsButtonAndEmptiesTheList() {
    Program program(test::makeArchive(threeDraws()));
    Quintello* window = program.open();
    window->move(0, 0);
    type(window, "ComboR", "RO");
    click(window, "Command1");
    QCOMPARE(grid(window, "Fg1")->grid().dataRows(), 0);  // 1 never came out on Roma
    type(window, "ComboR", "BA");
    click(window, "Command1");
    QCOMPARE(grid(window, "Fg1")->grid().dataRows(), 1);
    auto* cmdN = the<QPushButton>(window, "CmdN");
    QTest::mouseClick(cmdN, Qt::LeftButton);
    Numeri* picker = window->numberPicker();
    QVERIFY(picker && picker->isVisible() && picker->isModal());
    QCOMPARE(picker->pos(), cmdN->mapToGlobal(QPoint(0, 0)));
    // The reference draw's numbers on the detection wheel (the last draw had none on Bari).
    const auto green = [&picker] {
      QStringList numbers;
      const Grid& board = picker->board().grid();
      for (int r = 0; r < board.rows(); ++r)
        for (int c = 0; c < board.cols(); ++c)
          if (board.backColor(r, c) == kGreen) numbers << QString::fromStdString(board.text(r, c));
      return numbers.join(' ');
    };
    QCOMPARE(green(), QString());
    QTest::keyClick(picker, Qt::Key_Escape);  // no choice: nothing changes
    QTRY_VERIFY(!window->numberPicker());
    QCOMPARE(grid(window, "Fg1")->grid().dataRows(), 1);
    type(window, "ComboR", "RO");
    QTest::mouseClick(cmdN, Qt::LeftButton);
    picker = window->numberPicker();
    QCOMPARE(green(), QString("7 17 27 37 47"));
    clickCell(&picker->board(), 1, 6);  // 17
    QTRY_VERIFY(!window->numberPicker());
    QCOMPARE(cmdN->text(), QString("17"));
    QCOMPARE(grid(window, "Fg1")->grid().rows(), 1);
    QCOMPARE(grid(window, "fga")->grid().backColor(7, 2), kYellow);  // 17 on Roma
  }

  void resultListClicksShowTheOccurrenceOrItsOutcome() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    auto* fg1 = grid(window, "Fg1");
    const QString label4 = text(window, "Label4");
    const std::string fga = grid(window, "fga")->grid().clipText();
    for (int col : {16, 15, 4, 0}) {  // no outcome yet, and columns that show nothing
      clickCell(fg1, 2, col);
      QCOMPARE(text(window, "Label4"), label4);
      QCOMPARE(grid(window, "fga")->grid().clipText(), fga);
    }
    const auto& archive = program.context.archive();
    QuintelloSession expected = referenceSession(archive, 1, 0, 12, 12, 200);
    const OccurrenceRow& second = expected.occurrences()[1];
    clickCell(fg1, 2, 2);
    QCOMPARE(text(window, "Label4"),
             QString("Ricavo: %1 del %2").arg(second.Estr).arg(second.DataEstraz.c_str()));
    QCOMPARE(differences(grid(window, "fga"), expected.renderFga(second.Estr)), QString());
    // A forecast of one number drawn in the second window, verified: its outcome in green.
    const int drawn = archive.number(second.Inizio + 1, 0, 3);
    clickBoard(window, drawn);
    click(window, "Command2");
    click(window, "Cmd_VerificaPrevisioni");
    QVERIFY(expected.toggleBoardNumber(drawn));
    QVERIFY(expected.addFromBoard());
    expected.verifyForecasts();
    QCOMPARE(differences(fg1, renderFg1(expected.list())), QString());
    const OccurrenceRow& verified = expected.occurrences()[1];
    QVERIFY(verified.hasOutcome());
    clickCell(fg1, 2, 16);
    QCOMPARE(text(window, "Label4"),
             QString("Esito: %1 del %2").arg(verified.NEst).arg(verified.DataEsito.c_str()));
    QCOMPARE(differences(grid(window, "fga"), expected.renderFga(verified.NEst, 2)), QString());
    QCOMPARE(grid(window, "fga")->grid().backColor(0, 3), kGreen);  // position 3 on Bari
    // Space on the current cell works as a click.
    fg1->setFocus();
    fg1->setCurrentCell(1, 1);
    QTest::keyClick(fg1, Qt::Key_Space);
    QVERIFY(text(window, "Label4")
                .startsWith("Ricavo: " + QString::number(expected.occurrences()[0].Estr)));
  }

  // Every way of adding and removing a forecast reaches the session as the user meant it: the
  // window shows, at each step, what a session given the same commands renders.
  void forecastCommandsFollowTheSession() {
    Program program(test::makeArchive(scatteredDraws(600)));
    Quintello* window = program.open();
    type(window, "ComboC", "3");
    type(window, "ComboPresenze", "30");
    auto* pb1 = the<QProgressBar>(program.main.get(), "Pb1");
    QuintelloSession expected = referenceSession(program.context.archive(), 1, 0, 3, 30, 600);
    const auto same = [&] { return windowDifferences(window, expected, 600); };

    click(window, "Command27");  // "ELABORA" for three numbers
    expected.elabora();
    QCOMPARE(same(), QString());
    QCOMPARE(QString("%1 %2").arg(pb1->maximum()).arg(pb1->value()), QString("100 100"));
    openTab(window, 1);
    clickCell(grid(window, "Fg_CC"), 2, 1);  // highlighted, then added
    click(window, "Cmd_aggiunge");
    expected.highlightCombination(2);
    QVERIFY(expected.addFromCombinationList(2));
    QCOMPARE(same(), QString());
    doubleClickCell(grid(window, "Fg_CC"), 3, 2);
    expected.highlightCombination(3);
    QVERIFY(expected.addFromCombinationList(3));
    QCOMPARE(same(), QString());

    openTab(window, 0);
    for (int n : {4, 9}) clickBoard(window, n);
    the<QPushButton>(window, "Command8")->click();  // hidden: the board through the list
    for (int n : {4, 9}) QVERIFY(expected.toggleBoardNumber(n));
    QVERIFY(expected.addFromBoardThroughCombinationList());
    QCOMPARE(same(), QString());

    openTab(window, 2);
    click(window, "Command60");  // the pair search
    expected.searchPairs();
    QCOMPARE(same(), QString());
    QCOMPARE(QString("%1 %2").arg(pb1->maximum()).arg(pb1->value()), QString("89 89"));
    clickCell(grid(window, "Fg9090"), 5, 1);
    click(window, "Command7");
    QVERIFY(expected.addPair(5));
    QCOMPARE(same(), QString());
    QCOMPARE(the<QComboBox>(window, "ComboN")->currentText(), QString("1"));
    the<QCheckBox>(window, "Ch_verificaPrev")->click();
    doubleClickCell(grid(window, "Fg9090"), 7, 2);
    expected.inputs().VerificaAutomatica = true;
    QVERIFY(expected.addPair(7));
    QCOMPARE(same(), QString());

    clickCell(grid(window, "Fg_ZZ"), 2, 4);
    click(window, "Cmd_Rimuove");
    expected.highlightForecast(2);
    QVERIFY(expected.removeForecast(2));
    QCOMPARE(same(), QString());
    openTab(window, 1);
    type(window, "ComboN", "2");
    click(window, "Command27");
    the<QPushButton>(window, "Command29")->click();  // hidden: "PULISCE" on its own
    the<QPushButton>(window, "Command31")->click();  // hidden: coverage of the best ones
    expected.inputs().NumeriCombinazione = 2;
    expected.elabora();
    expected.pulisce();
    expected.coverBestCombinations();
    QCOMPARE(same(), QString());
    QCOMPARE(expected.book().forecasts().size(), size_t(6));  // seven added, one removed
  }

  // Forecasts of two numbers drawn together in the first draw of the first uncovered window,
  // added from the board until every presence is covered.
  void fullCoverageTurnsTheCounterGreenAndStopsTheAdds() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    type(window, "ComboPresenze", "5");
    QuintelloSession expected = referenceSession(program.context.archive(), 1, 0, 12, 5, 200);
    const Grid& list = grid(window, "Fg1")->grid();
    for (int added = 0; added < 5 && text(window, "Lbl_T") != "5"; ++added) {
      int row = 1;
      while (!list.text(row, 6).empty()) ++row;  // "Pr" empty: uncovered
      const int first = static_cast<int>(list.value(row, 3));
      click(window, "Command3");
      expected.clearBoard();
      for (int position : {1, 2}) {
        const int n = program.context.archive().number(first, 0, position);
        clickBoard(window, n);
        QVERIFY(expected.toggleBoardNumber(n));
      }
      click(window, "Command2");
      QVERIFY(expected.addFromBoard());
    }
    QCOMPARE(expected.book().coveredCount(), std::optional<int>(5));
    const int forecasts = grid(window, "Fg_ZZ")->grid().dataRows();
    click(window, "Command2");  // everything covered: refused
    QCOMPARE(grid(window, "Fg_ZZ")->grid().dataRows(), forecasts);
    QCOMPARE(windowDifferences(window, expected, 200), QString());
  }

  void copyButtonsCopyTheirGrids() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    clickBoard(window, 8);
    click(window, "Command2");
    openTab(window, 1);
    const std::pair<const char*, const char*> copies[] = {
        {"Command25", "Fg1"}, {"Command4", "Fg_ZZ"}, {"Command11", "Fg_CC"}};
    for (const auto& [button, name] : copies) {
      QApplication::clipboard()->clear();
      click(window, button);
      QCOMPARE(QApplication::clipboard()->text().toStdString(),
               grid(window, name)->grid().clipText());
    }
  }

  void reportWindowsShowTheSessionsReportsWithoutBlocking() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    click(window, "Command21");  // no forecast: no report
    click(window, "CmdEleEstraz");
    QVERIFY(!window->delaysWindow() && !window->drawListWindow());
    the<QCheckBox>(window, "Ch_verificaPrev")->click();
    for (int n : {8, 15}) clickBoard(window, n);
    click(window, "Command2");
    QuintelloSession expected = referenceSession(program.context.archive(), 1, 0, 12, 12, 200);
    expected.inputs().VerificaAutomatica = true;
    for (int n : {8, 15}) QVERIFY(expected.toggleBoardNumber(n));
    QVERIFY(expected.addFromBoard());

    clickCell(grid(window, "Fg1"), 4, 0);
    click(window, "Command12");
    auto* detail = window->detailWindow();
    QVERIFY(detail && detail->isVisible() && !detail->isModal());
    QCOMPARE(differences(grid(detail, "Fg1"), *expected.occurrenceDetail(4)), QString());
    click(window, "Command10");
    auto* summary = window->summaryWindow();
    const RiepilogoStatistico riepilogo = expected.statisticalSummary();
    QCOMPARE(differences(grid(summary, "Fg1"), riepilogo.Fg1), QString());
    QCOMPARE(differences(grid(summary, "fG2"), riepilogo.fG2), QString());
    QCOMPARE(text(summary, "Label3"), QString::fromStdString(riepilogo.Label3.text));
    click(window, "Command21");
    QCOMPARE(differences(grid(window->delaysWindow(), "fGR"), *expected.delaysReport()), QString());
    click(window, "CmdCaso");
    QCOMPARE(differences(grid(window->chanceWindow(), "caso"), expected.chanceReport()), QString());
    QVERIFY(QTest::qWaitForWindowActive(window->chanceWindow()));
    QTest::keyClick(window->chanceWindow(), Qt::Key_F1);  // its section of the help
    QVERIFY(program.context.help().window());
    QCOMPARE(program.context.help().window()->source().fragment(), QString("caso"));
    clickCell(grid(window, "Fg_ZZ"), 1, 0);
    click(window, "Command5");
    auto* list = window->drawListWindow();
    QCOMPARE(differences(&list->grid(), expected.completeDrawList(1)->FgE), QString());
    click(window, "CmdEleEstraz");  // the same window, refilled
    QCOMPARE(window->drawListWindow(), list);
    QCOMPARE(differences(&list->grid(), expected.restrictedDrawList(1)->FgE), QString());
    QCOMPARE(list->label(), QString::fromStdString(expected.restrictedDrawList(1)->Label1.text));
    // Each copies its grids; each is one window, back in front when asked again, and the
    // Quintello window stays usable meanwhile.
    const std::pair<QWidget*, QStringList> copies[] = {
        {detail, {"Command25", "Fg1"}},
        {window->delaysWindow(), {"Command25", "fGR"}},
        {window->chanceWindow(), {"Command25", "caso"}},
        {summary, {"Command4", "Fg1"}},
        {summary, {"Command1", "fG2"}}};
    for (const auto& [report, names] : copies) {
      click(report, names[0]);
      QCOMPARE(QApplication::clipboard()->text().toStdString(),
               grid(report, names[1])->grid().clipText());
    }
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    click(window, "Command10");
    QVERIFY(QTest::qWaitForWindowActive(summary));
    QCOMPARE(window->findChildren<Quintello_Riepilogo*>().size(), qsizetype(1));
    QCOMPARE(window->findChildren<Ritardi*>().size(), qsizetype(1));
    click(window, "Command1");
    QCOMPARE(grid(window, "Fg_ZZ")->grid().dataRows(), 0);
    // Esc closes a report window, as it would a dialog.
    for (QPointer<QWidget> report : {static_cast<QWidget*>(summary), static_cast<QWidget*>(list)}) {
      report->activateWindow();
      QTRY_COMPARE(QApplication::activeWindow(), report.data());
      QTest::keyClick(report, Qt::Key_Escape);
      QTRY_VERIFY(!report || !report->isVisible());
    }
  }

  // The delays report when the forecast list outlives the result list (the number picker
  // empties it).
  void delaysReportWithoutOccurrencesOrDrawnNumbers() {
    Program program(test::makeArchive(threeDraws()));
    Quintello* window = program.open();
    for (int n : {80, 81}) clickBoard(window, n);
    click(window, "Command2");
    QTest::mouseClick(the<QPushButton>(window, "CmdN"), Qt::LeftButton);
    clickCell(&window->numberPicker()->board(), 0, 4);
    QCOMPARE(grid(window, "Fg1")->grid().dataRows(), 0);
    click(window, "Command21");
    QuintelloSession expected(program.context.archive());
    for (int n : {80, 81}) QVERIFY(expected.toggleBoardNumber(n));
    QVERIFY(expected.addFromBoard());
    expected.emptyOccurrenceList();
    QCOMPARE(differences(grid(window->delaysWindow(), "fGR"), *expected.delaysReport()), QString());
  }

  // The archive window may add and delete draws while the window is open.
  void archiveReloadKeepsTheListAndNeverReadsPastTheArchive() {
    Program program(test::makeArchive(test::weeklyDraws(200)));
    Quintello* window = program.open();
    auto* hFine = the<QScrollBar>(window, "hFine");
    auto* fg1 = grid(window, "Fg1");
    program.dialogs.answerText("150");
    click(window, "Command23");
    program.reload(test::makeArchive(test::weeklyDraws(230)));  // more draws: the draw stays
    QCOMPARE(QString("%1 %2").arg(hFine->maximum()).arg(hFine->value()), QString("230 150"));
    const std::string list = fg1->grid().clipText();
    program.reload(test::makeArchive(test::weeklyDraws(120)));  // fewer: it moves to the last
    QCOMPARE(QString("%1 %2").arg(hFine->maximum()).arg(hFine->value()), QString("120 120"));
    QCOMPARE(text(window, "labend"),
             QString("120 del %1").arg(program.context.archive().dateText(120).c_str()));
    QCOMPARE(fg1->grid().clipText(), list);
    // Row 1 names draw 196, gone now: a click on it shows nothing.
    const QString label4 = text(window, "Label4");
    clickCell(fg1, 1, 1);
    QCOMPARE(text(window, "Label4"), label4);
    program.dialogs.answerText("150");
    click(window, "Command23");
    QCOMPARE(hFine->value(), 120);
    // Commands on the old list read only draws that exist; "ELENCO" builds the new one.
    clickBoard(window, 8);
    click(window, "Command2");
    click(window, "Cmd_VerificaPrevisioni");
    clickCell(fg1, 1, 0);
    click(window, "Command12");
    QVERIFY(window->detailWindow()->grid().grid().dataRows() == 0);
    click(window, "Command1");
    const QuintelloSession expected =
        referenceSession(program.context.archive(), 1, 0, 12, 12, 120);
    QCOMPARE(differences(fg1, renderFg1(expected.list())), QString());
    QCOMPARE(differences(grid(window, "FgN"), renderFgN(expected.list())), QString());
    // Every draw deleted: nothing to show, nothing to find.
    program.reload(DrawArchive());
    QCOMPARE(QString("%1 %2").arg(hFine->maximum()).arg(hFine->value()), QString("0 0"));
    QCOMPARE(text(window, "labend"), QString());
    click(window, "Command1");
    QCOMPARE(fg1->grid().dataRows(), 0);
    QTest::mouseClick(the<QPushButton>(window, "CmdN"), Qt::LeftButton);
    clickCell(&window->numberPicker()->board(), 0, 0);
    QCOMPARE(grid(window, "fga")->grid().text(0, 1), "0");
  }

  // Tab and Shift+Tab move the focus out of every grid of both windows, never cell by cell.
  void tabLeavesEveryGrid() {
    Program program(test::makeArchive(test::fiveDraws()));
    Quintello* quintello = program.open();
    for (QWidget* window :
         {static_cast<QWidget*>(program.main.get()), static_cast<QWidget*>(quintello)}) {
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      for (GridView* view : window->findChildren<GridView*>()) {
        if (!view->isVisible()) continue;
        for (const auto modifier : {Qt::NoModifier, Qt::ShiftModifier}) {
          view->setFocus();
          QTest::keyClick(view, Qt::Key_Tab, modifier);
          QVERIFY2(!view->hasFocus(), qPrintable(view->objectName()));
        }
      }
    }
  }

  // On a dark theme (light text) every coloured cell of the window still reads: its text
  // colour contrasts with its back colour.
  void colouredCellsReadOnADarkTheme() {
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    QApplication::setPalette(dark);
    Program program(test::makeArchive(scatteredDraws(600)));
    Quintello* window = program.open();
    click(window, "Command27");
    const auto luminance = [](const QColor& c) {
      const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
      };
      return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    int coloured = 0;
    for (GridView* view : window->findChildren<GridView*>()) {
      const QAbstractItemModel& model = *view->model();
      for (int r = 0; r < model.rowCount(); ++r)
        for (int c = view->grid().fixedCols(); c < model.columnCount(); ++c) {
          const QVariant back = model.index(r, c).data(Qt::BackgroundRole);
          if (!back.isValid()) continue;
          const QVariant fore = model.index(r, c).data(Qt::ForegroundRole);
          const double a = luminance(back.value<QColor>());
          const double b =
              luminance(fore.isValid() ? fore.value<QColor>() : dark.color(QPalette::Text));
          QVERIFY2((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 3.0,
                   qPrintable(QString("%1 (%2, %3)").arg(view->objectName()).arg(r).arg(c)));
          ++coloured;
        }
    }
    QApplication::setPalette(light);
    QVERIFY(coloured > 0);
  }

  // The commands on "the selected row" act without a click first: the lists start with their
  // first row current.
  void selectedRowCommandsActWithoutAClick() {
    Program program(test::makeArchive(scatteredDraws(600)));
    Quintello* window = program.open();
    QuintelloSession expected = referenceSession(program.context.archive(), 1, 0, 12, 12, 600);
    for (int n : {4, 9}) {
      clickBoard(window, n);
      QVERIFY(expected.toggleBoardNumber(n));
    }
    click(window, "Command2");
    QVERIFY(expected.addFromBoard());
    QCOMPARE(windowDifferences(window, expected, 600), QString());
    click(window, "Command12");  // the first occurrence's draws
    auto* detail = window->findChild<VerificaPrevisione*>();
    QVERIFY(detail && detail->isVisible());
    QCOMPARE(differences(grid(detail, "Fg1"), *expected.occurrenceDetail(1)), QString());
    click(window, "Cmd_Rimuove");
    QVERIFY(expected.removeForecast(1));
    QCOMPARE(windowDifferences(window, expected, 600), QString());
  }
};

QTEST_MAIN(QuintelloWindowTest)
#include "quintello_window_test.moc"
