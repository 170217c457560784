// The Quintello window and its reports show what a session given the same commands renders.
#include "gui/quintello/quintello_window.h"

#include "gui/common/grid_model.h"
#include "gui/quintello/chance_window.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/report_windows.h"
#include "gui/support/program.h"

using namespace quintello;
using test::click;
using test::clickCell;
using test::the;

#define SHOWS(window, name, rendered) \
  QCOMPARE(test::differences(the<GridView>(window, name), rendered), QString())

namespace {

const Grid& shown(const QObject* w, const char* name) { return the<GridView>(w, name)->grid(); }
QString text(const QObject* w, const char* name) { return the<QLabel>(w, name)->text(); }
QString range(const QScrollBar* s) { return QString("%1 %2").arg(s->maximum()).arg(s->value()); }

void doubleClickCell(GridView* view, int gridRow, int col) {
  clickCell(view, gridRow, col);  // as a mouse gives it: a click, the double click, a release
  const QPoint at =
      view->visualRect(view->model()->index(view->gridModel().modelRow(gridRow), col)).center();
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
}

// An entry of a drop-down list chosen with the keyboard, each key a choice as on the real list.
void choose(const QObject* window, const QString& list, const QString& entry) {
  auto* combo = the<QComboBox>(window, list);
  QTest::keyClick(combo, Qt::Key_Home);
  while (combo->currentText() != entry && combo->currentIndex() + 1 < combo->count())
    QTest::keyClick(combo, Qt::Key_Down);
}

void clickBoard(const QObject* window, int number) {
  clickCell(the<GridView>(window, "Fg90"), (number - 1) / 10, (number - 1) % 10);
}

// The numbers marked on the board and added as a forecast, on the window and in `expected`.
void addFromBoard(const QObject* window, QuintelloSession& expected, std::vector<int> numbers) {
  for (int n : numbers) {
    if (window) clickBoard(window, n);
    QVERIFY(expected.toggleBoardNumber(n));
  }
  if (window) click(window, "Command2");
  QVERIFY(expected.addFromBoard());
}

// Draws a week apart with pseudo-random numbers: play windows no one forecast covers at once.
std::vector<test::TestDraw> scatteredDraws(int count) {
  std::vector<test::TestDraw> draws = test::weeklyDraws(count);
  unsigned state = 12345;
  for (auto& draw : draws)
    for (auto& [wheel, numbers] : draw.wheels)
      for (auto k = numbers.begin(); k != numbers.end(); ++k) do {
          state = state * 1103515245u + 12345u;
          *k = static_cast<std::int16_t>((state >> 16) % 90 + 1);
        } while (std::find(numbers.begin(), k, *k) != k);
  return draws;
}

struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws) : test::Program(draws) {
    click(main.get(), "Command2");
    window = main->findChild<Quintello*>();
  }
  // A session given the commands the window should have given: number 1, the last draw.
  QuintelloSession session(int wheel = 0, int colpi = 12, int presences = 12) const {
    QuintelloSession session(context.archive());
    auto& in = session.inputs();
    in.RuotaRilevazione = in.RuotaGioco = wheel;
    in.Colpi = colpi;
    in.NumPresenze = presences;
    in.EstrazioneCorrente = context.archive().count();
    session.elenco();
    return session;
  }
  QString differsFrom(const QuintelloSession& expected) const {
    const auto& s = expected.search();
    const std::pair<const char*, Grid> grids[] = {
        {"Fg1", renderFg1(expected.list())},
        {"FgN", renderFgN(expected.list())},
        {"Fg_ZZ", renderFg_ZZ(expected.book())},
        {"Fg_CC", renderFg_CC(s)},
        {"Fg9090", renderFg9090(s)},
        {"FgU", renderFgU(s)},
        {"Fg_I2", renderFg_I2(s, expected.combinationSize())},
        {"List3", renderList3(s)},
        {"Fg90", renderFg90(expected.boardNumbers())},
        {"fga", expected.renderFga(context.archive().count())}};
    for (const auto& [name, rendered] : grids)
      if (QString d = test::differences(the<GridView>(window, name), rendered); !d.isEmpty())
        return d;
    const QuintelloLabels l = renderLabels(expected.list(), expected.book());
    for (const auto& [name, label] : {std::pair{"LBL_NC", l.LBL_NC},
                                      {"Label7", l.Label7},
                                      {"Lbl_T", l.Lbl_T},
                                      {"Lbl_S", l.Lbl_S}}) {
      const QLabel* shown = the<QLabel>(window, name);
      const QPalette colours = shown->palette();
      if (shown->text().toStdString() != label.text ||
          colours.color(QPalette::Window) != toQColor(label.back) ||
          colours.color(QPalette::WindowText) != toQColor(label.fore))
        return QString(name) + ": " + shown->text();
    }
    return {};
  }

  Quintello* window = nullptr;
};

}  // namespace

class QuintelloWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnceOnTheLastDrawAndFollowsItsChoices() {
    Program p(test::weeklyDraws(200));
    Quintello* window = p.window;
    QCOMPARE(p.differsFrom(p.session()), QString());
    QVERIFY(window->minimumSizeHint().boundedTo({1366, 700}) == window->minimumSizeHint());
    // The presences run the list; wheels (detection sets game) and colpi wait for "ELENCO".
    choose(window, "ComboPresenze", "6");
    choose(window, "ComboR", "RO");
    QCOMPARE(the<QComboBox>(window, "ComboG")->currentText(), QString("RO"));
    choose(window, "ComboG", "NA");
    choose(window, "ComboC", "3");
    SHOWS(window, "Fg1", renderFg1(p.session(0, 12, 6).list()));
    doubleClickCell(the<GridView>(window, "Fg1"), 3, 0);
    QuintelloSession expected = p.session(7, 3, 6);
    expected.inputs().RuotaGioco = 5;
    expected.elenco();
    SHOWS(window, "Fg1", renderFg1(expected.list()));
    // The scroll bar and the search by date choose the draw; "Ultima" goes back to the last.
    auto* hFine = the<QScrollBar>(window, "hFine");
    hFine->setFocus();
    QTest::keyClick(hFine, Qt::Key_Left);
    SHOWS(window, "fga", expected.renderFga(199));
    p.dialogs.answerText("08/01/2000");
    click(window, "Command24");
    QCOMPARE(text(window, "labend"), "2 del 08/01/2000");
    click(window, "Command22");
    QCOMPARE(hFine->value(), 200);
  }

  // Every way of adding and removing a forecast reaches the session as the user meant it.
  void forecastCommandsFollowTheSession() {
    Program p(scatteredDraws(600));
    Quintello* window = p.window;
    choose(window, "ComboC", "3");
    choose(window, "ComboPresenze", "30");
    QuintelloSession expected = p.session(0, 3, 30);
    // The commands on "the selected row" act without a click: the lists start on their first.
    click(window, "Command12");
    SHOWS(window->detailWindow(), "Fg1", *expected.occurrenceDetail(1));
    for (int n : {5, 12, 78, 12, 4, 9, 5, 78}) {
      clickBoard(window, n);
      static_cast<void>(expected.toggleBoardNumber(n));
    }
    click(window, "Command2");
    QVERIFY(expected.addFromBoard());
    click(window, "Cmd_Rimuove");
    QVERIFY(expected.removeForecast(1));
    click(window, "Command27");  // "ELABORA" for three numbers
    expected.elabora();
    the<QTabWidget>(window, "SSTab1")->setCurrentIndex(1);
    clickCell(the<GridView>(window, "Fg_CC"), 2, 1);  // highlighted, then added
    click(window, "Cmd_aggiunge");
    doubleClickCell(the<GridView>(window, "Fg_CC"), 3, 2);
    for (int row : {2, 3}) {
      expected.highlightCombination(row);
      QVERIFY(expected.addFromCombinationList(row));
    }
    the<QTabWidget>(window, "SSTab1")->setCurrentIndex(0);
    click(window, "Command3");
    the<GridView>(window, "Fg90")->setFocus();
    the<GridView>(window, "Fg90")->setCurrentCell(0, 3);
    QTest::keyClick(the<GridView>(window, "Fg90"), Qt::Key_Space);  // the keyboard marks too
    clickBoard(window, 9);
    the<QPushButton>(window, "Command8")->click();  // hidden: the board through the list
    expected.clearBoard();
    for (int n : {4, 9}) QVERIFY(expected.toggleBoardNumber(n));
    QVERIFY(expected.addFromBoardThroughCombinationList());

    the<QTabWidget>(window, "SSTab1")->setCurrentIndex(2);
    click(window, "Command60");  // the pair search
    expected.searchPairs();
    clickCell(the<GridView>(window, "Fg9090"), 5, 1);
    click(window, "Command7");
    QVERIFY(expected.addPair(5));
    QCOMPARE(the<QComboBox>(window, "ComboN")->currentText(), QString("1"));
    the<QCheckBox>(window, "Ch_verificaPrev")->click();
    doubleClickCell(the<GridView>(window, "Fg9090"), 7, 2);
    expected.inputs().VerificaAutomatica = true;
    QVERIFY(expected.addPair(7));
    clickCell(the<GridView>(window, "Fg_ZZ"), 2, 4);
    click(window, "Cmd_Rimuove");
    expected.highlightForecast(2);
    QVERIFY(expected.removeForecast(2));
    the<QTabWidget>(window, "SSTab1")->setCurrentIndex(1);
    choose(window, "ComboN", "2");
    click(window, "Command27");
    expected.inputs().NumeriCombinazione = 2;
    expected.elabora();
    QCOMPARE(p.differsFrom(expected), QString());
  }

  void reportWindowsShowTheSessionsReportsWithoutBlocking() {
    Program p(test::weeklyDraws(200));
    Quintello* window = p.window;
    click(window, "Command21");  // no forecast: no report
    click(window, "CmdEleEstraz");
    QVERIFY(!window->delaysWindow() && !window->drawListWindow());
    QuintelloSession expected = p.session();
    addFromBoard(window, expected, {8, 15});

    clickCell(the<GridView>(window, "Fg1"), 4, 0);
    click(window, "Command12");
    QVERIFY(!window->detailWindow()->isModal());
    SHOWS(window->detailWindow(), "Fg1", *expected.occurrenceDetail(4));
    click(window, "Command10");
    const RiepilogoStatistico riepilogo = expected.statisticalSummary();
    SHOWS(window->summaryWindow(), "Fg1", riepilogo.Fg1);
    SHOWS(window->summaryWindow(), "fG2", riepilogo.fG2);
    QCOMPARE(text(window->summaryWindow(), "Label3"), QString(riepilogo.Label3.text.c_str()));
    click(window, "Command21");
    SHOWS(window->delaysWindow(), "fGR", *expected.delaysReport());
    click(window, "CmdCaso");
    SHOWS(window->chanceWindow(), "caso", expected.chanceReport());
    QVERIFY(QTest::qWaitForWindowActive(window->chanceWindow()));
    QTest::keyClick(window->chanceWindow(), Qt::Key_F1);  // its section of the help
    QCOMPARE(p.context.help().window()->source().fragment(), QString("caso"));
    clickCell(the<GridView>(window, "Fg_ZZ"), 1, 0);
    click(window, "Command5");
    ElencoEstrazioni* list = window->drawListWindow();
    QCOMPARE(test::differences(&list->grid(), expected.completeDrawList(1)->FgE), QString());
    click(window, "CmdEleEstraz");  // the same window, refilled
    QCOMPARE(window->drawListWindow(), list);
    QCOMPARE(test::differences(&list->grid(), expected.restrictedDrawList(1)->FgE), QString());
    QCOMPARE(list->label(), QString(expected.restrictedDrawList(1)->Label1.text.c_str()));
    QWidget *detail = window->detailWindow(), *summary = window->summaryWindow();
    QWidget *delays = window->delaysWindow(), *chance = window->chanceWindow();
    const std::tuple<QWidget*, const char*, const char*> copies[] = {
        {window, "Command25", "Fg1"}, {window, "Command4", "Fg_ZZ"}, {window, "Command11", "Fg_CC"},
        {detail, "Command25", "Fg1"}, {summary, "Command4", "Fg1"},  {summary, "Command1", "fG2"},
        {delays, "Command25", "fGR"}, {chance, "Command25", "caso"}};
    the<QTabWidget>(window, "SSTab1")->setCurrentIndex(1);
    for (const auto& [report, button, name] : copies) {
      QApplication::clipboard()->clear();
      click(report, button);
      QCOMPARE(QApplication::clipboard()->text().toStdString(), shown(report, name).clipText());
    }
    summary->activateWindow();  // Esc closes a report window
    QTRY_COMPARE(QApplication::activeWindow(), summary);
    QTest::keyClick(summary, Qt::Key_Escape);
    QTRY_VERIFY(!window->summaryWindow() || !window->summaryWindow()->isVisible());
    click(window, "Command1");
    QCOMPARE(shown(window, "Fg_ZZ").dataRows(), 0);
  }

  // 17, never drawn on Roma before, empties the list.
  void numberPickerEmptiesTheListTheForecastsOutlive() {
    Program p({{"02/12/2025", {{"BA", {5, 6, 7, 8, 9}}}},
               {"04/12/2025", {{"BA", {1, 2, 3, 4, 90}}}},
               {"05/12/2025", {{"RO", {7, 17, 27, 37, 47}}}}});
    QuintelloSession expected(p.context.archive());
    addFromBoard(p.window, expected, {80, 81});
    choose(p.window, "ComboR", "RO");
    auto* cmdN = the<QPushButton>(p.window, "CmdN");
    QTest::mouseClick(cmdN, Qt::LeftButton);
    Numeri* picker = p.window->numberPicker();
    QVERIFY(picker->isModal());
    QCOMPARE(picker->board().grid().backColor(1, 6), kGreen);
    for (const auto key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                           Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
      QTest::keyClick(&picker->board(), key);  // from 1 to 17
    QTRY_VERIFY(!p.window->numberPicker());
    QCOMPARE(cmdN->text(), QString("17"));
    expected.inputs().RuotaRilevazione = expected.inputs().RuotaGioco = 7;
    expected.emptyOccurrenceList();
    SHOWS(p.window, "Fg1", renderFg1(expected.list()));
  }

  // Across reloads the result list stays as it was, and nothing reads past the archive.
  void resultListAcrossArchiveReloads() {
    Program p(test::weeklyDraws(200));
    Quintello* window = p.window;
    auto* fg1 = the<GridView>(window, "Fg1");
    QuintelloSession expected = p.session();
    const OccurrenceRow second = expected.occurrences()[1];
    clickCell(fg1, 2, 2);
    QCOMPARE(text(window, "Label4"),
             QString("Ricavo: %1 del %2").arg(second.Estr).arg(second.DataEstraz.c_str()));
    SHOWS(window, "fga", expected.renderFga(second.Estr));
    // A forecast of one number drawn in the second window, verified, shows its outcome.
    const int drawn = p.context.archive().number(second.Inizio + 1, 0, 3);
    addFromBoard(window, expected, {drawn});
    click(window, "Cmd_VerificaPrevisioni");
    expected.verifyForecasts();
    const OccurrenceRow& verified = expected.occurrences()[1];
    fg1->setFocus();
    fg1->setCurrentCell(2, 16);
    QTest::keyClick(fg1, Qt::Key_Space);  // Space on the current cell works as a click
    QCOMPARE(text(window, "Label4"),
             QString("Esito: %1 del %2").arg(verified.NEst).arg(verified.DataEsito.c_str()));
    SHOWS(window, "fga", expected.renderFga(verified.NEst, 2));

    auto* hFine = the<QScrollBar>(window, "hFine");
    p.dialogs.answerText("150");
    click(window, "Command23");
    p.reload(test::weeklyDraws(230));  // more draws: the draw stays
    QCOMPARE(range(hFine), QString("230 150"));
    const std::string list = shown(window, "Fg1").clipText();
    p.reload(test::weeklyDraws(120));  // fewer: it moves to the last
    QCOMPARE(range(hFine), QString("120 120"));
    QCOMPARE(shown(window, "Fg1").clipText(), list);
    // Row 1 names draw 196, gone now: a click on it shows nothing.
    const QString label4 = text(window, "Label4");
    clickCell(fg1, 1, 1);
    QCOMPARE(text(window, "Label4"), label4);
    // Commands on the old list read only draws that exist; "ELENCO" builds the new one.
    click(window, "Cmd_VerificaPrevisioni");
    clickCell(fg1, 1, 0);
    click(window, "Command12");
    QCOMPARE(shown(window->detailWindow(), "Fg1").dataRows(), 0);
    click(window, "Command1");
    QuintelloSession now = p.session();
    addFromBoard(nullptr, now, {drawn});
    now.verifyForecasts();
    now.elenco();
    SHOWS(window, "Fg1", renderFg1(now.list()));
    // Every draw deleted: nothing to show, nothing to find.
    p.reload({});
    QCOMPARE(range(hFine), QString("0 0"));
    click(window, "Command1");
    QCOMPARE(shown(window, "Fg1").dataRows(), 0);
    QTest::mouseClick(the<QPushButton>(window, "CmdN"), Qt::LeftButton);
    clickCell(&window->numberPicker()->board(), 0, 0);
    QCOMPARE(shown(window, "fga").text(0, 1), "0");
  }
};

QTEST_MAIN(QuintelloWindowTest)
#include "quintello_window_test.moc"
