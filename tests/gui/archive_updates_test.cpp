// The archive window's "Aggiornamenti" and "Salvataggi" tabs driven as a user would, with
// downloads from a local HTTP server: each control calls its archive operation, and what the
// window shows or writes is compared with that operation's own result. The rules of the
// check, the apply, the downloads and the formats are tested in tests/archive.
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "archive/draw_file.h"
#include "archive/exports.h"
#include "archive/official_archive.h"
#include "archive/update_check.h"
#include "archive/update_download.h"
#include "core/parameters.h"
#include "gui/archive/aggiornamenti_tab.h"
#include "gui/archive/archive_window.h"
#include "gui/archive/gestione_tab.h"
#include "gui/archive/salvataggi_tab.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"
#include "support/local_http_server.h"
#include "support/zip_writer.h"

using namespace quintello;
using namespace std::chrono_literals;

namespace {

// One line of an update file: the date, each wheel's group of 14 characters (blanks for a
// wheel left out), then " pr".
QByteArray updateLine(const char* date, int wheel, const char* numbers) {
  QByteArray line(date);
  for (int w = 0; w < kWheelCount; ++w)
    line += ' ' + (w == wheel ? QByteArray(numbers) : QByteArray(14, ' '));
  return line + " pr\r\n";
}

// The stored draw as it is, one that differs on Bari, and a new one.
QByteArray threeLines() {
  return updateLine("25/11/2025", 0, "01-02-03-04-05") +
         updateLine("02/12/2025", 0, "10-20-30-40-51") +
         updateLine("11/12/2025", 0, "12-34-56-78-90");
}

const QByteArray kOfficialText =
    "2025/12/02\tBA\t10\t20\t30\t40\t51\n2025/12/11\tRN\t1\t11\t21\t31\t41\n";

QByteArray zipOf(const QByteArray& text) {
  test::TempDir dir;
  const std::string path = dir.file("storico.zip");
  return test::writeZip(path, {{"storico.txt", text.toStdString()}}) ? test::readFile(path) : "";
}

// The program on an archive file of five draws, its program database holding the
// parameters, with the archive window open.
struct Program : test::Program {
  Program() : test::Program(test::fiveDraws(), OnFile{}) {
    context.setProgramDatabase(ProgramDatabase::create(
        context.files().programDatabasePath(), {{"PercorsoArchivio", path, ""},
                                                {"IndirizzoInternet", "http://www.esempio.it", ""},
                                                {"PercorsoDati.iii", "", ""}}));
    context.setInternetAddress("http://www.esempio.it");
    window = main->openArchive();
  }
  template <class T = QWidget>
  T* find(const char* name) {
    return test::the<T>(window, name);
  }
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  AggiornamentiTab* updates() { return window->aggiornamenti(); }
  GridView* fgImporta() { return find<GridView>("FgImporta"); }
  QStringList list4() {
    QStringList texts;
    for (int i = 0; i < find<QListWidget>("List4")->count(); ++i)
      texts << find<QListWidget>("List4")->item(i)->text();
    return texts;
  }
  std::string parameter(std::string_view key) {
    return context.programDatabase()->getParameter(key).value_or("<manca>");
  }
  std::string file() const { return dir.file("aggiornamento.txt"); }
  // "AGGIORNA DA FILE" on a file holding the bytes.
  void updateFromFile(const QByteArray& bytes) {
    QVERIFY(test::writeFile(file(), bytes));
    dialogs.answerText(QString::fromStdString(file()));
    click("Command21");
  }
  // "CONTROLLO AGGIORNAMENTI" from the source, to its end.
  bool checkForUpdates(const UpdateSource& source) {
    updates()->setUpdateSource(source);
    QSignalSpy handled(updates(), &AggiornamentiTab::downloadHandled);
    click("Command18");
    return handled.wait(10'000);
  }
  std::string copy() const { return dir.file("Estr_Agg.txt"); }

  archivio* window = nullptr;
};

QStringList qStrings(const std::vector<std::string>& texts) {
  QStringList list;
  for (const auto& text : texts) list << QString::fromStdString(text);
  return list;
}

// Records the addresses handed to the desktop instead of opening a browser.
class Browser : public QObject {
  Q_OBJECT
 public:
  Browser() { QDesktopServices::setUrlHandler("http", this, "open"); }
  ~Browser() override { QDesktopServices::unsetUrlHandler("http"); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

class ArchiveUpdatesTest : public QObject {
  Q_OBJECT

 private slots:
  // A file picked by "AGGIORNA DA FILE" or downloaded by "CONTROLLO AGGIORNAMENTI" from either
  // kind of source: FgImporta and List4 show the check of the rows the archive layer reads.
  void theCheckOfEveryKindOfFileIsShown_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("from");  // -1: a file, else the kind of source downloaded from
    const int maker = int(UpdateSource::Kind::MakersServer),
              address = int(UpdateSource::Kind::Address);
    QTest::newRow("update file") << threeLines() << -1;
    QTest::newRow("official text") << kOfficialText << -1;
    QTest::newRow("official zip") << zipOf(kOfficialText) << -1;
    QTest::newRow("maker's file") << threeLines() << maker;
    QTest::newRow("maker's server, not an update file")
        << QByteArray("<html>\r\n\x01,\"\r\n</html>") << maker;
    QTest::newRow("official zip by address") << zipOf(kOfficialText) << address;
  }
  void theCheckOfEveryKindOfFileIsShown() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, from);
    Program p;
    std::vector<UpdateRow> rows;
    if (from < 0) {
      p.updateFromFile(bytes);
      rows = readDrawFile(p.file()).rows;
    } else {
      test::LocalHttpServer server;
      server.serveBody("/f", bytes.toStdString());
      const UpdateSource source{UpdateSource::Kind(from), server.url("/f")};
      QVERIFY(p.checkForUpdates(source));
      test::TempDir other;
      rows = fetchUpdate(source, other.path(), {}).rows;
    }
    NoProgress none;
    const UpdateCheck check = checkUpdateRows(rows, *p.context.archiveDatabase(), none);
    QCOMPARE(test::differences(p.fgImporta(), importGrid(check)), QString());
    QCOMPARE(p.list4(), qStrings(check.messages));
    QVERIFY(p.dialogs.messages().isEmpty());
  }

