// The archive window driven as a user would: keys on the real entry boxes, buttons, the
// calendar and the draw list, dialogs answered from a script. After every change the archive
// file is read back with SQLite. The rules behind the boxes, the searches and the grids are
// tested in tests/archive; here, the wiring and what the user sees and stores.
#include "gui/archive/archive_window.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <vector>

#include "archive/draw_changes.h"
#include "archive/entry_record.h"
#include "core/sqlite.h"
#include "gui/archive/elenco_tab.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;
using test::fiveDraws;

namespace {

// datareg and orareg of one stored draw: "AAAA-MM-GG HH:MM:SS".
QString stamp(const std::string& path, const char* isoDate) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
  auto row = db.prepare("SELECT datareg, orareg FROM EstrazioniLotto WHERE DataEstrazione = ?");
  row.bind(1, isoDate);
  if (!row.step()) return {};
  return QString::fromUtf8(row.text(0)) + " " + QString::fromUtf8(row.text(1));
}

// The program after "PROCEDI" on an archive file holding the draws, with its main window.
struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws) : test::Program(draws, OnFile{}) {}

  archivio* open() {
    QTest::mouseClick(main->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    window = main->findChild<archivio*>();
    return window;
  }

  template <class T>
  T* find(const char* name) {
    return window->findChild<T*>(name);
  }
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  GestioneEstrazioniTab* gestione() { return window->gestione(); }
  QLineEdit* box(int b) { return gestione()->entryGrid()->box(b); }
  QCalendarWidget* calendar() { return find<QCalendarWidget>("MonthView1"); }
  QScrollBar* scroll() { return find<QScrollBar>("HScrestrazione"); }

  // What the first tab shows of its draw: "index | date | month ordinal | year ordinal".
  QString shown() {
    return QStringList{label("pAN_DC"), label("LBLESTRAZIONE"), label("LabelPM"), label("LabelPA")}
        .join(" | ");
  }
  // The texts of boxes from..to, joined by spaces.
  QString boxes(int from, int to) {
    QStringList texts;
    for (int b = from; b <= to; ++b) texts << box(b)->text();
    return texts.join(' ');
  }
  void activate() {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }
  QStringList questions() const {
    QStringList texts;
    for (const auto& shown : dialogs.shown())
      if (shown.kind == "question") texts << shown.title + ": " + shown.text;
    return texts;
  }
  const test::ScriptedDialogs::Shown& lastShown() const { return dialogs.shown().back(); }

  archivio* window = nullptr;
};

QWidget* focused() { return QApplication::focusWidget(); }

QColor base(QLineEdit* box) { return box->palette().color(QPalette::Base); }

const QColor kYellowQ(255, 255, 0);
const QColor kWhiteQ(255, 255, 255);

}  // namespace

Q_DECLARE_METATYPE(quintello::Notice)

class ArchiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnceOnTheLatestDraw() {
    Program program(fiveDraws());
    auto* window = program.open();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QCOMPARE(program.shown(), QString("5 | 09/12/2025 | 4 | 5"));
    QCOMPARE(program.label("Label2"), QString("5"));
    QCOMPARE(program.label("LBLAGGIORNATO"), QString("09/12/2025"));
    QCOMPARE(program.boxes(36, 40), QString("07 17 27 37 47"));  // Roma
    QCOMPARE(program.boxes(51, 55), QString("00 00 00 00 00"));  // no Nazionale that day
    QCOMPARE(program.scroll()->minimum(), 1);
    QCOMPARE(program.scroll()->maximum(), 5);
    // The calendar on today, the year list ending with this year, which is selected.
    const QDate today = QDate::currentDate();
    QCOMPARE(program.calendar()->selectedDate(), today);
    QCOMPARE(program.find<QLineEdit>("Text1")->text(), today.toString("dd/MM/yyyy"));
    auto* combo1 = program.find<QComboBox>("Combo1");
    QCOMPARE(combo1->itemText(0), QString("1939"));
    QCOMPARE(combo1->currentText(), QString::number(today.year()));
    QCOMPARE(combo1->currentIndex(), combo1->count() - 1);
    QCOMPARE(program.find<GridView>("FgDB")->grid().rows(), 6);

