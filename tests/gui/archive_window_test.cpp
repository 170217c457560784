// The archive window's "Gestione estrazioni" and "Elenco estrazioni" tabs driven as a user
// would: each control calls its archive operation and shows its result. The rules behind the
// boxes, the changes, the searches and the grids are tested in tests/archive.
#include "gui/archive/archive_window.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "archive/calendar.h"
#include "archive/draw_changes.h"
#include "archive/draw_navigation.h"
#include "archive/entry_record.h"
#include "core/sqlite.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"

using namespace quintello;

namespace {

// The program on an archive file holding the draws; open() opens the archive window.
struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws = test::fiveDraws())
      : test::Program(draws, OnFile{}) {}

  archivio* open() {
    QTest::mouseClick(main->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    return window = main->findChild<archivio*>();
  }
  template <class T = QWidget>
  T* find(const char* name) {
    return test::the<T>(window, name);
  }
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  void click(const char* name) { test::click(window, name); }
  QLineEdit* box(int b) { return window->gestione()->entryGrid()->box(b); }
  QCalendarWidget* calendar() { return find<QCalendarWidget>("MonthView1"); }
  QScrollBar* scroll() { return find<QScrollBar>("HScrestrazione"); }
  // The shown draw: "index | date | month ordinal | year ordinal".
  QString shown() {
    return QStringList{label("pAN_DC"), label("LBLESTRAZIONE"), label("LabelPM"), label("LabelPA")}
        .join(" | ");
  }
  QString boxes(int from, int to) {
    QStringList texts;
    for (int b = from; b <= to; ++b) texts << box(b)->text();
    return texts.join(' ');
  }
  // A draw written by another program while this one runs.
  void insertBehindItsBack(const char* date, const char* bari = "01-02-03-04-05") {
    sqlite::Database other(path, sqlite::Database::Mode::ReadWrite);
    auto insert = other.prepare("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?, ?)");
    insert.bind(1, date);
    insert.bind(2, bari);
    insert.step();
  }

  archivio* window = nullptr;
};

}  // namespace

Q_DECLARE_METATYPE(quintello::Notice)

class ArchiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The window reads the file again when it opens, shows the latest draw, the calendar on
  // today and the years from the first draw's; asked again, the same window as it was left.
  void opensOnceOnTheLatestDrawOfTheFile() {
    Program p;
    p.insertBehindItsBack("1871-01-07", "90-01-02-03-04");
    auto* window = p.open();
    QCOMPARE(p.shown(), QString("6 | 09/12/2025 | 4 | 5"));
    QCOMPARE(p.label("Label2"), QString("6"));
    QCOMPARE(p.boxes(36, 40), QString("07 17 27 37 47"));  // Roma
    QCOMPARE(p.calendar()->selectedDate(), QDate::currentDate());
    QCOMPARE(p.find<QComboBox>("Combo1")->itemText(0), QString("1871"));
    QCOMPARE(p.find<QComboBox>("Combo1")->currentText(),
             QString::number(QDate::currentDate().year()));
    p.scroll()->setValue(2);
    QCOMPARE(p.open(), window);
    QCOMPARE(p.main->findChildren<archivio*>().size(), qsizetype(1));
    QCOMPARE(p.shown(), QString("2 | 25/11/2025 | 1 | 1"));
    QCOMPARE(p.boxes(1, 5), QString("01 02 03 04 05"));
  }

  void scrollBarAndIndexLabelChooseTheDraw() {
    Program p;
    p.open();
    QTest::keyClick(p.scroll(), Qt::Key_Left);
    QCOMPARE(p.shown(), QString("4 | 05/12/2025 | 3 | 4"));
    QCOMPARE(p.boxes(51, 55), QString("90 81 72 63 54"));  // Nazionale
    QTest::keyClick(p.scroll(), Qt::Key_Home);
    QCOMPARE(p.label("pAN_DC"), QString("1"));
    p.click("Command4");  // "Vai ultima estrazione"
    QCOMPARE(p.label("pAN_DC"), QString("5"));
    for (const char* answer : {"3", "tre"}) {  // a click on the index asks for one
      p.dialogs.answerText(answer);
      QTest::mouseClick(p.find<QLabel>("pAN_DC"), Qt::LeftButton);
      QCOMPARE(p.label("pAN_DC"), QString("3"));
    }
  }

  // Keys typed into the real boxes, after "AZZERA GRID " emptied them.
  void keysFilterAndMove_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");  // 0: none
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("text");  // of the start box afterwards
    QTest::newRow("letter refused") << 1 << "x" << 0 << 1 << "";
    QTest::newRow("Enter pads") << 1 << "7" << int(Qt::Key_Return) << 2 << "07";
    QTest::newRow("keypad Enter") << 7 << "45" << int(Qt::Key_Enter) << 8 << "45";
    QTest::newRow("Down") << 53 << "" << int(Qt::Key_Down) << 3 << "";
    QTest::newRow("Up") << 2 << "" << int(Qt::Key_Up) << 52 << "";
    QTest::newRow("Right") << 10 << "33" << int(Qt::Key_Right) << 6 << "33";
    QTest::newRow("Left") << 6 << "" << int(Qt::Key_Left) << 10 << "";
    QTest::newRow("Tab leaves 4 as 04") << 1 << "4" << int(Qt::Key_Tab) << 2 << "04";
  }
  void keysFilterAndMove() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, focus);
    Program p;
    p.open();
    p.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.window));
    p.click("Command1");
    QCOMPARE(p.boxes(1, 55).trimmed(), QString());
    QLineEdit* box = p.box(start);
    box->setFocus(Qt::TabFocusReason);
    QFETCH(QString, typed);
    QTest::keyClicks(box, typed);
    if (key != 0) QTest::keyClick(box, Qt::Key(key));
    QTEST(box->text(), "text");
    QCOMPARE(QApplication::focusWidget(), p.box(focus));
    QCOMPARE(p.box(focus)->palette().color(QPalette::Base), QColor(255, 255, 0));
    if (focus != start) QCOMPARE(box->palette().color(QPalette::Base), QColor(255, 255, 255));
  }

  // A click places the cursor after the box took the focus: its text is still selected.
  void clickedBoxIsTypedOver() {
    Program p;
    p.open();
    p.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.window));
    QTest::mouseClick(p.box(37), Qt::LeftButton);  // "17"
    QCoreApplication::processEvents();
    QTest::keyClicks(p.box(37), "8");
    QCOMPARE(p.box(37)->text(), QString("8"));
  }

  void paste_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("boxes");  // 1..8 afterwards
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("date and numbers") << "12/05/2023 1 2 3"
                                      << "12 05  01 02 03 00 00" << QStringList();
    QTest::newRow("56 numbers") << QString("1 ").repeated(56) << "01 02 03 04 05 00 00 00"
                                << QStringList{
                                       "Attenzione i dati di origine sono di formato "
                                       "incompatibile"};
  }
  void paste() {
    Program p;
    p.open();
    QTest::keyClick(p.scroll(), Qt::Key_Home);  // Bari 01..05
    QFETCH(QString, clipboard);
    QGuiApplication::clipboard()->setText(clipboard);
    p.click("Command12");
    QTEST(p.boxes(1, 8), "boxes");
    QTEST(p.dialogs.messages(), "messages");
  }

  // Each change button asks, calls its archive change with the boxes and the calendar's or
  // the shown draw's date, shows the notice or refusal, and reloads only when the table
  // changed, the window following the reload.
  void changeButtonsShowTheOutcome_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("date");     // the calendar's
    QTest::addColumn<bool>("yes");       // the answer to the question
    QTest::addColumn<bool>("badWheel");  // Roma partly filled: the refusal shown
    QTest::addColumn<Notice>("notice");  // empty: none
    QTest::addColumn<int>("stored");
    const QDate free(2025, 12, 20), taken(2025, 12, 4);
    const Notice none, refusal{"", kAnomalyTitle, Notice::Icon::Critical};
    QTest::newRow("save") << "Command8" << free << true << false << kDrawSaved << 6;
    QTest::newRow("save on a taken date")
        << "Command8" << taken << true << false << kDateAlreadyStored << 5;
    QTest::newRow("save of a bad wheel") << "Command8" << free << true << true << refusal << 5;
    QTest::newRow("save answered No") << "Command8" << free << false << false << none << 5;
    QTest::newRow("modify") << "Command3" << free << true << false << kDrawModified << 5;
    QTest::newRow("modify of a bad wheel") << "Command3" << free << true << true << refusal << 5;
    QTest::newRow("modify answered No") << "Command3" << free << false << false << none << 5;
    QTest::newRow("delete") << "Command2" << free << true << false << kDrawDeleted << 4;
    QTest::newRow("delete answered No") << "Command2" << free << false << false << none << 5;
  }
  void changeButtonsShowTheOutcome() {
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(bool, badWheel);
    QFETCH(Notice, notice);
    Program p;
    p.open();
    QSignalSpy reloads(&p.context, &AppContext::archiveReloaded);
    p.box(36)->setText("77");
    if (badWheel) p.box(38)->clear();
    QFETCH(QDate, date);
    p.calendar()->setSelectedDate(date);
    const QStringList before = test::storedRows(p.path);
    const std::string problem = entryProblem(p.window->gestione()->entryGrid()->boxes());
    yes ? p.dialogs.answerYes() : p.dialogs.answerNo();
    p.click(button.toLatin1().constData());

    QCOMPARE(p.dialogs.shown().front().kind, QString("question"));
    QString message = QString::fromUtf8(notice.text.data(), qsizetype(notice.text.size()));
    if (badWheel) message = QString::fromStdString(problem);
    QCOMPARE(p.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) QCOMPARE(int(p.dialogs.shown().back().icon), int(notice.icon));
    const QStringList after = test::storedRows(p.path);
    QTEST(int(after.size()), "stored");
    const bool changed = yes && !badWheel && notice.text != kDateAlreadyStored.text;
    QCOMPARE(after != before, changed);
    QCOMPARE(reloads.count(), changed ? 1 : 0);
    QCOMPARE(p.label("Label2"), QString::number(after.size()));
    if (!changed) QCOMPARE(p.box(36)->text(), QString("77"));  // the boxes stay as typed
  }

  // MODIFICA ESTRAZIONE changes the shown draw, whatever the calendar says, and shows it again.
  void modifyKeepsTheShownDraw() {
    Program p;
    p.open();
    p.scroll()->setValue(3);
    p.box(6)->setText("12");
    p.calendar()->setSelectedDate(QDate(2026, 1, 8));
    p.dialogs.answerYes();
    p.click("Command3");
    QCOMPARE(test::storedRows(p.path)[2].section('|', 0, 2),
             QString("2025-12-04|00-00-00-00-00|12-22-33-44-55"));
    QCOMPARE(p.shown(), QString("3 | 04/12/2025 | 2 | 3"));
    QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 4));
  }

  void searches_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");  // null: cancelled
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("index") << "Command42_1"
                           << "20" << 20 << QStringList();
    QTest::newRow("date") << "Command59"
                          << "29/01/2000" << 5 << QStringList();
    QTest::newRow("date cancelled")
        << "Command59" << QString() << 30 << QStringList{"Data non trovata"};
  }
  void searches() {
    QFETCH(QString, button);
    QFETCH(QString, answer);
    Program p(test::weeklyDraws(30));
    p.open();
    answer.isNull() ? p.dialogs.answerCancel() : p.dialogs.answerText(answer);
    p.click(button.toLatin1().constData());
    QFETCH(int, expected);
    QCOMPARE(p.label("pAN_DC"), QString::number(expected));
    QTEST(p.dialogs.messages(), "messages");
  }

  // Fg1 shows the archive's calendar of the chosen year, in numbers or letters, and again after
  // a save; a click or Enter on a day shows its draw and puts its date on the calendar.
  void yearCalendarShowsAndPicksTheDraws() {
    Program p;
    p.open();
    auto* fg1 = p.find<GridView>("Fg1");
    auto calendar = [&p](bool letters) {
      return caricaCalendario(*p.context.archiveDatabase(), "2025", letters).value();
    };
    p.find<QComboBox>("Combo1")->setCurrentText("2025");
    QCOMPARE(test::differences(fg1, calendar(false).Fg1), QString());
    QCOMPARE(fg1->currentGridRow(), calendar(false).current->row);
    QCOMPARE(fg1->currentGridCol(), calendar(false).current->col);
    emit fg1->cellClicked(2, 4);  // 04/12/2025
    QCOMPARE(p.label("LBLESTRAZIONE"), QString("04/12/2025"));
    QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 4));
    fg1->setCurrentCell(1, 7);  // 25/11/2025
    QTest::keyClick(fg1, Qt::Key_Return);
    QCOMPARE(p.label("pAN_DC"), QString("1"));

    QTest::mouseClick(p.find<QCheckBox>("Check2"), Qt::LeftButton);
    QCOMPARE(test::differences(fg1, calendar(true).Fg1), QString());
    p.calendar()->setSelectedDate(QDate(2025, 12, 30));
    p.dialogs.answerYes();
    p.click("Command8");
    QCOMPARE(p.find<QComboBox>("Combo1")->currentText(), QString("2025"));
    QCOMPARE(test::differences(fg1, calendar(true).Fg1), QString());
    p.click("Command9");  // "Imposta data odierna"
    QCOMPARE(p.calendar()->selectedDate(), QDate::currentDate());
    p.click("Command6");  // "Imposta data": the shown draw's
    QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 30));
  }

  // FgDB lists the archive's draws when it comes into view after a reload, and at once when in
  // view; the current row is highlighted, "Selezione estrazione" shows its draw.
  void drawListShowsAndPicksTheDraws() {
    Program p(test::weeklyDraws(300));
    auto* window = p.open();
    p.insertBehindItsBack("2099-01-01");
    p.context.reloadArchive();
    window->tabs()->setCurrentIndex(1);
    auto* fgDB = p.find<GridView>("FgDB");
    Grid expected = FgDBGrid(p.context.archive());
    QCOMPARE(test::differences(fgDB, expected), QString());
    QCOMPARE(p.label("Label9"), QString::fromStdString(Label9Text(p.context.archive())));
    fgDB->setCurrentCell(4, 3);
    highlightFgDBRow(expected, 4);
    QCOMPARE(test::differences(fgDB, expected), QString());
    p.insertBehindItsBack("2099-01-02");
    p.context.reloadArchive();
    QCOMPARE(fgDB->grid().rows(), 303);
    p.click("Command13");
    const QModelIndex last = fgDB->model()->index(fgDB->gridModel().modelRow(302), 0);
    QVERIFY(fgDB->viewport()->rect().contains(fgDB->visualRect(last)));
    p.click("Command14");
    QCOMPARE(fgDB->topRow(), 1);
    fgDB->setCurrentCell(4, 3);
    p.click("Command11");
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QCOMPARE(p.label("pAN_DC"), QString("4"));
    QCOMPARE(p.find<QLineEdit>("Text1")->text(), p.label("LBLESTRAZIONE"));
  }

  void helpOpensTheArchiveSection() {
    Program p;
    p.open();
    p.context.help().setFile("Cimavert.chm");  // as another window leaves it
    p.click("CmDHelp");
    QCOMPARE(p.context.help().file(), QString("helpquintello.chm"));
    QTextBrowser* help = p.context.help().window();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->source().fragment(), QString("archivio"));
  }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
