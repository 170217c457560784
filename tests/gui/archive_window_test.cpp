// The archive window's controls: what they show or write is the archive operation's own result.
#include "gui/archive/archive_window.h"

#include <filesystem>

#include "archive/calendar.h"
#include "archive/draw_changes.h"
#include "archive/draw_file.h"
#include "archive/draw_navigation.h"
#include "core/parameters.h"
#include "gui/archive/aggiornamenti_tab.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/archive/official_archive_download.h"
#include "gui/archive/salvataggi_tab.h"
#include "gui/support/program.h"
#include "support/local_http_server.h"

using namespace quintello;

namespace {

struct Program : test::Program {
  explicit Program(const std::vector<test::TestDraw>& draws = test::fiveDraws())
      : test::Program(draws, true) {
    context.setProgramDatabase(ProgramDatabase::create(
        context.files().programDatabasePath(),
        {{"IndirizzoInternet", "http://www.esempio.it", ""}, {"PercorsoDati.iii", "", ""}}));
    context.setInternetAddress("http://www.esempio.it");
  }

  archivio* open() {
    test::click(main.get(), "Command1");
    return window = main->findChild<archivio*>();
  }
  template <class T = QWidget>
  T* find(const char* name) {
    return test::the<T>(window, name);
  }
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
  EntryGrid* entry() { return window->gestione()->entryGrid(); }
  QCalendarWidget* calendar() { return find<QCalendarWidget>("MonthView1"); }
  QScrollBar* scroll() { return find<QScrollBar>("HScrestrazione"); }
  bool shows(int draw) {
    const ShownDrawLabels seen{label("LBLESTRAZIONE").toStdString(), label("pAN_DC").toStdString(),
                               label("LabelPM").toStdString(), label("LabelPA").toStdString()};
    return seen == shownDrawLabels(context.archive(), draw) &&
           entry()->boxes() == MostraEstrazione(context.archive(), draw);
  }
  void insertBehindItsBack(CalendarDate date) {
    auto other = ArchiveDatabase::open(path);
    QVERIFY(salvaEstrazione(other, EntryBoxes(), date).changed);
  }

  AggiornamentiTab* updates() { return window->aggiornamenti(); }
  GridView* fgImporta() { return find<GridView>("FgImporta"); }
  std::vector<std::string> list4() {
    std::vector<std::string> texts;
    for (int i = 0; i < find<QListWidget>("List4")->count(); ++i)
      texts.push_back(find<QListWidget>("List4")->item(i)->text().toStdString());
    return texts;
  }
  std::string parameter(std::string_view key) {
    return context.programDatabase()->getParameter(key).value_or("<manca>");
  }
  std::string file(const char* name = "aggiornamento.txt") const { return dir.file(name); }
  void updateFromFile(const QByteArray& bytes) {
    test::writeFile(file(), bytes.toStdString());
    dialogs.answerText(QString::fromStdString(file()));
    click("Command21");
  }
  bool checkForUpdates(const UpdateSource& source) {
    updates()->setUpdateSource(source);
    QSignalSpy handled(updates(), &AggiornamentiTab::downloadHandled);
    click("Command18");
    return handled.wait(10'000);
  }

  archivio* window = nullptr;
};

// One line of an update file: the date, Bari's group, the other wheels' groups blank, " pr".
QByteArray updateLine(const char* date, const char* bari) {
  return date + (' ' + QByteArray(bari)) + QByteArray(14 * 10 + 10, ' ') + " pr\r\n";
}

// The stored draw as it is, one that differs on Bari, and a new one.
const QByteArray kThreeLines = updateLine("25/11/2025", "01-02-03-04-05") +
                               updateLine("02/12/2025", "10-20-30-40-51") +
                               updateLine("11/12/2025", "12-34-56-78-90");
const QByteArray kOfficialText =
    "2025/12/02\tBA\t10\t20\t30\t40\t51\n2025/12/11\tRN\t1\t11\t21\t31\t41\n";
const QString kStorto = QString::fromUtf8(update_text::kQualcosaStorto);

}  // namespace

class ArchiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Opening reads the file again; every way to a draw shows it; asked again, the same window.
  void opensOnTheLatestDrawAndShowsTheOneAskedFor() {
    Program p(test::weeklyDraws(30));
    p.insertBehindItsBack({1871, 1, 7});
    auto* window = p.open();
    QVERIFY(p.shows(31));
    QCOMPARE(p.find<QComboBox>("Combo1")->itemText(0), QString("1871"));
    QTest::keyClick(p.scroll(), Qt::Key_Left);
    QVERIFY(p.shows(30));
    p.click("Command4");
    QVERIFY(p.shows(31));
    const auto date5 =
        QString::fromStdString(shownDrawLabels(p.context.archive(), 5).LBLESTRAZIONE);
    for (const auto& [control, answer, draw] : {std::tuple{"pAN_DC", QString("3"), 3},
                                                {"Command42_1", QString("20"), 20},
                                                {"Command59", date5, 5}}) {
      p.dialogs.answerText(answer);
      p.click(control);
      QVERIFY(p.shows(draw));
    }
    p.click("Command59");  // cancelled
    QCOMPARE(p.dialogs.messages(), QStringList{"Data non trovata"});
    p.open();  // asked again: the same window, on the same draw
    QCOMPARE(p.main->findChildren<archivio*>(), QList{window});
    QVERIFY(p.shows(5));
    p.context.help().setFile("Cimavert.chm");  // as another window leaves it
    p.click("CmDHelp");
    QCOMPARE(p.context.help().file(), QString("helpquintello.chm"));
    QCOMPARE(p.context.help().window()->source().fragment(), QString("archivio"));
  }

