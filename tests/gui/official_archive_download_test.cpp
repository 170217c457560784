// The main window's hidden Command4: the official historical archive downloaded from a local
// HTTP server into estratti.zip, silent on success, told in Italian on failure, when the old
// file stays.
#include "gui/archive/official_archive_download.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/support/program.h"
#include "support/local_http_server.h"

using namespace quintello;
using namespace std::chrono_literals;

class OfficialArchiveDownloadTest : public QObject {
  Q_OBJECT

 private slots:
  void downloadReplacesTheFileOrTellsWhy_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");  // empty: nothing is said
    const QString failed = "Scaricamento dell'archivio storico non riuscito.\n\n";
    QTest::newRow("the zip") << "zip" << QString();
    QTest::newRow("404") << "404"
                         << failed + "Il server ha risposto con l'errore 404: file non trovato.";
    QTest::newRow("never answers")
        << "silence" << failed + "Il server 127.0.0.1 non ha risposto entro 1 secondo.";
    QTest::newRow("no address") << "none"
                                << "L'indirizzo dell'archivio storico non è impostato.";
    QTest::newRow("Escape cancels") << "cancel" << QString();
  }
  void downloadReplacesTheFileOrTellsWhy() {
    QFETCH(QString, answer);
    test::Program p(test::weeklyDraws(3));
    auto* download = p.main->findChild<OfficialArchiveDownload*>();
    const std::string target = p.dir.file("estratti.zip");
    download->setTarget(target);
    download->setLimits(1s, 10s);
    QVERIFY(test::writeFile(target, "vecchio"));
    test::LocalHttpServer server;
    const QByteArray zip = QByteArray("PK\x03\x04", 4) + QByteArray(5000, '\x7f');
    if (answer == "zip") server.serveBody("/z", zip.toStdString());
    if (answer == "404") server.serveStatus("/z", 404);
    if (answer == "silence" || answer == "cancel") server.serveSilence("/z");
    if (answer == "cancel")
      QTimer::singleShot(100, p.main.get(), [&] { QTest::keyClick(p.main.get(), Qt::Key_Escape); });
    download->setAddress(answer == "none" ? std::string() : server.url("/z"));
    QSignalSpy handled(download, &OfficialArchiveDownload::handled);
    auto* button = p.main->findChild<QPushButton*>("Command4");
    QVERIFY(button->isHidden());
    button->click();
    QVERIFY(!handled.isEmpty() || handled.wait(10'000));
    QFETCH(QString, message);
    QCOMPARE(p.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(test::readFile(target), answer == "zip" ? zip : QByteArray("vecchio"));
  }
};

QTEST_MAIN(OfficialArchiveDownloadTest)
#include "official_archive_download_test.moc"
