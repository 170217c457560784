// Downloads against a local HTTP server: what reaches the target file, and that every
// failure leaves the target as it was and no temporary file behind.
#include "gui/common/downloader.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "gui/support/local_http_server.h"
#include "support/test_archive.h"

using namespace quintello;
using namespace std::chrono_literals;
using Status = DownloadResult::Status;

namespace {

QByteArray readFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<manca>");
}

void writeFile(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Runs one download to its end (bounded: the test fails after ten seconds).
DownloadResult download(Downloader& downloader, const QUrl& url, const std::string& target,
                        qint64 cap) {
  QSignalSpy finished(&downloader, &Downloader::finished);
  if (!downloader.start(url, target, cap)) return {Status::Failed, "busy", 0, {}};
  if (!finished.wait(10'000)) return {Status::Failed, "no answer from the downloader", 0, {}};
  return finished.takeFirst().at(0).value<DownloadResult>();
}

bool leftoversIn(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".nuovo") return true;
  return false;
}

using Setup = std::function<QUrl(test::LocalHttpServer&, Downloader&)>;

}  // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Status)

class DownloaderTest : public QObject {
  Q_OBJECT

 private slots:
  void bodyReachesTheTarget_data() {
    QTest::addColumn<bool>("withLength");
    QTest::addColumn<bool>("toMemory");
    QTest::newRow("file, with length") << true << false;
    QTest::newRow("file, until the connection closes") << false << false;
    QTest::newRow("memory, until the connection closes") << false << true;
  }
  void bodyReachesTheTarget() {
    QFETCH(bool, withLength);
    QFETCH(bool, toMemory);
    test::TempDir dir;
    test::LocalHttpServer server;
    const QByteArray body = QByteArray("07/01/2026 01-02-03-04-05").repeated(2000);
    server.serveBody("/file.txt", body, withLength);
    const std::string target = dir.file("Estr_Agg.txt");
    writeFile(target, "vecchio");

    Downloader downloader;
    const DownloadResult result =
        download(downloader, server.url("/file.txt"), toMemory ? "" : target, 1 << 20);
    QCOMPARE(result.status, Status::Completed);
    QVERIFY(result.error.isEmpty());
    QCOMPARE(result.bytes, qint64(body.size()));
    QCOMPARE(result.body, toMemory ? body : QByteArray());
    QCOMPARE(readFile(target), toMemory ? QByteArray("vecchio") : body);
    QVERIFY(!leftoversIn(dir.path()));
    QVERIFY(!downloader.busy());
  }

  void quietAfterTheEnd() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveBody("/f", "contenuto");
    server.serveStatus("/g", 404);
    Downloader downloader;
    downloader.setTimeout(1000ms);
    QSignalSpy finished(&downloader, &Downloader::finished);
    for (const char* path : {"/f", "/g"}) {
      QVERIFY(downloader.start(server.url(path), dir.file("f"), 1024));
      QVERIFY(finished.wait(5000));
    }
    QTest::qWait(1200);  // past the time-out: no late outcome
    QCOMPARE(finished.size(), 2);
    QCOMPARE(finished[0][0].value<DownloadResult>().status, Status::Completed);
    QCOMPARE(finished[1][0].value<DownloadResult>().status, Status::Failed);
  }

  void redirectToHttpIsFollowed() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveBody("/nuovo.txt", "contenuto");
    server.serveRedirect("/vecchio.txt", "/b");
    server.serveRedirect("/b", "/c");
    server.serveRedirect("/c", server.url("/nuovo.txt").toString());
    Downloader downloader;
    const DownloadResult result =
        download(downloader, server.url("/vecchio.txt"), dir.file("f.txt"), 1000);
    QCOMPARE(result.status, Status::Completed);
    QCOMPARE(readFile(dir.file("f.txt")), QByteArray("contenuto"));
    QCOMPARE(server.requests("/nuovo.txt"), 1);
  }

  void failureLeavesTheTargetAsItWas_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("error");
    QTest::newRow("404") << Setup([](test::LocalHttpServer& s, Downloader&) {
      s.serveStatus("/f", 404);
      return s.url("/f");
    }) << Status::Failed << "Il server ha risposto con l'errore 404: file non trovato.";
    QTest::newRow("500") << Setup([](test::LocalHttpServer& s, Downloader&) {
      s.serveStatus("/f", 500);
      return s.url("/f");
    }) << Status::Failed << "Il server ha risposto con il codice 500 invece di inviare il file.";
    QTest::newRow("never answers") << Setup([](test::LocalHttpServer& s, Downloader& d) {
      s.serveSilence("/f");
      d.setTimeout(200ms);
      return s.url("/f");
    }) << Status::TimedOut << "Il server 127.0.0.1 non ha risposto entro 1 secondo.";
    QTest::newRow("over the cap, announced") << Setup([](test::LocalHttpServer& s, Downloader&) {
      s.serveBody("/f", QByteArray(1025, 'x'));
      return s.url("/f");
    }) << Status::TooLarge << "Il file da scaricare supera il limite di 1 KB.";
    QTest::newRow("over the cap, streamed") << Setup([](test::LocalHttpServer& s, Downloader&) {
      s.serveBody("/f", QByteArray(1025, 'x'), false);
      return s.url("/f");
    }) << Status::TooLarge << "Il file scaricato supera il limite di 1 KB.";
    QTest::newRow("redirect to ftp")
        << Setup([](test::LocalHttpServer& s, Downloader&) {
             s.serveRedirect("/f", "ftp://127.0.0.1/f");
             return s.url("/f");
           })
        << Status::Failed
        << "Il server ha rimandato a un indirizzo non ammesso: \"ftp://127.0.0.1/f\".";
    QTest::newRow("redirect loop") << Setup([](test::LocalHttpServer& s, Downloader&) {
      s.serveRedirect("/f", "/g");
      s.serveRedirect("/g", s.url("/f").toString());  // absolute and relative
      return s.url("/f");
    }) << Status::Failed << "Troppi reindirizzamenti dal server 127.0.0.1.";
    QTest::newRow("ftp address")
        << Setup([](test::LocalHttpServer&, Downloader&) { return QUrl("ftp://127.0.0.1/f"); })
        << Status::Failed
        << "Indirizzo non ammesso: \"ftp://127.0.0.1/f\". Si possono scaricare solo indirizzi "
           "http e https.";
    QTest::newRow("nobody listening") << Setup([](test::LocalHttpServer&, Downloader&) {
      QUrl closed;
      {
        test::LocalHttpServer gone;
        closed = gone.url("/f");
      }
      return closed;
    }) << Status::Failed << "Il server 127.0.0.1 ha rifiutato il collegamento.";
  }
  void failureLeavesTheTargetAsItWas() {
    QFETCH(Setup, setup);
    test::TempDir dir;
    test::LocalHttpServer server;
    Downloader downloader;
    const QUrl url = setup(server, downloader);
    const std::string target = dir.file("Estr_Agg.txt");
    writeFile(target, "vecchio");

    const DownloadResult result = download(downloader, url, target, 1024);
    QTEST(result.status, "status");
    QTEST(result.error, "error");
    QCOMPARE(readFile(target), QByteArray("vecchio"));
    QVERIFY(!leftoversIn(dir.path()));
  }

  void unwritableTargetIsReported() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveBody("/f", "contenuto");
    Downloader downloader;
    const std::string target = dir.file("manca/f.txt");
    const DownloadResult result = download(downloader, server.url("/f"), target, 1024);
    QCOMPARE(result.status, Status::Failed);
    QCOMPARE(result.error, QString("Impossibile scrivere il file \"%1\".").arg(target.c_str()));
  }

  void cancelEndsTheTransfer() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveSilence("/f");
    Downloader downloader;  // default time-out: only the cancel ends it
    QTimer::singleShot(50, &downloader, &Downloader::cancel);
    const DownloadResult result = download(downloader, server.url("/f"), dir.file("f"), 1024);
    QCOMPARE(result.status, Status::Cancelled);
    QCOMPARE(result.error, QString("Scaricamento annullato."));
    QVERIFY(!QFile::exists(QString::fromStdString(dir.file("f"))));
    QVERIFY(!leftoversIn(dir.path()));
    downloader.cancel();  // idle: nothing happens
    QVERIFY(!downloader.busy());
  }

  void oneTransferAtATime() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveSilence("/f");
    Downloader downloader;
    QSignalSpy finished(&downloader, &Downloader::finished);
    QVERIFY(downloader.start(server.url("/f"), dir.file("a"), 1024));
    QVERIFY(downloader.busy());
    QVERIFY(!downloader.start(server.url("/f"), dir.file("b"), 1024));
    downloader.cancel();
    QVERIFY(downloader.busy());  // until the outcome is told
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    QVERIFY(!downloader.busy());
  }

  void destroyedMidTransferRemovesTheTemporaryFile() {
    test::TempDir dir;
    test::LocalHttpServer server;
    server.serveSilence("/f");
    {
      Downloader downloader;
      QVERIFY(downloader.start(server.url("/f"), dir.file("f"), 1024));
      QTest::qWait(50);
      QVERIFY(leftoversIn(dir.path()));
    }
    QTest::qWait(20);
    QVERIFY(!leftoversIn(dir.path()));
  }

  void onlyWebAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("web");
    QTest::newRow("http") << "http://esempio.it/a.txt" << true;
    QTest::newRow("https, capitals") << "HTTPS://esempio.it" << true;
    QTest::newRow("ftp") << "ftp://esempio.it/a.txt" << false;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("no host") << "http:///a.txt" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("plain words") << "www.esempio.it" << false;
    QTest::newRow("empty") << "" << false;
  }
  void onlyWebAddresses() {
    QFETCH(QString, address);
    QTEST(isWebAddress(QUrl(address)), "web");
  }
};

QTEST_MAIN(DownloaderTest)
#include "downloader_test.moc"
