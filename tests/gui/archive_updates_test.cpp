// The archive window's "Aggiornamenti" and "Salvataggi" tabs driven as a user would: buttons,
// dialogs answered from a script, downloads from a local HTTP server. After an update the
// archive file is read back with SQLite; exports are compared with the bytes of the export
// functions. The rules of the check, the apply and the formats are tested in tests/archive.

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
#include <sstream>

#include "archive/draw_file.h"
#include "archive/exports.h"
#include "archive/official_archive.h"
#include "archive/server_addresses.h"
#include "archive/update_check.h"
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
#include "support/test_archive.h"
#include "support/zip_writer.h"

using namespace quintello;
using test::fiveDraws;
using namespace std::chrono_literals;

namespace {

// One line of an update file, written out by hand: the date, then each wheel's group of 14
// characters after a blank (14 blanks for a wheel left out), then " pr". 178 characters.
QByteArray updateLine(const char* date, std::initializer_list<std::pair<int, const char*>> wheels) {
  QByteArray line(date);
  for (int w = 0; w < kWheelCount; ++w) {
    QByteArray group(14, ' ');
    for (const auto& [wheel, text] : wheels)
      if (wheel == w) group = text;
    line += ' ' + group;
  }
  return line + " pr";
}

// The stored draw as it is, one that differs on Bari, and a new one.
QByteArray threeLines() {
  return updateLine("25/11/2025", {{0, "01-02-03-04-05"}}) + "\r\n" +
         updateLine("02/12/2025", {{0, "10-20-30-40-51"}}) + "\r\n" +
         updateLine("11/12/2025", {{0, "12-34-56-78-90"}, {10, "01-11-21-31-41"}}) + "\r\n";
}

// The bytes of a zip holding the text, as the official archive comes.
QByteArray zipOf(const QByteArray& text) {
  test::TempDir dir;
  const std::string path = dir.file("storico.zip");
  return test::writeZip(path, {{"storico.txt", text.toStdString()}}) ? test::readFile(path)
                                                                     : QByteArray();
}

QStringList items(QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

const QString kStorto = "Attenzione qualcosa è andato strorto nella procedura ";

// The program after "PROCEDI" on an archive file of five draws, its program database holding
// the parameters, with the archive window open.
struct Program : test::Program {
  Program() : test::Program(fiveDraws(), OnFile{}) {
    context.setProgramDatabase(ProgramDatabase::create(
        context.files().programDatabasePath(), {{"PercorsoArchivio", path, ""},
                                                {"IndirizzoInternet", "http://www.esempio.it", ""},
                                                {"PercorsoDati.iii", "", ""}}));
    context.setInternetAddress("http://www.esempio.it");
    window = main->openArchive();
  }

  template <class T>
  T* find(const char* name) {
    return window->findChild<T*>(name);
  }
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  GridView* fgImportaView() { return find<GridView>("FgImporta"); }
  AggiornamentiTab* updates() { return window->aggiornamenti(); }
  SalvataggiTab* saves() { return window->salvataggi(); }
  const Grid& fgImporta() { return find<GridView>("FgImporta")->grid(); }
  QStringList list4() { return items(find<QListWidget>("List4")); }
  std::string parameter(std::string_view key) {
    return context.programDatabase()->getParameter(key).value_or("<manca>");
  }
  // "AGGIORNA DA FILE" on a file holding the bytes.
  void updateFromFile(const QByteArray& bytes) {
    const std::string file = dir.file("aggiornamento.txt");
    QVERIFY(test::writeFile(file, bytes));
    dialogs.answerText(QString::fromStdString(file));
    click("Command21");
  }
  // "CONTROLLO AGGIORNAMENTI" from the address, to its end.
  bool checkForUpdates(const std::string& address,
                       UpdateSource::Kind kind = UpdateSource::Kind::MakersServer) {
    updates()->setUpdateSource({kind, address});
    QSignalSpy handled(updates(), &AggiornamentiTab::downloadHandled);
    click("Command18");
    return handled.wait(10'000);
  }
  std::string copyPath() const { return dir.file("Estr_Agg.txt"); }

  archivio* window = nullptr;
};

// Records the addresses handed to the desktop instead of opening a browser.
class Browser : public QObject {
  Q_OBJECT
 public:
  Browser() {
    QDesktopServices::setUrlHandler("http", this, "open");
    QDesktopServices::setUrlHandler("https", this, "open");
  }
  ~Browser() override {
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
  }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

class ArchiveUpdatesTest : public QObject {
  Q_OBJECT

 private slots:
  void applyStoresTheNewDrawAndCorrectsOnlyWhenAsked_data() {
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("bari0212");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("wrong draws kept")
        << false << "10-20-30-40-50"
        << QStringList{"Aggiunta estrazione del11/12/2025", "aggiunti N° 1 record"};
    QTest::newRow("wrong draws corrected")
        << true << "10-20-30-40-51"
        << QStringList{"Modificata estrazione del02/12/2025", "Aggiunta estrazione del11/12/2025",
                       "aggiunti N° 1 record"};
  }
  void applyStoresTheNewDrawAndCorrectsOnlyWhenAsked() {
    QFETCH(bool, correct);
    QFETCH(QString, bari0212);
    Program p;
    p.updateFromFile(threeLines());
    p.window->tabs()->setCurrentIndex(3);
    p.find<QCheckBox>("Check3")->setChecked(correct);
    QSignalSpy reloaded(&p.context, &AppContext::archiveReloaded);
    p.click("Command28");

    QTEST(p.list4(), "list");
    QCOMPARE(p.dialogs.messages(), QStringList{"Dati salvati correttamente."});
    QCOMPARE(p.dialogs.shown().back().title, QString("Aggiornamento archivio"));
    const QStringList rows = test::storedRows(p.path);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[1].section('|', 1, 1), bari0212);
    QCOMPARE(rows[5], QString("2025-12-11|12-34-56-78-90||||||||||01-11-21-31-41"));
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(p.context.archive().count(), 6);
    QCOMPARE(p.fgImporta().rows(), 1);  // the findings are gone
    QCOMPARE(p.window->tabs()->currentIndex(), 0);
  }

  // "AGGIORNA DA FILE" reads what `aggiorna` reads, told by content, and shows the core's check
  // (its grid with the colours of each line, its findings last line first).
  void updateFromFileReadsEveryKind_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray text =
        "2025/12/02\tBA\t10\t20\t30\t40\t51\n2025/12/02\tCA\t1\t2\t3\t4\t5\n"
        "2025/12/11\tBA\t12\t34\t56\t78\t90\n2025/12/11\tRN\t1\t11\t21\t31\t41\n";
    QTest::newRow("update file") << threeLines();
    QTest::newRow("official text") << text;
    QTest::newRow("official zip") << zipOf(text);
  }
  void updateFromFileReadsEveryKind() {
    QFETCH(QByteArray, bytes);
    Program p;
    p.updateFromFile(bytes);
    QVERIFY(p.dialogs.messages().isEmpty());
    NoProgress none;
    const UpdateCheck core = checkUpdateRows(readDrawFile(p.dir.file("aggiornamento.txt")).rows,
                                             *p.context.archiveDatabase(), none);
    QCOMPARE(test::differences(p.fgImportaView(), importGrid(core)), QString());
    QStringList messages;
    for (const auto& m : core.messages) messages << QString::fromStdString(m);
    QCOMPARE(p.list4(), messages);
  }

  // A file with a line that cannot be a draw: "AGGIORNAMENTO" stores nothing and says why.
  // "AGGIORNAMENTO" when it stores nothing: a file with a line that cannot be a draw is
  // refused and stays to be seen, wrong draws left as they are still reload, an empty grid
  // is told. Nothing is written in any case.
  void applyThatStoresNothing_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: nothing checked
    QTest::addColumn<QString>("message");   // words of the one message; empty: none
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<int>("reloads");
    QTest::addColumn<int>("importRows");  // left in FgImporta
    QTest::addColumn<int>("tab");         // shown afterwards, from "Aggiornamenti"
    QTest::newRow("a line that is not a draw")
        << threeLines() + updateLine("12/12/2025", {{0, "00-34-56-78-90"}}) + "\r\n"
        << "nessuna estrazione è stata salvata" << Dialogs::Icon::Critical << 0 << 5 << 3;
    QTest::newRow("only wrong draws") << updateLine("02/12/2025", {{0, "10-20-30-40-51"}}) + "\r\n"
                                      << QString() << Dialogs::Icon::None << 1 << 1 << 3;
    QTest::newRow("nothing checked") << QByteArray() << "Non ci sono estrazioni da aggiornare."
                                     << Dialogs::Icon::Information << 0 << 1 << 0;
  }
  void applyThatStoresNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Program p;
    if (!bytes.isEmpty()) p.updateFromFile(bytes);
    const QStringList before = test::storedRows(p.path);
    p.window->tabs()->setCurrentIndex(3);
    QSignalSpy reloaded(&p.context, &AppContext::archiveReloaded);
    p.click("Command28");
    QTEST(p.window->tabs()->currentIndex(), "tab");
    QCOMPARE(p.dialogs.messages().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
      QVERIFY2(p.dialogs.messages()[0].contains(message), qPrintable(p.dialogs.messages()[0]));
      QTEST(p.dialogs.shown().back().icon, "icon");
    }
    QCOMPARE(test::storedRows(p.path), before);
    QTEST(int(reloaded.size()), "reloads");
    QTEST(p.fgImporta().rows(), "importRows");
  }

