// Downloads against a local HTTP server: what reaches the target, and that every failure
// leaves the target as it was, no temporary file behind, and an Italian sentence.
#include "archive/download.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "support/files.h"
#include "support/local_http_server.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using namespace std::chrono_literals;
using Status = DownloadResult::Status;

struct ServerCase {
  const char* name;
  // Sets the server and the limits up; returns the address to fetch.
  std::function<std::string(test::LocalHttpServer&, DownloadLimits&)> setup;
  Status status;
  const char* error;  // empty for a completed download
  const char* saved;  // the target's content afterwards
};

const std::string kBody(3000, 'x');

const ServerCase kCases[] = {
    {"ok, with length",
     [](auto& s, auto&) {
       s.serveBody("/f", kBody);
       return s.url("/f");
     },
     Status::Completed, "", nullptr},
    {"ok, until the connection closes, after redirects",
     [](auto& s, auto&) {
       s.serveBody("/nuovo", kBody, false);
       s.serveRedirect("/f", "/b");
       s.serveRedirect("/b", s.url("/nuovo"));
       return s.url("/f");
     },
     Status::Completed, "", nullptr},
    {"404",
     [](auto& s, auto&) {
       s.serveStatus("/f", 404);
       return s.url("/f");
     },
     Status::Failed, "Il server ha risposto con l'errore 404: file non trovato.", "vecchio"},
    {"500",
     [](auto& s, auto&) {
       s.serveStatus("/f", 500);
       return s.url("/f");
     },
     Status::Failed, "Il server ha risposto con il codice 500 invece di inviare il file.",
     "vecchio"},
    {"silence",
     [](auto& s, auto& limits) {
       s.serveSilence("/f");
       limits.silence = 1s;
       return s.url("/f");
     },
     Status::TimedOut, "Il server 127.0.0.1 non ha risposto entro 1 secondo.", "vecchio"},
    {"trickle past the deadline",
     [](auto& s, auto& limits) {
       s.serveTrickle("/f", "abcdefghij", 200ms);
       limits.silence = 5s;
       limits.deadline = 1s;
       return s.url("/f");
     },
     Status::TimedOut, "Lo scaricamento dal server 127.0.0.1 non si è concluso entro 1 secondo.",
     "vecchio"},
    {"too large, announced",
     [](auto& s, auto& limits) {
       s.serveBody("/f", std::string(1025, 'x'));
       limits.maxBytes = 1024;
       return s.url("/f");
     },
     Status::TooLarge, "Il file da scaricare supera il limite di 1 KB.", "vecchio"},
    {"too large, streamed",
     [](auto& s, auto& limits) {
       s.serveBody("/f", std::string(1025, 'x'), false);
       limits.maxBytes = 1024;
       return s.url("/f");
     },
     Status::TooLarge, "Il file scaricato supera il limite di 1 KB.", "vecchio"},
    {"redirect to another scheme",
     [](auto& s, auto&) {
       s.serveRedirect("/f", "ftp://127.0.0.1/f");
       return s.url("/f");
     },
     Status::Failed, "Il server ha rimandato a un indirizzo non ammesso: \"ftp://127.0.0.1/f\".",
     "vecchio"},
    {"redirect loop",
     [](auto& s, auto&) {
       s.serveRedirect("/f", "/g");
       s.serveRedirect("/g", s.url("/f"));
       return s.url("/f");
     },
     Status::Failed, "Troppi reindirizzamenti dal server 127.0.0.1.", "vecchio"},
    {"not a web address", [](auto&, auto&) { return std::string("file:///etc/passwd"); },
     Status::Failed,
     "Indirizzo non ammesso: \"file:///etc/passwd\". Si possono scaricare solo indirizzi http e "
     "https.",
     "vecchio"},
    {"nobody listening",
     [](auto&, auto&) {
       std::string closed;
       {
         test::LocalHttpServer gone;
         closed = gone.url("/f");
       }
       return closed;
     },
     Status::Failed, "Il server 127.0.0.1 ha rifiutato il collegamento.", "vecchio"},
    {"cancel",
     [](auto& s, auto&) {
       s.serveSilence("/f");
       return s.url("/f");
     },
     Status::Cancelled, "Scaricamento annullato.", "vecchio"},
};

bool leftoversIn(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".nuovo") return true;
  return false;
}

TEST(Download, ServerBehaviours) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    test::LocalHttpServer server;
    DownloadLimits limits;
    const std::string address = c.setup(server, limits);
    std::atomic<bool> cancel = false;
    limits.cancel = &cancel;
    std::uint64_t lastReceived = 0;
    limits.progress = [&](std::uint64_t received, std::uint64_t) { lastReceived = received; };
    const std::string target = dir.file("Estr_Agg.txt");
    std::ofstream(target) << "vecchio";
    std::thread canceller;
    if (c.status == Status::Cancelled)
      canceller = std::thread([&] {
        std::this_thread::sleep_for(100ms);
        cancel = true;
      });

    const DownloadResult result = download(address, target, limits);
    if (canceller.joinable()) canceller.join();
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(test::readFile(target), c.saved ? c.saved : kBody);
    EXPECT_FALSE(leftoversIn(dir.path()));
    if (result.ok()) {
      EXPECT_EQ(lastReceived, kBody.size());
    }
  }
}

TEST(Download, IntoMemoryLeavesNoFile) {
  test::LocalHttpServer server;
  server.serveBody("/f", kBody, false);
  const DownloadResult result = download(server.url("/f"), {}, {});
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.body, kBody);
  EXPECT_EQ(result.bytes, kBody.size());
}

TEST(Download, UnwritableTargetIsTold) {
  test::TempDir dir;
  test::LocalHttpServer server;
  server.serveBody("/f", "contenuto");
  const std::string target = dir.file("manca/f.txt");
  EXPECT_EQ(download(server.url("/f"), target, {}).error,
            "Impossibile scrivere il file \"" + target + "\".");
}

TEST(Download, OnlyWebAddressesAndNoWayDownFromHttps) {
  const struct {
    const char* address;
    bool web;
    const char* redirects;
  } cases[] = {
      {"http://esempio.it/a.txt", true, "http,https"},
      {"HTTPS://esempio.it", true, "https"},
      {"ftp://esempio.it/a.txt", false, "http,https"},
      {"file:///etc/passwd", false, "http,https"},
      {"javascript:alert(1)", false, "http,https"},
      {"www.esempio.it", false, "http,https"},
      {"", false, "http,https"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isWebAddress(c.address), c.web) << c.address;
    EXPECT_EQ(redirectSchemes(c.address), c.redirects) << c.address;
  }
}

}  // namespace
}  // namespace quintello