    // Asked again: the same window, where the user left it.
    program.scroll()->setValue(2);
    QCOMPARE(program.open(), window);
    QCOMPARE(program.main->findChildren<archivio*>().size(), qsizetype(1));
    QCOMPARE(program.label("pAN_DC"), QString("2"));
  }

  // The window reads the file again when it opens; a draw added behind the program's back
  // (here one of 1871, before the year list's usual first year) reaches every window.
  void openingReadsTheFileAgain() {
    Program program(fiveDraws());
    auto* mini = program.main->openMiniList();
    {
      sqlite::Database other(program.path, sqlite::Database::Mode::ReadWrite);
      other.execute(
          "INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('1871-01-07', "
          "'90-01-02-03-04')");
    }
    program.open();
    QCOMPARE(program.label("Label2"), QString("6"));
    QCOMPARE(program.shown(), QString("6 | 09/12/2025 | 4 | 5"));
    QCOMPARE(program.find<QComboBox>("Combo1")->itemText(0), QString("1871"));
    QCOMPARE(program.main->findChild<QLabel*>("LblInizio")->text(), QString("07/01/1871"));
    QCOMPARE(program.main->findChild<QLabel*>("Lbl_fineNE")->text(), QString("6"));
    QCOMPARE(mini->findChild<QScrollBar*>("hs1")->maximum(), 6);
    QTest::keyClick(program.scroll(), Qt::Key_Home);
    QCOMPARE(program.boxes(1, 5), QString("90 01 02 03 04"));
  }

  void scrollBarAndIndexLabelChooseTheDraw() {
    Program program(fiveDraws());
    program.open();
    QTest::keyClick(program.scroll(), Qt::Key_Left);
    QCOMPARE(program.shown(), QString("4 | 05/12/2025 | 3 | 4"));
    QCOMPARE(program.boxes(51, 55), QString("90 81 72 63 54"));
    QTest::keyClick(program.scroll(), Qt::Key_Home);
    QCOMPARE(program.shown(), QString("1 | 25/11/2025 | 1 | 1"));
    QCOMPARE(program.boxes(1, 10), QString("01 02 03 04 05 00 00 00 00 00"));
    program.click("Command4");  // "Vai ultima estrazione"
    QCOMPARE(program.label("pAN_DC"), QString("5"));

    // A click on the index: an input box offering 3894; a whole number in range is shown.
    for (const char* answer : {"3", "9", "tre", "0"}) program.dialogs.answerText(answer);
    program.dialogs.answerCancel();
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
      QTest::mouseClick(program.find<QLabel>("pAN_DC"), Qt::LeftButton);
      seen << program.label("pAN_DC");
    }
    QCOMPARE(seen, (QStringList{"3", "3", "3", "3", "3"}));
    const auto& input = program.dialogs.shown().front();
    QCOMPARE(input.text + "|" + input.title + "|" + input.offered,
             QString("Digitare il numero indice|Indice estrazione|3894"));
    QVERIFY(program.dialogs.messages().isEmpty());
  }

  // Keys typed into the real boxes; every case starts from empty boxes after "AZZERA GRID ".
  void keysFilterAndMove_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");  // 0: none
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("text");  // of the start box afterwards
    QTest::newRow("95 is emptied") << 1 << "95" << 0 << 1 << "";
    QTest::newRow("99 passes") << 1 << "99" << 0 << 1 << "99";
    QTest::newRow("letter refused") << 1 << "x" << 0 << 1 << "";
    QTest::newRow("one digit, Right empties") << 1 << "7" << int(Qt::Key_Right) << 1 << "";
    QTest::newRow("one digit, Enter pads") << 1 << "7" << int(Qt::Key_Return) << 2 << "07";
    QTest::newRow("keypad Enter") << 7 << "45" << int(Qt::Key_Enter) << 8 << "45";
    QTest::newRow("Enter from 55 to 1") << 55 << "12" << int(Qt::Key_Return) << 1 << "12";
    QTest::newRow("Enter on empty") << 20 << "" << int(Qt::Key_Return) << 20 << "";
    QTest::newRow("Enter on 00") << 20 << "00" << int(Qt::Key_Return) << 20 << "";
    QTest::newRow("Down from 53 to 3") << 53 << "" << int(Qt::Key_Down) << 3 << "";
    QTest::newRow("Up from 2 to 52") << 2 << "" << int(Qt::Key_Up) << 52 << "";
    QTest::newRow("Right from 10 to 6") << 10 << "33" << int(Qt::Key_Right) << 6 << "33";
    QTest::newRow("Left from 6 to 10") << 6 << "" << int(Qt::Key_Left) << 10 << "";
    QTest::newRow("Down inside") << 12 << "" << int(Qt::Key_Down) << 17 << "";
    QTest::newRow("Tab leaves 4 as 04") << 1 << "4" << int(Qt::Key_Tab) << 2 << "04";
  }
  void keysFilterAndMove() {
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, focus);
    QFETCH(QString, text);
    Program program(fiveDraws());
    program.open();
    program.activate();
    program.click("Command1");  // "AZZERA GRID "
    QCOMPARE(program.boxes(1, 55).trimmed(), QString());
    QLineEdit* box = program.box(start);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, typed);
    if (key != 0) QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(box->text(), text);
    QCOMPARE(focused(), program.box(focus));
    QCOMPARE(base(program.box(focus)), kYellowQ);
    if (focus != start) QCOMPARE(base(box), kWhiteQ);
  }

  void enteringABoxSelectsItsText() {
    Program program(fiveDraws());
    program.open();
    program.activate();
    QLineEdit* box = program.box(37);  // Roma, position 2: "17"
    QTest::mouseClick(box, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(base(box), kYellowQ);
    QTest::keyClicks(box, "8");
    QCOMPARE(box->text(), QString("8"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(program.boxes(37, 38), QString("08 27"));
    QCOMPARE(focused(), program.box(38));
    QTest::keyClicks(program.box(38), "61");
    QCOMPARE(program.box(38)->text(), QString("61"));
  }

  void paste_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("first");  // boxes 1..8 afterwards
    QTest::addColumn<QString>("last");   // boxes 51..55
    QTest::addColumn<QStringList>("messages");
    const QString unchanged = "01 02 03 04 05 00 00 00";
    const QStringList refused{"Attenzione i dati di origine sono di formato incompatibile"};
    QTest::newRow("date and numbers") << "12/05/2023 1 2 3"
                                      << "12 05  01 02 03 00 00"
                                      << "00 00 00 00 00" << QStringList();
    QString full;
    for (int n = 1; n <= 55; ++n) full += QString::number(n % 90 + 1) + (n % 5 ? "-" : "\r\n");
    QTest::newRow("55 numbers, one line per wheel") << full << "02 03 04 05 06 07 08 09"
                                                    << "52 53 54 55 56" << QStringList();
    QTest::newRow("56 numbers") << full + " 4" << unchanged << "00 00 00 00 00" << refused;
  }
  void paste() {
    QFETCH(QString, clipboard);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, messages);
    Program program(fiveDraws());
    program.open();
    QTest::keyClick(program.scroll(), Qt::Key_Home);  // draw 1, Bari 01..05
    QGuiApplication::clipboard()->setText(clipboard);
    program.click("Command12");
    QCOMPARE(program.boxes(1, 8), first);
    QCOMPARE(program.boxes(51, 55), last);
    QCOMPARE(program.dialogs.messages(), messages);
    if (messages.isEmpty()) return;
    QCOMPARE(program.lastShown().title, QString("Avviso"));
    QCOMPARE(program.lastShown().icon, Dialogs::Icon::Critical);
  }

  void saveUnderAFreeDateStoresTheBoxesAsTheyStand() {
    Program program(fiveDraws());
    auto* mini = program.main->openMiniList();
    program.open();
    QSignalSpy outdated(program.gestione(), &GestioneEstrazioniTab::updateCheckOutdated);
    QString numbers;
    for (int n = 1; n <= 50; ++n) numbers += QString::number(n) + " ";
    QGuiApplication::clipboard()->setText(numbers);
    program.click("Command12");
    for (int b = 51; b <= 55; ++b) program.box(b)->clear();  // no Nazionale
    program.box(6)->setText("6");                            // one digit, as it stands
    program.box(10)->setText("10");
    program.calendar()->setSelectedDate(QDate(2025, 12, 11));
    QCOMPARE(program.find<QLineEdit>("Text1")->text(), QString("11/12/2025"));
    const QStringList before = test::storedRows(program.path);

    program.dialogs.answerYes();
    program.click("Command8");
    const QStringList after = test::storedRows(program.path);
    QCOMPARE(after.mid(0, 5), before);
    QCOMPARE(after.size(), 6);
    QCOMPARE(after[5],
             QString("2025-12-11|01-02-03-04-05|6-07-08-09-10|11-12-13-14-15|16-17-18-19-20|"
                     "21-22-23-24-25|26-27-28-29-30|31-32-33-34-35|36-37-38-39-40|"
                     "41-42-43-44-45|46-47-48-49-50|----"));
    QVERIFY(stamp(program.path, "2025-12-11")
                .contains(QRegularExpression("^" + QDate::currentDate().toString("yyyy-MM-dd") +
                                             " \\d\\d:\\d\\d:\\d\\d$")));

    // The window, the main window and the mini list follow the reloaded archive.
    QCOMPARE(program.shown(), QString("6 | 11/12/2025 | 5 | 6"));
    QCOMPARE(program.label("Label2"), QString("6"));
    QCOMPARE(program.label("LBLAGGIORNATO"), QString("11/12/2025"));
    // The stored "6-07-08-09-10" reads at fixed offsets: "6-", "7-", "8-", "9-", "0".
    QCOMPARE(program.boxes(6, 10), QString("06 07 08 09 00"));
    QCOMPARE(program.boxes(51, 55), QString("00 00 00 00 00"));
    QCOMPARE(program.scroll()->maximum(), 6);
    program.window->tabs()->setCurrentIndex(1);
    const Grid& list = program.find<GridView>("FgDB")->grid();
    QCOMPARE(list.rows(), 7);
    QCOMPARE(list.text(6, 1), std::string("11/12/2025"));
    QCOMPARE(program.main->findChild<QLabel*>("LblFine")->text(), QString("11/12/2025"));
    QCOMPARE(program.main->findChild<QLabel*>("Lbl_fineNE")->text(), QString("6"));
    QCOMPARE(program.main->findChild<GridView*>("fgpa")->grid().rows(), 7);
    QCOMPARE(mini->findChild<QScrollBar*>("hs1")->maximum(), 6);
    QCOMPARE(outdated.count(), 1);
  }

  // Each change button asks, calls its core change with the boxes and the calendar's or the
  // shown draw's date, shows the core's notice or refusal, and reloads only when the table
  // changed. The texts and the rows written are the core's, tested in tests/archive.
  void changeButtonsShowTheCoresOutcome_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("date");     // the calendar's
    QTest::addColumn<bool>("yes");       // the answer to the question
    QTest::addColumn<bool>("badWheel");  // Roma partly filled: the core's refusal shown
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
  void changeButtonsShowTheCoresOutcome() {
    QFETCH(QString, button);
    QFETCH(QDate, date);
    QFETCH(bool, yes);
    QFETCH(bool, badWheel);
    QFETCH(Notice, notice);
    Program program(fiveDraws());
    program.open();
    QSignalSpy reloads(&program.context, &AppContext::archiveReloaded);
    program.box(36)->setText("77");  // Roma
    if (badWheel) program.box(38)->clear();
    program.calendar()->setSelectedDate(date);
    const QStringList before = test::storedRows(program.path);
    EntryBoxes boxes;
    for (int b = 1; b <= kEntryBoxCount; ++b)
      boxes.setText(b, program.box(b)->text().toStdString());
    yes ? program.dialogs.answerYes() : program.dialogs.answerNo();
    program.click(button.toLatin1().constData());

    QCOMPARE(program.questions().size(), 1);
    QString message = QString::fromUtf8(notice.text.data(), qsizetype(notice.text.size()));
    if (badWheel) message = QString::fromStdString(entryProblem(boxes));
    QCOMPARE(program.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
      QCOMPARE(program.lastShown().title, QString::fromUtf8(notice.title.data()));
      QCOMPARE(int(program.lastShown().icon), int(notice.icon));
    }
    const QStringList after = test::storedRows(program.path);
    QTEST(int(after.size()), "stored");
    const bool changed = yes && !badWheel && notice.text != kDateAlreadyStored.text;
    QCOMPARE(after != before, changed);
    QCOMPARE(reloads.count(), changed ? 1 : 0);
    if (!changed) QCOMPARE(program.box(36)->text(), QString("77"));  // the boxes stay as typed
  }

  // MODIFICA ESTRAZIONE changes the shown draw, whatever the calendar says.
  void modifyKeepsTheDate() {
    Program program(fiveDraws());
    program.open();
    QSignalSpy outdated(program.gestione(), &GestioneEstrazioniTab::updateCheckOutdated);
    program.scroll()->setValue(3);
    program.box(6)->setText("12");
    program.calendar()->setSelectedDate(QDate(2026, 1, 8));  // not the date used
    QStringList expected = test::storedRows(program.path);
    expected[2] =
        "2025-12-04|00-00-00-00-00|12-22-33-44-55" + QString("|00-00-00-00-00").repeated(9);
    program.dialogs.answerYes();
    program.click("Command3");
    QCOMPARE(test::storedRows(program.path), expected);
    QCOMPARE(program.shown(), QString("3 | 04/12/2025 | 2 | 3"));
    QCOMPARE(program.boxes(6, 10), QString("12 22 33 44 55"));
    QCOMPARE(program.calendar()->selectedDate(), QDate(2025, 12, 4));
    QCOMPARE(program.find<QLineEdit>("Text1")->text(), QString("04/12/2025"));
    QCOMPARE(outdated.count(), 1);
  }

  void deleteOfTheLatestDrawShowsTheNewLatest() {
    Program program(fiveDraws());
    auto* mini = program.main->openMiniList();
    program.open();
    const QStringList before = test::storedRows(program.path);
    program.dialogs.answerYes();
    program.click("Command2");
    QCOMPARE(test::storedRows(program.path), before.mid(0, 4));
    QCOMPARE(program.shown(), QString("4 | 05/12/2025 | 3 | 4"));
    QCOMPARE(program.label("LBLAGGIORNATO"), QString("05/12/2025"));
    QCOMPARE(program.label("Label2"), QString("4"));
    QCOMPARE(program.scroll()->maximum(), 4);
    QCOMPARE(program.label("Label9"), QString("5"));  // the list follows when in view
    program.window->tabs()->setCurrentIndex(1);
    QCOMPARE(program.find<GridView>("FgDB")->grid().rows(), 5);
    QCOMPARE(program.label("Label9"), QString("4"));
    QCOMPARE(program.main->findChild<QLabel*>("LblFine")->text(), QString("05/12/2025"));
    // The mini list stood on the deleted draw: it moves to the new latest one.
    QCOMPARE(mini->findChild<QScrollBar*>("hs1")->maximum(), 4);
    QCOMPARE(mini->shownDraw(), 4);
    QCOMPARE(mini->findChild<QLabel*>("Label1")->text(), QString("05/12/2025"));
  }

  void searches_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");  // null: cancelled
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("messages");
    const QStringList none, notFound{"Data non trovata"};
    QTest::newRow("index 19 refused") << "Command42_1"
                                      << "19" << 30 << none;
    QTest::newRow("index 20 accepted") << "Command42_1"
                                       << "20" << 20 << none;
    QTest::newRow("index cancelled") << "Command42_1" << QString() << 30 << none;
    QTest::newRow("date found") << "Command59"
                                << "29/01/2000" << 5 << none;
    QTest::newRow("date without leading zeros") << "Command59"
                                                << "1/1/2000" << 30 << notFound;
    QTest::newRow("date cancelled") << "Command59" << QString() << 30 << notFound;
  }
  void searches() {
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QFETCH(QStringList, messages);
    Program program(test::weeklyDraws(30));
    program.open();
    if (answer.isNull())
      program.dialogs.answerCancel();
    else
      program.dialogs.answerText(answer);
    program.click(button.toLatin1().constData());
    QCOMPARE(program.label("pAN_DC"), QString::number(expected));
    QCOMPARE(program.dialogs.messages(), messages);
  }

  void yearCalendarShowsAndPicksTheDraws() {
    Program program(fiveDraws());
    program.open();
    auto* fg1 = program.find<GridView>("Fg1");
    program.find<QComboBox>("Combo1")->setCurrentText("2025");
    const Grid& grid = fg1->grid();
    // Days 2, 4, 5, 9 and 25 in columns 3..7; November then December.
    QCOMPARE(QString::fromStdString(grid.clipText()), QString("\tA\tM\t2\t4\t5\t9\t25\r"
                                                              "\t2025\t11\t\t\t\t\t3\r"
                                                              "\t2025\t12\t3\t5\t6\t3\t"));
    QCOMPARE(fg1->currentGridRow(), 2);  // the year's latest draw, 09/12
    QCOMPARE(fg1->currentGridCol(), 6);
    QCOMPARE(fg1->columnWidth(3), 260 / 15);

    emit fg1->cellClicked(2, 4);  // 04/12/2025
    QCOMPARE(program.label("LBLESTRAZIONE"), QString("04/12/2025"));
    QCOMPARE(program.calendar()->selectedDate(), QDate(2025, 12, 4));
    QCOMPARE(program.find<QLineEdit>("Text1")->text(), QString("04/12/2025"));
    emit fg1->cellClicked(1, 3);  // no draw on 02/11
    QCOMPARE(program.label("LBLESTRAZIONE"), QString("04/12/2025"));
    fg1->setCurrentCell(1, 7);  // Enter on a day works as a click
    QTest::keyClick(fg1, Qt::Key_Return);
    QCOMPARE(program.label("pAN_DC"), QString("1"));

    QTest::mouseClick(program.find<QCheckBox>("Check2"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(grid.clipText({2, 3, 2, 6})), QString("M\tG\tV\tM"));
    QTest::mouseClick(program.find<QCheckBox>("Check2"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(grid.clipText({2, 3, 2, 6})), QString("3\t5\t6\t3"));

    // A year without draws: an empty calendar.
    program.find<QComboBox>("Combo1")->setCurrentText("2024");
    QCOMPARE(fg1->grid().dataRows(), 0);
    // "Imposta data" and "Imposta data odierna".
    program.click("Command6");
    QCOMPARE(program.calendar()->selectedDate(), QDate(2025, 11, 25));
    program.click("Command9");
    QCOMPARE(program.calendar()->selectedDate(), QDate::currentDate());
  }

  void aSaveShowsInTheYearCalendar() {
    Program program(fiveDraws());
    program.open();
    program.find<QComboBox>("Combo1")->setCurrentText("2025");
    program.calendar()->setSelectedDate(QDate(2025, 12, 30));
    program.dialogs.answerYes();
    program.click("Command8");
    const Grid& grid = program.find<GridView>("Fg1")->grid();
    QCOMPARE(program.find<QComboBox>("Combo1")->currentText(), QString("2025"));
    QCOMPARE(grid.text(0, grid.cols() - 1), std::string("30"));
    QCOMPARE(grid.text(2, grid.cols() - 1), std::string("3"));  // a Tuesday
  }

  void drawListPicksADraw() {
    Program program(fiveDraws());
    auto* window = program.open();
    window->tabs()->setCurrentIndex(1);
    auto* fgDB = program.find<GridView>("FgDB");
    QCOMPARE(program.label("Label9"), QString("5"));
    QCOMPARE(QString::fromStdString(fgDB->grid().clipText({3, 1, 3, 3})),
             QString("04/12/2025\t\t11-22-33-44-55"));
    fgDB->setCurrentCell(2, 1);
    auto yellowRows = [fgDB] {
      QList<int> rows;
      for (int r = 1; r < fgDB->grid().rows(); ++r)
        if (fgDB->grid().backColor(r, 5) == kYellow) rows << r;
      return rows;
    };
    QCOMPARE(yellowRows(), QList<int>{2});
    fgDB->setCurrentCell(4, 3);
    QCOMPARE(yellowRows(), QList<int>{4});
    // A reload while the list is in view reaches it at once.
    {
      sqlite::Database other(program.path, sqlite::Database::Mode::ReadWrite);
      other.execute("INSERT INTO EstrazioniLotto (DataEstrazione) VALUES ('2025-12-16')");
    }
    program.context.reloadArchive();
    QCOMPARE(fgDB->grid().rows(), 7);
    QCOMPARE(program.label("Label9"), QString("6"));
    fgDB->setCurrentCell(4, 3);
    program.click("Command11");  // "Selezione estrazione"
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QCOMPARE(program.shown(), QString("4 | 05/12/2025 | 3 | 4"));
    QCOMPARE(program.calendar()->selectedDate(), QDate(2025, 12, 5));
    QCOMPARE(program.find<QLineEdit>("Text1")->text(), QString("05/12/2025"));
  }

  void drawListScrollsToEitherEnd() {
    Program program(test::weeklyDraws(300));
    auto* window = program.open();
    window->tabs()->setCurrentIndex(1);
    auto* fgDB = program.find<GridView>("FgDB");
    program.click("Command13");
    const QModelIndex last = fgDB->model()->index(fgDB->gridModel().modelRow(300), 0);
    QVERIFY(fgDB->viewport()->rect().contains(fgDB->visualRect(last)));
    program.click("Command14");
    QCOMPARE(fgDB->topRow(), 1);
  }

  void helpOpensTheArchiveSection() {
    Program program(fiveDraws());
    program.open();
    program.context.help().setFile("Cimavert.chm");
    program.click("CmDHelp");
    QCOMPARE(program.context.help().file(), QString("helpquintello.chm"));
    QTextBrowser* help = program.context.help().window();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->source().fragment(), QString("archivio"));
    QVERIFY(help->toPlainText().contains("Ricerca per numero indice accetta un indice da 20"));
  }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
