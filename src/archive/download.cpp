#include "archive/download.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

#include "core/error.h"
#include "core/pending_file.h"

namespace quintello {

namespace {

using Status = DownloadResult::Status;

struct UrlParts {
  std::string scheme, host;
};

// The scheme (lower case) and host of an absolute address; nothing when it is not one.
std::optional<UrlParts> urlParts(std::string_view address) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
  if (!url || curl_url_set(url.get(), CURLUPART_URL, std::string(address).c_str(), 0) != CURLUE_OK)
    return std::nullopt;
  const auto part = [&](CURLUPart which) -> std::optional<std::string> {
    char* text = nullptr;
    if (curl_url_get(url.get(), which, &text, 0) != CURLUE_OK || !text) return std::nullopt;
    std::string value(text);
    curl_free(text);
    return value;
  };
  const auto scheme = part(CURLUPART_SCHEME);
  const auto host = part(CURLUPART_HOST);
  if (!scheme || !host || host->empty()) return std::nullopt;
  return UrlParts{*scheme, *host};
}

std::string sizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kKilo = 1024, kMega = 1024 * 1024;
  if (bytes >= kMega && bytes % kMega == 0) return std::to_string(bytes / kMega) + " MB";
  if (bytes >= kKilo && bytes % kKilo == 0) return std::to_string(bytes / kKilo) + " KB";
  return std::to_string(bytes) + " byte";
}

std::string secondsText(std::chrono::milliseconds time) {
  const auto seconds = std::max<long long>(1, (time.count() + 999) / 1000);
  return seconds == 1 ? "1 secondo" : std::to_string(seconds) + " secondi";
}

std::string cannotWrite(const std::string& target) {
  return "Impossibile scrivere il file \"" + target + "\".";
}

void initCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Where the body goes while it arrives, and how much of it came.
struct Sink {
  std::FILE* file = nullptr;  // null: the body is kept in memory
  std::string body;
  std::uint64_t received = 0;
  std::uint64_t maxBytes = 0;
  bool tooLarge = false;
  bool writeFailed = false;
  const DownloadLimits* limits = nullptr;
};

size_t writeBody(char* data, size_t, size_t size, void* user) {
  auto& sink = *static_cast<Sink*>(user);
  if (sink.received + size > sink.maxBytes) {
    sink.tooLarge = true;
    return 0;  // ends the transfer
  }
  if (!sink.file) {
    sink.body.append(data, size);
  } else if (std::fwrite(data, 1, size, sink.file) != size) {
    sink.writeFailed = true;
    return 0;
  }
  sink.received += size;
  return size;
}

int onProgress(void* user, curl_off_t total, curl_off_t, curl_off_t, curl_off_t) {
  const auto& sink = *static_cast<Sink*>(user);
  const DownloadLimits& limits = *sink.limits;
  if (limits.cancel && limits.cancel->load()) return 1;  // ends the transfer
  if (limits.progress) limits.progress(sink.received, total > 0 ? std::uint64_t(total) : 0);
  return 0;
}