  // "AGGIORNAMENTO" with "Corregge estrazioni errate" or not stores what the archive layer's
  // apply of the same check stores, shows its messages, and reloads unless nothing changed.
  void applyStoresWhatTheArchiveLayerStores_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: nothing checked
    QTest::addColumn<bool>("correct");
    QTest::addColumn<int>("reloads");
    QTest::addColumn<int>("tab");  // shown afterwards, from "Aggiornamenti"
    QTest::newRow("wrong draws kept") << threeLines() << false << 1 << 0;
    QTest::newRow("wrong draws corrected") << threeLines() << true << 1 << 0;
    QTest::newRow("only wrong draws")
        << updateLine("02/12/2025", 0, "10-20-30-40-51") << true << 1 << 3;
    QTest::newRow("a line that is not a draw")
        << threeLines() + updateLine("12/12/2025", 0, "00-34-56-78-90") << true << 0 << 3;
    QTest::newRow("nothing checked") << QByteArray() << false << 0 << 0;
  }
  void applyStoresWhatTheArchiveLayerStores() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, correct);
    Program p;
    if (!bytes.isEmpty()) p.updateFromFile(bytes);
    const std::string copy = p.dir.file("copia.mdb");
    std::filesystem::copy_file(p.path, copy);
    ArchiveDatabase db = ArchiveDatabase::open(copy);
    NoProgress none;
    const UpdateCheck check =
        bytes.isEmpty() ? UpdateCheck{} : checkUpdateRows(readDrawFile(p.file()).rows, db, none);
    const ApplyResult expected = applyUpdate(check, db, correct, none);
    p.window->tabs()->setCurrentIndex(3);
    p.find<QCheckBox>("Check3")->setChecked(correct);
    QSignalSpy reloads(&p.context, &AppContext::archiveReloaded);
    p.click("Command28");

    QCOMPARE(test::storedRows(p.path), test::storedRows(copy));
    QCOMPARE(p.context.archive().count(), int(test::storedRows(copy).size()));
    const auto notice = expected.failure ? expected.failure : applyNotice(expected);
    QCOMPARE(p.dialogs.messages(),
             notice ? QStringList{QString::fromStdString(std::string(*notice))} : QStringList());
    QCOMPARE(p.list4(), expected.failure
                            ? qStrings(check.messages) << QString::fromStdString(*expected.failure)
                            : qStrings(expected.messages));
    QTEST(int(reloads.size()), "reloads");
    QTEST(p.window->tabs()->currentIndex(), "tab");
    // The findings stay only when nothing was stored.
    QCOMPARE(p.fgImporta()->grid().rows(), expected.failure ? int(check.rows.size()) + 1 : 1);
  }

  // "AGGIORNA DA FILE" refused: the dialog cancelled, a missing file, a file of another kind.
  // The check shown before stands.
  void refusedFileIsTold_data() {
    QTest::addColumn<QString>("answer");  // null: cancelled
    QTest::addColumn<QString>("message");
    const QString storto = "Attenzione qualcosa è andato strorto nella procedura ";
    QTest::newRow("cancelled") << QString() << storto;
    QTest::newRow("missing") << "manca.txt" << storto + "\n\n";
    QTest::newRow("not a draws file")
        << "aggiornamento.txt"
        << "Attenzione, sembra che il file non sia del formato corretto";
  }
  void refusedFileIsTold() {
    QFETCH(QString, answer);
    QFETCH(QString, message);
    Program p;
    p.updateFromFile(threeLines());
    QVERIFY(test::writeFile(p.file(), QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)));
    answer.isNull()
        ? p.dialogs.answerCancel()
        : p.dialogs.answerText(QString::fromStdString(p.dir.file(answer.toStdString())));
    p.click("Command21");
    QCOMPARE(p.dialogs.messages().size(), 1);
    QVERIFY2(p.dialogs.messages()[0].startsWith(message), qPrintable(p.dialogs.messages()[0]));
    QCOMPARE(p.fgImporta()->grid().rows(), 4);
  }

  // A save or a modify on the first tab makes the check out of date: FgImporta empties.
  void saveOrModifyEmptiesTheCheck() {
    Program p;
    for (auto change : {&GestioneEstrazioniTab::saveDraw, &GestioneEstrazioniTab::modifyDraw}) {
      p.updateFromFile(threeLines());
      QCOMPARE(p.fgImporta()->grid().rows(), 4);
      p.window->gestione()->setCalendarDate(QDate(2025, 12, 13));
      p.dialogs.answerYes();
      (p.window->gestione()->*change)();
      QCOMPARE(p.fgImporta()->grid().rows(), 1);
    }
    QCOMPARE(test::storedRows(p.path).size(), 6);
  }

  void failedDownloadKeepsTheCopyAndTellsThePhase() {
    Program p;
    QVERIFY(test::writeFile(p.copy(), "copia precedente"));
    test::LocalHttpServer server;
    server.serveStatus("/f", 404);
    QVERIFY(p.checkForUpdates({UpdateSource::Kind::MakersServer, server.url("/f")}));
    QCOMPARE(p.dialogs.messages(),
             QStringList{"Attenzione qualcosa è andato strorto nella procedura Collegamento al "
                         "sito\n\nIl server ha risposto con l'errore 404: file non trovato."});
    QCOMPARE(test::readFile(p.copy()), QByteArray("copia precedente"));
    QVERIFY(p.find<QPushButton>("Command18")->isEnabled());
  }

  // While a download runs only Command26 works, and it stops the download without a word.
  void command26CancelsTheTransfer() {
    Program p;
    test::LocalHttpServer server;
    server.serveSilence("/f");
    p.updates()->setUpdateSource({UpdateSource::Kind::MakersServer, server.url("/f")});
    QVERIFY(!p.find<QPushButton>("Command26")->isEnabled());
    QSignalSpy handled(p.updates(), &AggiornamentiTab::downloadHandled);
    p.click("Command18");
    for (const char* name : {"Command21", "Command18", "Command28"})
      QVERIFY(!p.find<QPushButton>(name)->isEnabled());
    QTest::qWait(50);
    p.click("Command26");
    QVERIFY(handled.wait(5000));
    QVERIFY(p.dialogs.messages().isEmpty());
    QVERIFY(!QFile::exists(QString::fromStdString(p.copy())));
    QVERIFY(p.find<QPushButton>("Command18")->isEnabled());
  }

  // Each export writes the archive layer's bytes; a name without extension gets the format's;
  // a cancelled dialog writes nothing and says nothing; a failure is told.
  void exportsWriteTheArchiveLayersBytes() {
    Program p;
    NoProgress none;
    const auto expected = [&](ExportFormat format) {
      exportArchive(format, p.context.archive(), p.dir.file("atteso"), none);
      return test::readFile(p.dir.file("atteso"));
    };
    p.dialogs.answerText(QString::fromStdString(p.dir.file("Dati.iii")));
    p.click("Command10");
    QCOMPARE(test::readFile(p.dir.file("Dati.iii")), expected(ExportFormat::DatiIii));
    QCOMPARE(p.find<QLabel>("Label13")->text(), QString::fromStdString(p.dir.file("Dati.iii")));
    p.dialogs.answerText(QString::fromStdString(p.dir.file("nazionale")));
    p.click("Command34");
    QCOMPARE(test::readFile(p.dir.file("nazionale.Txt")), expected(ExportFormat::Nazionale));
    p.window->salvataggi()->setZefiralPath(p.dir.file("DATI32.III"));
    p.click("Command7");
    QCOMPARE(test::readFile(p.dir.file("DATI32.III")), expected(ExportFormat::Zefiral));
    p.click("Command10");  // cancelled
    QVERIFY(p.dialogs.messages().isEmpty());
    p.window->salvataggi()->setZefiralPath(p.dir.file("manca/DATI32.III"));
    p.click("Command7");
    p.dialogs.answerText(QString::fromStdString(p.dir.file("manca/Dati.iii")));
    p.click("Command10");
    QCOMPARE(p.dialogs.messages().size(), 2);
    QVERIFY(p.dialogs.messages()[1].contains("manca/Dati.iii"));
    QCOMPARE(p.find<QLabel>("Label13")->text(), QString::fromStdString(p.dir.file("Dati.iii")));
  }

  void defaultsAreStoredAsParameters() {
    Program p;
    p.dialogs.answerText(QString::fromStdString(p.dir.file("Dati.iii")));
    p.click("Command10");
    p.click("Command35");
    QCOMPARE(p.parameter(parameter::kPercorsoDatiIii), p.dir.file("Dati.iii"));
    QCOMPARE(p.dialogs.messages(), QStringList{"Salvataggio effettuato"});
    // The address pasted and stored; the shown one stays until the next start.
    QGuiApplication::clipboard()->setText("https://nuovo.esempio.it/lotto");
    p.click("Command16");
    p.click("Command15");
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "https://nuovo.esempio.it/lotto");
    QCOMPARE(p.find<QLabel>("Label5")->text(), QString("http://www.esempio.it"));
    QTest::mouseDClick(p.find<QLineEdit>("Text2"), Qt::LeftButton);
    p.click("Command15");
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "");
    // The official archive's address, a row the database lacked: only a web address, used at once.
    auto* official = p.find<QLineEdit>("TextArchivioUfficiale");
    official->setText("ftp://127.0.0.1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.parameter(parameter::kIndirizzoArchivioUfficiale), "<manca>");
    official->setText("http://127.0.0.1:1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.parameter(parameter::kIndirizzoArchivioUfficiale), "http://127.0.0.1:1/storico.zip");
    QCOMPARE(p.updates()->updateSource().address, "http://127.0.0.1:1/storico.zip");
    // A database without the row: nothing written, nothing said.
    p.context.setProgramDatabase(ProgramDatabase::create(p.dir.file("altro.mdb"), {}));
    p.dialogs.clear();
    p.click("Command15");
    QVERIFY(p.dialogs.messages().isEmpty());
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "<manca>");
  }

  // "COLLEGA AL SITO" hands only web addresses to the browser.
  void collegaAlSitoOpensOnlyWebAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::newRow("no scheme") << "www.esempio.it" << QList<QUrl>{QUrl("http://www.esempio.it")};
    QTest::newRow("a program") << "file:///usr/bin/xterm" << QList<QUrl>();
  }
  void collegaAlSitoOpensOnlyWebAddresses() {
    QFETCH(QString, address);
    Program p;
    p.find<QLabel>("Label5")->setText(address);
    Browser browser;
    p.click("Command5");
    QTEST(browser.opened, "opened");
    QCOMPARE(p.dialogs.messages().size(), browser.opened.isEmpty() ? 1 : 0);
  }
};

QTEST_MAIN(ArchiveUpdatesTest)
#include "archive_updates_test.moc"
