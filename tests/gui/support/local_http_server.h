#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace quintello::test {

// A small HTTP server on 127.0.0.1 (a free port) for the download tests: each path answers
// as it was told to, anything else with 404. It serves from the test's own event loop, one
// request per connection.
class LocalHttpServer : public QObject {
  Q_OBJECT

 public:
  LocalHttpServer();
  ~LocalHttpServer() override;

  // 200 with the body; without a Content-Length the body ends when the connection closes.
  void serveBody(const QString& path, const QByteArray& body, bool withLength = true);
  void serveStatus(const QString& path, int status);
  // 302 to `location` (absolute, or a path on this server).
  void serveRedirect(const QString& path, const QString& location);
  // Accepts the connection and never answers.
  void serveSilence(const QString& path);

  QUrl url(const QString& path) const;
  int requests(const QString& path) const { return requests_.value(path); }

 private:
  struct Answer {
    int status = 200;
    QByteArray body;
    QString location;
    bool withLength = true;
    bool silent = false;
  };
  void onConnection();
  void onRequestData(QTcpSocket* socket);
  void answer(QTcpSocket* socket, const QString& path);

  QTcpServer server_;
  QHash<QString, Answer> answers_;
  QHash<QString, int> requests_;
};

}  // namespace quintello::test
