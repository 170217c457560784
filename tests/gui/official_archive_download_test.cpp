// The main window's hidden Command4: the official historical archive downloaded from a local
// HTTP server into estratti.zip, silent on success, told in Italian on failure.
#include "gui/archive/official_archive_download.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/shell/main_window.h"
#include "gui/support/program.h"
#include "support/local_http_server.h"
#include "support/test_archive.h"

using namespace quintello;
using namespace std::chrono_literals;

namespace {

struct Program : test::Program {
  Program() : test::Program(test::weeklyDraws(3)) {
    download = main->findChild<OfficialArchiveDownload*>();
    download->setTarget(target());
    download->setLimits(1s, 10s);
  }
  std::string target() const { return dir.file("estratti.zip"); }
  // Command4 pressed, to the end of its download.
  bool press() {
    QSignalSpy handled(download, &OfficialArchiveDownload::handled);
    main->findChild<QPushButton*>("Command4")->click();
    return !handled.isEmpty() || handled.wait(10'000);
  }
  QByteArray saved() const { return test::readFile(target()); }

  OfficialArchiveDownload* download = nullptr;
};

const QString kFailed = "Scaricamento dell'archivio storico non riuscito.\n\n";

}  // namespace

class OfficialArchiveDownloadTest : public QObject {
  Q_OBJECT

 private slots:
  void hiddenButtonSavesTheZipSilently() {
    Program p;
    QVERIFY(p.main->findChild<QPushButton*>("Command4")->isHidden());
    test::LocalHttpServer server;
    const QByteArray zip = QByteArray("PK\x03\x04", 4) + QByteArray(5000, '\x7f');
    server.serveBody("/STORICO_ESTRAZIONI_LOTTO/storico.zip", zip.toStdString());
    p.download->setAddress(server.url("/STORICO_ESTRAZIONI_LOTTO/storico.zip"));
    QVERIFY(p.press());
    QCOMPARE(p.saved(), zip);
    QVERIFY(p.dialogs.shown().empty());

    server.serveBody("/STORICO_ESTRAZIONI_LOTTO/storico.zip", "PK altro");
    QVERIFY(p.press());
    QCOMPARE(p.saved(), QByteArray("PK altro"));  // replaced
  }

  void failureIsToldAndTheOldFileStays_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");  // empty: nothing is said
    QTest::newRow("404") << "404"
                         << kFailed + "Il server ha risposto con l'errore 404: file non trovato.";
    QTest::newRow("never answers")
        << "silence" << kFailed + "Il server 127.0.0.1 non ha risposto entro 1 secondo.";
    QTest::newRow("no address") << "none"
                                << "L'indirizzo dell'archivio storico non è impostato.";
    QTest::newRow("Escape cancels") << "cancel" << QString();
  }
  void failureIsToldAndTheOldFileStays() {
    QFETCH(QString, answer);
    QFETCH(QString, message);
    Program p;
    {
      QFile old(QString::fromStdString(p.target()));
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("vecchio");
    }
    test::LocalHttpServer server;
    if (answer == "404") server.serveStatus("/z", 404);
    if (answer == "silence" || answer == "cancel") server.serveSilence("/z");
    if (answer == "cancel")
      QTimer::singleShot(100, p.main.get(), [&] { QTest::keyClick(p.main.get(), Qt::Key_Escape); });
    p.download->setAddress(answer == "none" ? std::string() : server.url("/z"));
    QVERIFY(p.press());
    QCOMPARE(p.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
      QCOMPARE(p.dialogs.shown().back().icon, Dialogs::Icon::Critical);
      QCOMPARE(p.dialogs.shown().back().title, QString("Avviso"));
    }
    QCOMPARE(p.saved(), QByteArray("vecchio"));
  }
};

QTEST_MAIN(OfficialArchiveDownloadTest)
#include "official_archive_download_test.moc"