  void wrongFirstLineIsRefused() {
    const QByteArray bytes("\x89PNG\r\n\x1a\n\0\0\0", 11);
    Program p;
    p.updateFromFile(threeLines());
    p.dialogs.clear();
    p.updateFromFile(bytes);
    QCOMPARE(p.dialogs.messages(),
             QStringList{"Attenzione, sembra che il file non sia del formato corretto"});
    QCOMPARE(p.dialogs.shown().back().icon, Dialogs::Icon::Critical);
    QCOMPARE(p.dialogs.shown().back().title, QString("Avviso"));
    QCOMPARE(p.fgImporta().rows(), 4);  // the last check still stands
  }

  void cancelledOrUnreadableFileIsAFailure() {
    Program p;
    p.click("Command21");  // the dialog cancelled
    QCOMPARE(p.dialogs.messages(), QStringList{kStorto});
    QCOMPARE(p.dialogs.shown().back().title, QString("Avviso"));
    p.dialogs.clear();
    p.dialogs.answerText(QString::fromStdString(p.dir.file("manca.txt")));
    p.click("Command21");
    QCOMPARE(p.dialogs.messages().size(), 1);
    QVERIFY(p.dialogs.messages()[0].startsWith(kStorto + "\n\n"));
    QVERIFY(p.dialogs.messages()[0].contains("manca.txt"));
  }

