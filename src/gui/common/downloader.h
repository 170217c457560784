#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <memory>
#include <string>

class QNetworkAccessManager;
class QTimer;

namespace quintello {

// What a download came to. `error` is an Italian sentence for a message box, empty when the
// file was written.
struct DownloadResult {
  enum class Status { Completed, Failed, TimedOut, TooLarge, Cancelled };
  Status status = Status::Failed;
  QString error;
  qint64 bytes = 0;  // body bytes received
  QByteArray body;   // the body itself, when it was kept in memory
  bool ok() const { return status == Status::Completed; }
};

// True for an address the program may fetch or hand to the browser: http or https with a
// host.
bool isWebAddress(const QUrl& url);

// Fetches one http or https address into a file, or into memory, one transfer at a time. A
// file's body goes to a temporary file beside the target, renamed over it only when the whole
// body has arrived, so a failure leaves the target as it was. A body larger than the cap, a server
// silent for longer than the time-out and a redirect to anything but http or https (or from https
// down to http) end the transfer; so do cancel() and destroying the downloader.
class Downloader : public QObject {
  Q_OBJECT

 public:
  static constexpr qint64 kUpdateFileCap = 16 * 1024 * 1024;
  static constexpr qint64 kOfficialArchiveCap = 64 * 1024 * 1024;
  static constexpr std::chrono::milliseconds kDefaultTimeout{30'000};
  static constexpr int kMaxRedirects = 5;

  explicit Downloader(QObject* parent = nullptr);
  ~Downloader() override;

  // How long the server may stay silent, before answering or between two pieces of the body.
  void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  std::chrono::milliseconds timeout() const { return timeout_; }

  // Starts writing the body of `url` to `target`, or into DownloadResult::body when `target`
  // is empty; finished() tells the outcome, always after start() has returned, and busy()
  // holds until then. False, and nothing started, while another transfer runs.
  bool start(const QUrl& url, const std::string& target, qint64 maxBytes);
  bool busy() const { return transfer_ != nullptr; }

 public slots:
  // Ends the transfer in progress (finished() reports Cancelled); nothing when idle.
  void cancel();

 signals:
  void progress(qint64 received, qint64 total);  // total is -1 when the server gives none
  void finished(const quintello::DownloadResult& result);

 private:
  struct Transfer;
  void send();
  bool follow(const QUrl& next);
  void stop(DownloadResult::Status status, const QString& error);
  void onHeaders();
  void onBody();
  void onReplyFinished();
  DownloadResult complete();
  // Tells the outcome from the event loop, outside the reply's own signals; the transfer
  // (its temporary file included) is released just before.
  void report(DownloadResult result);

  QNetworkAccessManager* manager_;
  QTimer* silence_;
  std::chrono::milliseconds timeout_ = kDefaultTimeout;
  std::unique_ptr<Transfer> transfer_;
};

}  // namespace quintello

Q_DECLARE_METATYPE(quintello::DownloadResult)
