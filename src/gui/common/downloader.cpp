#include "gui/common/downloader.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <optional>

#include "core/error.h"
#include "core/pending_file.h"

namespace quintello {

namespace {

using Status = DownloadResult::Status;

DownloadResult failure(Status status, const QString& error) { return {status, error, 0, {}}; }

QString sizeText(qint64 bytes) {
  constexpr qint64 kKilo = 1024, kMega = 1024 * 1024;
  if (bytes >= kMega && bytes % kMega == 0) return QString("%1 MB").arg(bytes / kMega);
  if (bytes >= kKilo && bytes % kKilo == 0) return QString("%1 KB").arg(bytes / kKilo);
  return QString("%1 byte").arg(bytes);
}

QString secondsText(std::chrono::milliseconds timeout) {
  const auto seconds = std::max<qint64>(1, (timeout.count() + 999) / 1000);
  return seconds == 1 ? QString("1 secondo") : QString("%1 secondi").arg(seconds);
}

QString cannotWrite(const QString& target) {
  return QString("Impossibile scrivere il file \"%1\".").arg(target);
}

int httpStatus(const QNetworkReply& reply) {
  return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isSuccess(int status) { return status >= 200 && status < 300; }
bool isRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QString refusedRedirectText(const QUrl& next) {
  return QString("Il server ha rimandato a un indirizzo non ammesso: \"%1\".")
      .arg(next.toDisplayString());
}

// A server's answer other than the file.
QString httpErrorText(const QNetworkReply& reply) {
  const int status = httpStatus(reply);
  if (status == 404) return "Il server ha risposto con l'errore 404: file non trovato.";
  return QString("Il server ha risposto con il codice %1 invece di inviare il file.").arg(status);
}

QString networkErrorText(const QNetworkReply& reply, const QUrl& url) {
  if (httpStatus(reply) >= 300) return httpErrorText(reply);
  const QString host = url.host();
  switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
      return QString("Il server %1 ha rifiutato il collegamento.").arg(host);
    case QNetworkReply::HostNotFoundError:
      return QString("Server %1 non trovato: controllare il collegamento a internet.").arg(host);
    case QNetworkReply::RemoteHostClosedError:
      return QString("Il server %1 ha chiuso il collegamento prima di inviare il file.").arg(host);
    case QNetworkReply::SslHandshakeFailedError:
      return QString("Collegamento sicuro con il server %1 non riuscito.").arg(host);
    default:
      return QString("Collegamento con il server %1 non riuscito (errore di rete %2).")
          .arg(host)
          .arg(int(reply.error()));
  }
}

}  // namespace

bool isWebAddress(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

struct Downloader::Transfer {
  // An empty target keeps the body in memory.
  explicit Transfer(const std::string& target) {
    if (target.empty()) return;
    pending.emplace(target);
    file.setFileName(QString::fromStdString(pending->path()));
  }
  bool toMemory() const { return !pending; }
  QString target() const { return QString::fromStdString(pending ? pending->target() : ""); }

  std::optional<PendingFile> pending;
  QFile file;  // closed before the pending file removes or renames it
  QByteArray body;
  QUrl url;  // the address asked for, then each redirect followed
  qint64 maxBytes = 0;
  QPointer<QNetworkReply> reply;
  qint64 written = 0;
  int redirects = 0;
  std::optional<DownloadResult> stopped;  // set when the transfer was ended on our side
  bool ended = false;                     // the outcome is known; report() is on its way
};

Downloader::Downloader(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), silence_(new QTimer(this)) {
  qRegisterMetaType<DownloadResult>();
  silence_->setSingleShot(true);
  connect(silence_, &QTimer::timeout, this, [this] {
    if (!transfer_) return;
    stop(Status::TimedOut, QString("Il server %1 non ha risposto entro %2.")
                               .arg(transfer_->url.host(), secondsText(timeout_)));
  });
}

Downloader::~Downloader() {
  if (transfer_ && transfer_->reply) {
    transfer_->reply->disconnect(this);
    transfer_->reply->abort();
  }
}

bool Downloader::start(const QUrl& url, const std::string& target, qint64 maxBytes) {
  if (busy()) return false;
  transfer_ = std::make_unique<Transfer>(target);
  Transfer& t = *transfer_;
  t.url = url;
  t.maxBytes = maxBytes;
  if (!isWebAddress(url)) {
    report(failure(Status::Failed, QString("Indirizzo non ammesso: \"%1\". Si possono "
                                           "scaricare solo indirizzi http e https.")
                                       .arg(url.toDisplayString())));
    return true;
  }
  if (!t.toMemory() && !t.file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    report(failure(Status::Failed, cannotWrite(QString::fromStdString(target))));
    return true;
  }
  send();
  return true;
}

// Redirects are followed here, one request at a time, rather than by the network layer: each
// new address is checked and counted before anything is asked of it.
void Downloader::send() {
  Transfer& t = *transfer_;
  QNetworkRequest request(t.url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::ManualRedirectPolicy);
  t.reply = manager_->get(request);
  QNetworkReply* reply = t.reply;
  connect(reply, &QNetworkReply::metaDataChanged, this, &Downloader::onHeaders);
  connect(reply, &QNetworkReply::readyRead, this, &Downloader::onBody);
  connect(reply, &QNetworkReply::downloadProgress, this, &Downloader::progress);
  connect(reply, &QNetworkReply::finished, this, &Downloader::onReplyFinished);
  silence_->start(timeout_);
}

void Downloader::cancel() {
  if (transfer_ && !transfer_->ended) stop(Status::Cancelled, "Scaricamento annullato.");
}

// Ends the transfer on our side. Aborting makes the reply finish, possibly at once: callers
// return straight after.
void Downloader::stop(Status status, const QString& error) {
  Transfer& t = *transfer_;
  if (t.stopped || t.ended) return;
  t.stopped = failure(status, error);
  silence_->stop();
  if (t.reply) t.reply->abort();
}

// False when the transfer ended instead (a refused address, too many redirects).
bool Downloader::follow(const QUrl& next) {
  Transfer& t = *transfer_;
  const bool downgrade = t.url.scheme().toLower() == "https" && next.scheme().toLower() == "http";
  if (!isWebAddress(next) || downgrade) {
    report(failure(Status::Failed, refusedRedirectText(next)));
    return false;
  }
  if (++t.redirects > kMaxRedirects) {
    report(failure(Status::Failed,
                   QString("Troppi reindirizzamenti dal server %1.").arg(t.url.host())));
    return false;
  }
  t.url = next;
  send();
  return true;
}

void Downloader::onHeaders() {
  Transfer& t = *transfer_;
  if (t.stopped || t.ended) return;
  silence_->start(timeout_);
  if (!isSuccess(httpStatus(*t.reply))) return;
  const QVariant length = t.reply->header(QNetworkRequest::ContentLengthHeader);
  if (length.isValid() && length.toLongLong() > t.maxBytes)
    stop(Status::TooLarge,
         QString("Il file da scaricare supera il limite di %1.").arg(sizeText(t.maxBytes)));
}

void Downloader::onBody() {
  Transfer& t = *transfer_;
  if (t.stopped || t.ended) return;
  silence_->start(timeout_);
  const QByteArray piece = t.reply->readAll();
  if (!isSuccess(httpStatus(*t.reply))) return;  // an error page or a redirect's body
  if (t.written + piece.size() > t.maxBytes) {
    stop(Status::TooLarge,
         QString("Il file scaricato supera il limite di %1.").arg(sizeText(t.maxBytes)));
    return;
  }
  if (t.toMemory()) {
    t.body += piece;
  } else if (t.file.write(piece) != piece.size()) {
    stop(Status::Failed, cannotWrite(t.target()));
    return;
  }
  t.written += piece.size();
}

void Downloader::onReplyFinished() {
  Transfer& t = *transfer_;
  if (!t.stopped) onBody();  // anything still buffered
  silence_->stop();          // after the last piece, which restarts it
  QNetworkReply* reply = t.reply;
  reply->disconnect(this);
  reply->deleteLater();
  if (t.stopped) {
    report(*t.stopped);
    return;
  }
  const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
  if (reply->error() == QNetworkReply::NoError && isRedirect(httpStatus(*reply)) &&
      location.isValid()) {
    follow(t.url.resolved(location));
    return;
  }
  report(complete());
}

// The reply ended without our stopping it: keep the body if the server sent one.
DownloadResult Downloader::complete() {
  Transfer& t = *transfer_;
  if (t.stopped) return *t.stopped;
  if (t.reply->error() != QNetworkReply::NoError)
    return failure(Status::Failed, networkErrorText(*t.reply, t.url));
  if (!isSuccess(httpStatus(*t.reply))) return failure(Status::Failed, httpErrorText(*t.reply));
  if (t.toMemory()) return {Status::Completed, {}, t.written, std::move(t.body)};
  if (!t.file.flush()) return failure(Status::Failed, cannotWrite(t.target()));
  t.file.close();
  try {
    t.pending->commit();
  } catch (const Error&) {
    return failure(Status::Failed, cannotWrite(t.target()));
  }
  return {Status::Completed, {}, t.written, {}};
}

void Downloader::report(DownloadResult result) {
  transfer_->ended = true;
  QMetaObject::invokeMethod(
      this,
      [this, result] {
        transfer_.reset();
        emit finished(result);
      },
      Qt::QueuedConnection);
}

}  // namespace quintello