  void saveOrModifyOnTheFirstTabEmptiesTheImportGrid_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("stored");
    QTest::newRow("save") << true << 6;
    QTest::newRow("modify") << false << 5;
  }
  void saveOrModifyOnTheFirstTabEmptiesTheImportGrid() {
    QFETCH(bool, save);
    Program p;
    p.updateFromFile(threeLines());
    QCOMPARE(p.fgImporta().rows(), 4);
    p.dialogs.answerYes();
    if (save) {
      p.window->gestione()->setCalendarDate(QDate(2025, 12, 13));
      p.window->gestione()->saveDraw();
    } else {
      p.window->gestione()->modifyDraw();
    }
    QTEST(int(test::storedRows(p.path).size()), "stored");
    QCOMPARE(p.fgImporta().rows(), 1);
  }

  void downloadChecksTheServersFileAndOverwritesTheCopy() {
    Program p;
    test::LocalHttpServer server;
    server.serveBody(std::string(kUpdateFileServerPath), threeLines().toStdString());
    const std::string address = server.url(std::string(kUpdateFileServerPath));
    QVERIFY(p.checkForUpdates(address));
    QVERIFY(p.dialogs.messages().isEmpty());
    QCOMPARE(test::readFile(p.copyPath()), threeLines() + "\r\n");
    QCOMPARE(p.fgImporta().rows(), 4);

    // The next run replaces the copy; no first-line check on a download.
    const QByteArray second = updateLine("11/12/2025", {{0, "12-34-56-78-90"}}).left(100) + "\r\n";
    server.serveBody(std::string(kUpdateFileServerPath), second.toStdString());
    QVERIFY(p.checkForUpdates(address));
    QCOMPARE(test::readFile(p.copyPath()), second + "\r\n");
    QCOMPARE(p.fgImporta().rows(), 2);
    QVERIFY(p.dialogs.messages().isEmpty());
  }

  void bodyThatIsNotAnUpdateFileIsCheckedLikeAnyFile() {
    Program p;
    test::LocalHttpServer server;
    QByteArray body = "<html>\r\n";
    body += QByteArray("\x01\x02\xff,\"\r\n");
    body += "</html>";
    server.serveBody("/f", body.toStdString());
    QVERIFY(p.checkForUpdates(server.url("/f")));
    QVERIFY(p.dialogs.messages().isEmpty());
    QCOMPARE(p.fgImporta().rows(), 4);
    const QStringList list = p.list4();
    QCOMPARE(list.size(), 3);
    for (const QString& line : list) QVERIFY2(line.contains("non valida"), qPrintable(line));
    p.click("Command28");
    QCOMPARE(test::storedRows(p.path).size(), 5);  // nothing stored
  }

  void failedDownloadKeepsTheCopyAndTellsThePhase() {
    Program p;
    QVERIFY(test::writeFile(p.copyPath(), "copia precedente"));
    test::LocalHttpServer server;
    server.serveStatus("/f", 404);
    p.updates()->setDownloadLimits(1s, 10s);
    QVERIFY(p.checkForUpdates(server.url("/f")));
    QCOMPARE(p.dialogs.messages(),
             QStringList{kStorto + "Collegamento al sito\n\n" +
                         "Il server ha risposto con l'errore 404: file non trovato."});
    QCOMPARE(p.dialogs.shown().back().icon, Dialogs::Icon::Critical);
    QCOMPARE(test::readFile(p.copyPath()), QByteArray("copia precedente"));
    QCOMPARE(p.fgImporta().rows(), 1);
    QVERIFY(p.find<QPushButton>("Command18")->isEnabled());
  }

  // An official zip, downloaded by CONTROLLO AGGIORNAMENTI (with no maker's server, from the
  // official archive's address) or picked by AGGIORNA DA FILE: FgImporta and List4 show what
  // the archive layer's check of the same file gives.
  void officialZipIsCheckedAsTheCoreChecksIt_data() {
    QTest::addColumn<bool>("download");
    QTest::newRow("CONTROLLO AGGIORNAMENTI") << true;
    QTest::newRow("AGGIORNA DA FILE") << false;
  }
  void officialZipIsCheckedAsTheCoreChecksIt() {
    QFETCH(bool, download);
    Program p;
    const UpdateSource source = p.updates()->updateSource();
    QCOMPARE(int(source.kind), int(UpdateSource::Kind::Address));
    QCOMPARE(source.address, builtOfficialArchiveAddress());
    // The archive's draws, one of them different on Bari, and a new one on every wheel.
    auto draws = test::storedDraws(fiveDraws());
    draws[1].wheels[0] = "10-20-30-40-51";
    StoredDraw newer{"2025-12-12", {}};
    newer.wheels.fill("01-02-03-04-05");  // every wheel: a whole draw
    draws.push_back(newer);
    const std::string zip = p.dir.file("ufficiale.zip");
    QVERIFY(test::writeZip(zip, {{"storico.txt", officialArchiveText(draws)}}));
    test::LocalHttpServer server;
    server.serveBody("/storico01-oggi.zip", test::readFile(zip).toStdString());
    if (download) {
      QVERIFY(p.checkForUpdates(server.url("/storico01-oggi.zip"), UpdateSource::Kind::Address));
    } else {
      p.dialogs.answerText(QString::fromStdString(zip));
      p.click("Command21");
    }

    NoProgress none;
    const auto rows = download ? readDownloadedFile(zip).rows : readDrawFile(zip).rows;
    const UpdateCheck check = checkUpdateRows(rows, *p.context.archiveDatabase(), none);
    QCOMPARE(test::differences(p.fgImportaView(), importGrid(check)), QString());
    QCOMPARE(p.list4().size(), int(check.messages.size()));
    for (size_t i = 0; i < check.messages.size(); ++i)
      QCOMPARE(p.list4()[int(i)], QString::fromStdString(check.messages[i]));
    QVERIFY(p.dialogs.messages().isEmpty());
  }

  void command26CancelsTheTransfer() {
    Program p;
    test::LocalHttpServer server;
    server.serveSilence("/f");
    p.updates()->setUpdateSource({UpdateSource::Kind::MakersServer, server.url("/f")});
    QVERIFY(!p.find<QPushButton>("Command26")->isEnabled());
    QSignalSpy handled(p.updates(), &AggiornamentiTab::downloadHandled);
    p.click("Command18");
    QVERIFY(p.updates()->downloading());
    // The window is blocked for everything but the cancel.
    for (const char* name : {"Command21", "Command18", "Command28"})
      QVERIFY(!p.find<QPushButton>(name)->isEnabled());
    QTest::qWait(50);
    p.click("Command26");
    QVERIFY(handled.wait(5000));
    QVERIFY(p.dialogs.messages().isEmpty());
    QVERIFY(!QFile::exists(QString::fromStdString(p.copyPath())));
    QVERIFY(p.find<QPushButton>("Command18")->isEnabled());
    QVERIFY(!p.find<QPushButton>("Command26")->isEnabled());
  }

  void exportsWriteTheArchiveFunctionsBytes() {
    Program p;
    const std::string dati = p.dir.file("Dati.iii");
    p.dialogs.answerText(QString::fromStdString(dati));
    p.click("Command10");
    std::ostringstream expected;
    NoProgress none;
    writeDatiIii(expected, p.context.archive(), none);
    QCOMPARE(test::readFile(dati), QByteArray::fromStdString(expected.str()));
    QCOMPARE(p.find<QLabel>("Label13")->text(), QString::fromStdString(dati));

    // The Nazionale list: a name without extension gets ".Txt".
    p.dialogs.answerText(QString::fromStdString(p.dir.file("nazionale")));
    p.click("Command34");
    std::ostringstream nazionale;
    writeNazionaleText(nazionale, p.context.archive(), none);
    QCOMPARE(test::readFile(p.dir.file("nazionale.Txt")),
             QByteArray::fromStdString(nazionale.str()));
    QVERIFY(p.dialogs.messages().isEmpty());

    // Check1 changes nothing.
    p.find<QCheckBox>("Check1")->setChecked(true);
    p.dialogs.answerText(QString::fromStdString(dati));
    p.click("Command10");
    QCOMPARE(test::readFile(dati), QByteArray::fromStdString(expected.str()));
  }

  void zefiralGoesToItsFixedFolderOrSaysItIsMissing() {
    Program p;
    const std::string folder = p.dir.file("AMBROSA3");
    p.saves()->setZefiralPath(folder + "/DATI32.III");
    p.click("Command7");
    QCOMPARE(p.dialogs.messages(),
             QStringList{"Attenzione, probabilmente la cartella di destinazione non esiste."});
    QCOMPARE(p.dialogs.shown().back().icon, Dialogs::Icon::Critical);
    QCOMPARE(p.dialogs.shown().back().title, QString("Avviso"));

    std::filesystem::create_directory(folder);
    p.dialogs.clear();
    p.click("Command7");
    QVERIFY(p.dialogs.messages().isEmpty());
    std::ostringstream expected;
    NoProgress none;
    writeZefiral(expected, p.context.archive(), none);
    QCOMPARE(test::readFile(folder + "/DATI32.III"), QByteArray::fromStdString(expected.str()));
  }

  void cancelledOrFailedExport() {
    Program p;
    p.click("Command10");  // cancelled: nothing written, nothing said
    p.click("Command34");
    QVERIFY(p.dialogs.messages().isEmpty());
    QCOMPARE(p.find<QLabel>("Label13")->text(), QString());

    const std::string unwritable = p.dir.file("manca/Dati.iii");
    p.dialogs.answerText(QString::fromStdString(unwritable));
    p.click("Command10");
    QCOMPARE(p.dialogs.messages().size(), 1);
    QVERIFY(p.dialogs.messages()[0].contains("manca/Dati.iii"));
    QCOMPARE(p.find<QLabel>("Label13")->text(), QString());
  }

  void defaultsAreStoredAsParameters() {
    Program p;
    const std::string dati = p.dir.file("Dati.iii");
    p.dialogs.answerText(QString::fromStdString(dati));
    p.click("Command10");
    p.click("Command35");
    QCOMPARE(p.parameter(parameter::kPercorsoDatiIii), dati);
    QCOMPARE(p.dialogs.messages(), QStringList{"Salvataggio effettuato"});
    QCOMPARE(p.dialogs.shown().back().title, QString("Salvataggio"));

    // The address: pasted, stored, while the shown one stays until the next start.
    QCOMPARE(p.find<QLabel>("Label5")->text(), QString("http://www.esempio.it"));
    QCOMPARE(p.find<QLineEdit>("Text2")->text(), QString("http://www.esempio.it"));
    QGuiApplication::clipboard()->setText("https://nuovo.esempio.it/lotto");
    p.click("Command16");
    QCOMPARE(p.find<QLineEdit>("Text2")->text(), QString("https://nuovo.esempio.it/lotto"));
    p.click("Command15");
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "https://nuovo.esempio.it/lotto");
    QCOMPARE(p.find<QLabel>("Label5")->text(), QString("http://www.esempio.it"));
    QCOMPARE(p.dialogs.messages().size(), 2);

    // A double click empties the box; an empty address is stored as it is.
    QTest::mouseDClick(p.find<QLineEdit>("Text2"), Qt::LeftButton);
    QCOMPARE(p.find<QLineEdit>("Text2")->text(), QString());
    p.click("Command15");
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "");

    // The official archive's address (a database without its row gets one): stored, and used
    // at once by CONTROLLO AGGIORNAMENTI; a non-web address is refused.
    auto* official = p.find<QLineEdit>("TextArchivioUfficiale");
    QCOMPARE(official->text(), QString::fromStdString(builtOfficialArchiveAddress()));
    official->setText("ftp://127.0.0.1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.parameter(parameter::kIndirizzoArchivioUfficiale), "<manca>");
    official->setText("http://127.0.0.1:1/storico.zip");
    p.click("CommandArchivioUfficiale");
    QCOMPARE(p.parameter(parameter::kIndirizzoArchivioUfficiale), "http://127.0.0.1:1/storico.zip");
    QCOMPARE(p.updates()->updateSource().address, "http://127.0.0.1:1/storico.zip");
  }

  void missingParameterRowIsNotWritten() {
    Program p;
    p.context.setProgramDatabase(
        ProgramDatabase::create(p.dir.file("altro.mdb"), {{"PercorsoArchivio", p.path, ""}}));
    p.click("Command15");
    QVERIFY(p.dialogs.messages().isEmpty());
    QCOMPARE(p.parameter(parameter::kIndirizzoInternet), "<manca>");
  }

  void collegaAlSitoOpensOnlyWebAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("http") << "http://www.esempio.it/lotto"
                          << "http://www.esempio.it/lotto";
    QTest::newRow("https") << "https://www.esempio.it"
                           << "https://www.esempio.it";
    QTest::newRow("no scheme") << "www.esempio.it"
                               << "http://www.esempio.it";
    QTest::newRow("a program") << "file:///usr/bin/xterm"
                               << "";
    QTest::newRow("ftp") << "ftp://esempio.it"
                         << "";
    QTest::newRow("empty") << ""
                           << "";
  }
  void collegaAlSitoOpensOnlyWebAddresses() {
    QFETCH(QString, address);
    QFETCH(QString, opened);
    Program p;
    p.find<QLabel>("Label5")->setText(address);
    Browser browser;
    p.click("Command5");
    if (opened.isEmpty()) {
      QVERIFY(browser.opened.isEmpty());
      QCOMPARE(p.dialogs.messages().size(), 1);
      QVERIFY(p.dialogs.messages()[0].startsWith("Indirizzo internet non valido"));
    } else {
      QCOMPARE(browser.opened, QList<QUrl>{QUrl(opened)});
      QVERIFY(p.dialogs.messages().isEmpty());
    }
  }
};

QTEST_MAIN(ArchiveUpdatesTest)
#include "archive_updates_test.moc"