  // Each change asks, shows the archive's notice or refusal, and reloads only after a change.
  // The button, the answer, Cagliari partly filled, the notice, draws stored, calendar's date.
  void changeButtonsShowTheOutcome() {
    using Case = std::tuple<const char*, bool, bool, Notice, int, QDate>;
    const QDate free(2025, 12, 20), taken(2025, 12, 4);
    for (const auto& [button, yes, badWheel, notice, stored, date] :
         {Case{"Command8", true, false, kDrawSaved, 6, free},
          Case{"Command8", true, false, kDateAlreadyStored, 5, taken},
          Case{"Command8", true, true, {}, 5, free}, Case{"Command8", false, false, {}, 5, free},
          Case{"Command3", true, false, kDrawModified, 5, free},
          Case{"Command3", true, true, {}, 5, free}, Case{"Command3", false, false, {}, 5, free},
          Case{"Command2", true, false, kDrawDeleted, 4, free},
          Case{"Command2", false, false, {}, 5, free}}) {
      Program p;
      p.open();
      QSignalSpy reloads(&p.context, &AppContext::archiveReloaded);
      p.scroll()->setValue(3);
      p.entry()->box(6)->setText("77");
      if (badWheel) p.entry()->box(8)->clear();
      p.calendar()->setSelectedDate(date);
      const auto before = test::storedRows(p.path);
      const QString message = QString::fromStdString(badWheel ? entryProblem(p.entry()->boxes())
                                                              : std::string(notice.text));
      yes ? p.dialogs.answerYes() : p.dialogs.answerNo();
      p.click(button);
      QCOMPARE(p.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
      const auto after = test::storedRows(p.path);
      QCOMPARE(int(after.size()), stored);
      QCOMPARE(reloads.count(), after != before ? 1 : 0);
      QCOMPARE(p.label("Label2"), QString::number(after.size()));
      if (after == before) QCOMPARE(p.entry()->box(6)->text(), QString("77"));  // as typed
      if (notice.text == kDrawModified.text) {  // the same draw again, its date on the calendar
        QVERIFY(p.shows(3));
        QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 4));
      }
    }
  }

  void yearCalendarPicksTheDrawsAndSalvataggiStores() {
    Program p;
    p.open();
    auto* fg1 = p.find<GridView>("Fg1");
    auto calendar = [&p](bool letters) {
      return caricaCalendario(*p.context.archiveDatabase(), "2025", letters).value();
    };
    p.find<QComboBox>("Combo1")->setCurrentText("2025");
    QCOMPARE(test::differences(fg1, calendar(false).Fg1), QString());
    QCOMPARE(fg1->currentGridCol(), calendar(false).current->col);
    emit fg1->cellClicked(2, 4);  // 04/12/2025
    QVERIFY(p.shows(3));
    QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 4));
    QTest::mouseClick(p.find<QCheckBox>("Check2"), Qt::LeftButton);
    QCOMPARE(test::differences(fg1, calendar(true).Fg1), QString());
    p.calendar()->setSelectedDate(QDate(2025, 12, 30));
    p.dialogs.answerYes();
    p.click("Command8");
    QCOMPARE(test::differences(fg1, calendar(true).Fg1), QString());
    p.calendar()->setSelectedDate(QDate(2025, 1, 1));
    p.click("Command6");  // "Imposta data": the shown draw's
    QCOMPARE(p.calendar()->selectedDate(), QDate(2025, 12, 30));
    p.dialogs.clear();
    p.window->salvataggi()->setZefiralPath(p.file("DATI32.III"));
    for (const auto& [button, chosen, written, format] :
         {std::tuple{"Command10", "Dati.iii", "Dati.iii", ExportFormat::DatiIii},
          {"Command34", "nazionale", "nazionale.Txt", ExportFormat::Nazionale},
          {"Command7", "", "DATI32.III", ExportFormat::Zefiral}}) {
      if (*chosen) p.dialogs.answerText(QString::fromStdString(p.file(chosen)));
      p.click(button);
      NoProgress none;
      exportArchive(format, p.context.archive(), p.file("atteso"), none);
      QCOMPARE(test::readFile(p.file(written)), test::readFile(p.file("atteso")));
    }
    p.window->salvataggi()->setZefiralPath(p.file("manca/DATI32.III"));
    p.click("Command7");
    p.dialogs.answerText(QString::fromStdString(p.file("manca/Dati.iii")));
    p.click("Command10");
    QCOMPARE(p.dialogs.messages().size(), 2);
    QVERIFY(p.dialogs.messages()[1].contains("manca/Dati.iii"));
    QCOMPARE(p.label("Label13"), QString::fromStdString(p.file("Dati.iii")));
    p.dialogs.clear();
    p.click("Command35");
    QCOMPARE(p.parameter(parameter::kPercorsoDatiIii), p.file("Dati.iii"));
    QCOMPARE(p.dialogs.messages(), QStringList{"Salvataggio effettuato"});
    // The shown address stays until the next start.
    QGuiApplication::clipboard()->setText("https://nuovo.esempio.it/lotto");
    p.click("Command16");
    p.click("Command15");
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "https://nuovo.esempio.it/lotto");
    QCOMPARE(p.label("Label5"), QString("http://www.esempio.it"));
    // The official archive's address: a row the database lacked, used at once.
    auto* official = p.find<QLineEdit>("TextArchivioUfficiale");
    official->setText("ftp://127.0.0.1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.parameter(parameter::kIndirizzoArchivioUfficiale), "<manca>");
    official->setText("http://127.0.0.1:1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.updates()->updateSource().address, "http://127.0.0.1:1/storico.zip");
    p.dialogs.clear();
    for (const char* scheme : {"http", "file"})
      QDesktopServices::setUrlHandler(scheme, this, "open");
    for (const char* address : {"www.esempio.it", "file:///usr/bin/xterm"}) {
      p.find<QLabel>("Label5")->setText(address);
      p.click("Command5");
    }
    for (const char* scheme : {"http", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(opened_, QList<QUrl>{QUrl("http://www.esempio.it")});
    QCOMPARE(p.dialogs.messages().size(), 1);  // the program refused
  }

  // FgDB follows a reload made while it was out of view, and at once while in view.
  void drawListShowsAndPicksTheDraws() {
    Program p(test::weeklyDraws(300));
    auto* window = p.open();
    p.insertBehindItsBack({2099, 1, 1});
    p.context.reloadArchive();
    window->tabs()->setCurrentIndex(1);
    auto* fgDB = p.find<GridView>("FgDB");
    Grid expected = FgDBGrid(p.context.archive());
    fgDB->setCurrentCell(4, 3);
    highlightFgDBRow(expected, 4);
    QCOMPARE(test::differences(fgDB, expected), QString());
    p.insertBehindItsBack({2099, 1, 2});
    p.context.reloadArchive();
    QCOMPARE(p.label("Label9"), QString("302"));
    fgDB->setCurrentCell(4, 3);
    p.click("Command11");
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QVERIFY(p.shows(4));
    QCOMPARE(p.find<QLineEdit>("Text1")->text(), p.label("LBLESTRAZIONE"));
  }

  // A file picked or downloaded is checked, then applied, as the archive layer does it.
  // The bytes (none: nothing checked), downloaded or a file, "correct", reloads, tab shown after.
  void updatesDoWhatTheArchiveLayerDoes() {
    using Case = std::tuple<QByteArray, bool, bool, int, int>;
    const QByteArray notADraw = kThreeLines + updateLine("12/12/2025", "00-34-56-78-90");
    for (const auto& [bytes, download, correct, reloadCount, tab] :
         {Case{kThreeLines, false, false, 1, 0}, Case{kThreeLines, false, true, 1, 0},
          Case{kOfficialText, false, true, 1, 3}, Case{notADraw, false, true, 0, 3},
          Case{{}, false, true, 0, 0}, Case{kThreeLines, true, true, 1, 0},
          Case{"<html>\r\n\x01,\"\r\n</html>", true, true, 0, 3}}) {
      Program p;
      p.open();
      std::filesystem::copy_file(p.path, p.file("copia.mdb"));
      ArchiveDatabase db = ArchiveDatabase::open(p.file("copia.mdb"));
      test::LocalHttpServer server;
      server.serveBody("/f", bytes.toStdString());
      const UpdateSource source{UpdateSource::Kind::MakersServer, server.url("/f")};
      std::vector<UpdateRow> rows;
      if (!bytes.isEmpty() && !download) {
        p.updateFromFile(bytes);
        rows = readDrawFile(p.file()).rows;
      } else if (!bytes.isEmpty()) {
        QVERIFY(p.checkForUpdates(source));
        rows = fetchUpdate(source, p.dir.path(), {}).rows;
      }
      NoProgress none;
      const UpdateCheck check = checkUpdateRows(rows, db, none);
      QCOMPARE(test::differences(p.fgImporta(), importGrid(check)), QString());
      QVERIFY(p.list4() == check.messages);

      const ApplyResult expected = applyUpdate(check, db, correct, none);
      p.window->tabs()->setCurrentIndex(3);
      p.find<QCheckBox>("Check3")->setChecked(correct);
      QSignalSpy reloads(&p.context, &AppContext::archiveReloaded);
      p.click("Command28");
      QCOMPARE(test::storedRows(p.path), test::storedRows(p.file("copia.mdb")));
      const auto notice = expected.failure ? expected.failure : applyNotice(expected);
      QCOMPARE(p.dialogs.messages(),
               notice ? QStringList{QString::fromStdString(std::string(*notice))} : QStringList());
      std::vector<std::string> list4 = expected.failure ? check.messages : expected.messages;
      if (expected.failure) list4.push_back(*expected.failure);
      QVERIFY(p.list4() == list4);
      QCOMPARE(int(reloads.size()), reloadCount);
      QCOMPARE(p.window->tabs()->currentIndex(), tab);
      QCOMPARE(p.fgImporta()->grid().rows(), expected.failure ? int(check.rows.size()) + 1 : 1);
    }
  }

  // Refused files and failed downloads keep the check and the copy shown before; then the boxes.
  void failuresOfTheUpdatesAreToldAndTheBoxesFill() {
    Program p;
    p.open();
    p.updateFromFile(kThreeLines);
    test::writeFile(p.file(), std::string_view("\x89PNG\r\n\x1a\n\0\0\0", 11));
    p.click("Command21");  // cancelled
    p.dialogs.answerText(QString::fromStdString(p.file()));
    p.click("Command21");
    QCOMPARE(p.dialogs.messages(),
             (QStringList{kStorto, QString::fromUtf8(update_text::kFormatoNonCorretto)}));
    QCOMPARE(p.fgImporta()->grid().rows(), 4);
    // A save or a modify on the first tab makes the check out of date: FgImporta empties.
    for (auto change : {&GestioneEstrazioniTab::saveDraw, &GestioneEstrazioniTab::modifyDraw}) {
      p.updateFromFile(kThreeLines);
      QCOMPARE(p.fgImporta()->grid().rows(), 4);
      p.window->gestione()->setCalendarDate(QDate(2025, 12, 13));
      p.dialogs.answerYes();
      (p.window->gestione()->*change)();
      QCOMPARE(p.fgImporta()->grid().rows(), 1);
    }
    // Command26 stops a running download without a word.
    p.dialogs.clear();
    test::writeFile(p.file("Estr_Agg.txt"), "copia precedente");
    test::LocalHttpServer server;
    server.serveStatus("/404", 404);
    QVERIFY(p.checkForUpdates({UpdateSource::Kind::MakersServer, server.url("/404")}));
    QVERIFY(
        p.dialogs.messages().value(0).startsWith(kStorto + "Collegamento al sito\n\nIl server"));
    server.serveSilence("/f");
    p.updates()->setUpdateSource({UpdateSource::Kind::MakersServer, server.url("/f")});
    QVERIFY(!p.find<QPushButton>("Command26")->isEnabled());
    QSignalSpy handled(p.updates(), &AggiornamentiTab::downloadHandled);
    p.click("Command18");
    for (const char* name : {"Command21", "Command18", "Command28"})  // nothing else meanwhile
      QVERIFY(!p.find<QPushButton>(name)->isEnabled());
    QTest::qWait(50);
    p.click("Command26");
    QVERIFY(handled.wait(5000));
    QCOMPARE(p.dialogs.messages().size(), 1);
    QCOMPARE(test::readFile(p.file("Estr_Agg.txt")), "copia precedente");
    QVERIFY(p.find<QPushButton>("Command18")->isEnabled());
    p.dialogs.clear();
    p.window->tabs()->setCurrentIndex(0);
    p.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.window));
    // A click must leave the box's text selected, after placing the cursor.
    QTest::mouseClick(p.entry()->box(37), Qt::LeftButton);
    QCoreApplication::processEvents();
    QTest::keyClicks(p.entry()->box(37), "8");
    QCOMPARE(p.entry()->box(37)->text(), QString("8"));
    // The box typed into, the keys, the box with the focus afterwards and the first one's text.
    using Case = std::tuple<int, const char*, Qt::Key, int, const char*>;
    for (const auto& [start, typed, key, focus, text] :
         {Case{1, "x", Qt::Key_unknown, 1, ""}, Case{1, "7", Qt::Key_Return, 2, "07"},
          Case{7, "45", Qt::Key_Enter, 8, "45"}, Case{53, "", Qt::Key_Down, 3, ""},
          Case{2, "", Qt::Key_Up, 52, ""}, Case{10, "33", Qt::Key_Right, 6, "33"},
          Case{6, "", Qt::Key_Left, 10, ""}, Case{1, "4", Qt::Key_Tab, 2, "04"}}) {
      p.click("Command1");
      QLineEdit* box = p.entry()->box(start);
      box->setFocus(Qt::TabFocusReason);
      QTest::keyClicks(box, typed);
      if (key != Qt::Key_unknown) QTest::keyClick(box, key);
      QCOMPARE(box->text(), QString(text));
      QCOMPARE(QApplication::focusWidget(), p.entry()->box(focus));
    }
    // "Incolla" fills the boxes from the clipboard, or shows the refusal and leaves them.
    for (const QString& text : {QString("12/05/2023 1 2 3"), QString("1 ").repeated(56)}) {
      QGuiApplication::clipboard()->setText(text);
      const EntryBoxes before = p.entry()->boxes();
      const PasteResult expected = parsePastedDraw((text + " ").toStdString());
      p.click("Command12");
      QVERIFY(p.entry()->boxes() == expected.boxes.value_or(before));
    }
    QCOMPARE(p.dialogs.messages(),
             QStringList{"Attenzione i dati di origine sono di formato incompatibile"});
  }

  // The main window's hidden Command4: a failure is told and leaves the file as it was.
  void officialArchiveDownload() {
    Program p;
    auto* download = p.main->findChild<OfficialArchiveDownload*>();
    download->setTarget(p.file("estratti.zip"));
    auto* button = p.main->findChild<QPushButton*>("Command4");
    test::LocalHttpServer server;
    const auto press = [&](const std::string& address) {
      download->setAddress(address.empty() ? address : server.url(address));
      QSignalSpy handled(download, &OfficialArchiveDownload::handled);
      button->click();
      return !handled.isEmpty() || handled.wait(10'000);
    };
    const QByteArray zip = QByteArray("PK\x03\x04", 4) + QByteArray(5000, '\x7f');
    server.serveBody("/zip", zip.toStdString());
    server.serveStatus("/404", 404);
    server.serveSilence("/muto");
    QVERIFY(press("/zip") && press("/404") && press(""));
    QTimer::singleShot(100, p.main.get(), [&] { QTest::keyClick(p.main.get(), Qt::Key_Escape); });
    QVERIFY(press("/muto"));
    QCOMPARE(p.dialogs.messages().size(), 2);  // the 404, then no address; Esc says nothing
    QVERIFY(p.dialogs.messages()[0].contains("404") &&
            p.dialogs.messages()[1].contains("non è impostato"));
    QCOMPARE(test::readFile(p.file("estratti.zip")), zip.toStdString());
  }

 public slots:  // the desktop's handler of web addresses, instead of a browser
  void open(const QUrl& url) { opened_ << url; }

 private:
  QList<QUrl> opened_;
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
