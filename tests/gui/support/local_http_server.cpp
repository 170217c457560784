#include "gui/support/local_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace quintello::test {

namespace {

// Requests larger than this are not ours: the connection is dropped.
constexpr qsizetype kMaxRequestBytes = 16 * 1024;

QByteArray reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    default:
      return "Status";
  }
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  if (!server_.listen(QHostAddress::LocalHost, 0)) qFatal("local HTTP server: cannot listen");
  connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::onConnection);
}

LocalHttpServer::~LocalHttpServer() { server_.close(); }

void LocalHttpServer::serveBody(const QString& path, const QByteArray& body, bool withLength) {
  answers_[path] = {200, body, {}, withLength, false};
}

void LocalHttpServer::serveStatus(const QString& path, int status) {
  answers_[path] = {status, "errore " + QByteArray::number(status), {}, true, false};
}

void LocalHttpServer::serveRedirect(const QString& path, const QString& location) {
  answers_[path] = {302, "rimandato", location, true, false};
}

void LocalHttpServer::serveSilence(const QString& path) {
  answers_[path] = {200, {}, {}, true, true};
}

QUrl LocalHttpServer::url(const QString& path) const {
  return QUrl(QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void LocalHttpServer::onConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRequestData(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}

// One request per connection: the answer closes it.
void LocalHttpServer::onRequestData(QTcpSocket* socket) {
  const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
  if (request.size() > kMaxRequestBytes) {
    socket->abort();
    return;
  }
  socket->setProperty("request", request);
  if (!request.contains("\r\n\r\n")) return;
  disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
  // "GET /path HTTP/1.1"
  const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
  const QString path = first.size() >= 2 ? QString::fromLatin1(first[1]) : QString();
  requests_[path] += 1;
  answer(socket, path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QString& path) {
  const Answer answer = answers_.value(path, Answer{404, "non trovato", {}, true, false});
  if (answer.silent) return;
  QByteArray head =
      "HTTP/1.1 " + QByteArray::number(answer.status) + " " + reason(answer.status) + "\r\n";
  if (!answer.location.isEmpty()) head += "Location: " + answer.location.toUtf8() + "\r\n";
  if (answer.withLength)
    head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
  head += "Connection: close\r\n";
  socket->write(head + "\r\n" + answer.body);
  socket->disconnectFromHost();  // after the bytes are written
}

}  // namespace quintello::test