long responseCode(CURL* curl) {
  long code = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

std::string httpErrorText(long code) {
  if (code == 404) return "Il server ha risposto con l'errore 404: file non trovato.";
  return "Il server ha risposto con il codice " + std::to_string(code) +
         " invece di inviare il file.";
}

// The Italian sentence for the way a transfer failed.
DownloadResult failure(CURLcode code, CURL* curl, const Sink& sink, const std::string& host,
                       const DownloadLimits& limits, std::chrono::steady_clock::duration took) {
  const auto fail = [](Status status, std::string text) {
    return DownloadResult{status, std::move(text), 0, {}};
  };
  if (sink.tooLarge)
    return fail(Status::TooLarge,
                "Il file scaricato supera il limite di " + sizeText(sink.maxBytes) + ".");
  switch (code) {
    case CURLE_ABORTED_BY_CALLBACK:
      return fail(Status::Cancelled, "Scaricamento annullato.");
    case CURLE_FILESIZE_EXCEEDED:
      return fail(Status::TooLarge,
                  "Il file da scaricare supera il limite di " + sizeText(sink.maxBytes) + ".");
    case CURLE_OPERATION_TIMEDOUT:
      // curl's own clock may stop a hair before ours reaches the deadline.
      if (took + std::chrono::milliseconds(100) >= limits.deadline)
        return fail(Status::TimedOut, "Lo scaricamento dal server " + host +
                                          " non si è concluso entro " +
                                          secondsText(limits.deadline) + ".");
      return fail(Status::TimedOut, "Il server " + host + " non ha risposto entro " +
                                        secondsText(limits.silence) + ".");
    case CURLE_HTTP_RETURNED_ERROR:
      return fail(Status::Failed, httpErrorText(responseCode(curl)));
    case CURLE_UNSUPPORTED_PROTOCOL: {
      char* next = nullptr;  // the refused address the server sent us to
      curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &next);
      return fail(Status::Failed, "Il server ha rimandato a un indirizzo non ammesso: \"" +
                                      std::string(next ? next : "") + "\".");
    }
    case CURLE_TOO_MANY_REDIRECTS:
      return fail(Status::Failed, "Troppi reindirizzamenti dal server " + host + ".");
    case CURLE_COULDNT_RESOLVE_HOST:
      return fail(Status::Failed,
                  "Server " + host + " non trovato: controllare il collegamento a internet.");
    case CURLE_COULDNT_RESOLVE_PROXY:
      return fail(Status::Failed, "Server proxy non trovato: controllare le impostazioni di rete.");
    case CURLE_COULDNT_CONNECT:
      return fail(Status::Failed, "Il server " + host + " ha rifiutato il collegamento.");
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
      return fail(Status::Failed,
                  "Il server " + host + " ha chiuso il collegamento prima di inviare il file.");
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
      return fail(Status::Failed, "Collegamento sicuro con il server " + host + " non riuscito.");
    default:
      return fail(Status::Failed, "Collegamento con il server " + host +
                                      " non riuscito (errore di rete " + std::to_string(int(code)) +
                                      ").");
  }
}

void setOptions(CURL* curl, const std::string& address, Sink& sink, const DownloadLimits& limits) {
  const auto seconds = [](std::chrono::milliseconds time) {
    return std::max<long>(1, long((time.count() + 999) / 1000));
  };
  curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR,
                   std::string(redirectSchemes(address)).c_str());
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // safe off the main thread
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Quintello");
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBytes));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(limits.silence.count()));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);  // a byte a second counts as alive
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds(limits.silence));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(limits.deadline.count()));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &sink);
}

}  // namespace

bool isWebAddress(std::string_view address) {
  const auto parts = urlParts(address);
  return parts && (parts->scheme == "http" || parts->scheme == "https");
}

std::string_view redirectSchemes(std::string_view address) {
  const auto parts = urlParts(address);
  return parts && parts->scheme == "https" ? "https" : "http,https";
}

DownloadResult download(const std::string& address, const std::string& target,
                        const DownloadLimits& limits) {
  const auto parts = urlParts(address);
  if (!isWebAddress(address))
    return {Status::Failed,
            "Indirizzo non ammesso: \"" + address +
                "\". Si possono scaricare solo indirizzi http e https.",
            0,
            {}};
  initCurlOnce();
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
  if (!handle) return {Status::Failed, "Scaricamento non avviato: memoria insufficiente.", 0, {}};

  Sink sink;
  sink.maxBytes = limits.maxBytes;
  sink.limits = &limits;
  std::optional<PendingFile> pending;
  std::unique_ptr<std::FILE, decltype(&std::fclose)> file(nullptr, std::fclose);
  if (!target.empty()) {
    pending.emplace(target);
    file.reset(std::fopen(pending->path().c_str(), "wb"));
    if (!file) return {Status::Failed, cannotWrite(target), 0, {}};
    sink.file = file.get();
  }

  CURL* curl = handle.get();
  setOptions(curl, address, sink, limits);
  const auto start = std::chrono::steady_clock::now();
  const CURLcode code = curl_easy_perform(curl);
  const auto took = std::chrono::steady_clock::now() - start;
  if (code != CURLE_OK) {
    if (sink.writeFailed) return {Status::Failed, cannotWrite(target), 0, {}};
    return failure(code, curl, sink, parts->host, limits, took);
  }
  if (file) {
    const bool flushed = std::fflush(file.get()) == 0;
    if (std::fclose(file.release()) != 0 || !flushed)
      return {Status::Failed, cannotWrite(target), 0, {}};
    try {
      pending->commit();
    } catch (const Error& error) {
      return {Status::Failed, error.what(), 0, {}};
    }
  }
  return {Status::Completed, {}, sink.received, std::move(sink.body)};
}

}  // namespace quintello
