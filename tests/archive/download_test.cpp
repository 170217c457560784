// Downloads against a local HTTP server: what reaches the target, and that every failure
// leaves the target as it was, no temporary file behind, and an Italian sentence (a 404 and a
// deadline reached are rows of quintello-cli's update runs).
#include "archive/download.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <thread>

#include "archive/helpers.h"
#include "archive/server_addresses.h"
#include "support/local_http_server.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

using namespace std::chrono_literals;
using Status = DownloadResult::Status;
using Server = test::LocalHttpServer;

const std::string kBody(3000, 'x');

// Sets the server up; the address fetched is the server's "/f" unless changed. Every case runs
// with a limit of 4 KB.
using Setup = std::function<void(Server&, std::string& address)>;
const std::string kTooLarge(4097, 'x');

const struct {
  const char* name;
  Setup setup;
  Status status;
  const char* error;  // empty for a completed download
} kCases[] = {
    {"ok, with length", [](auto& s, auto&) { s.serveBody("/f", kBody); }, Status::Completed, ""},
    {"ok, until the connection closes, after redirects",
     [](auto& s, auto&) {
       s.serveBody("/nuovo", kBody, false);
       s.serveRedirect("/f", "/b");
       s.serveRedirect("/b", s.url("/nuovo"));
     },
     Status::Completed, ""},
    {"500", [](auto& s, auto&) { s.serveStatus("/f", 500); }, Status::Failed,
     "Il server ha risposto con il codice 500 invece di inviare il file."},
    {"silence", [](auto& s, auto&) { s.serveSilence("/f"); }, Status::TimedOut,
     "Il server 127.0.0.1 non ha risposto entro 1 secondo."},
    {"too large, announced", [](auto& s, auto&) { s.serveBody("/f", kTooLarge); }, Status::TooLarge,
     "Il file da scaricare supera il limite di 4 KB."},
    {"too large, streamed", [](auto& s, auto&) { s.serveBody("/f", kTooLarge, false); },
     Status::TooLarge, "Il file scaricato supera il limite di 4 KB."},
    {"redirect to another scheme",
     [](auto& s, auto&) { s.serveRedirect("/f", "ftp://127.0.0.1/f"); }, Status::Failed,
     "Il server ha rimandato a un indirizzo non ammesso: \"ftp://127.0.0.1/f\"."},
    {"redirect loop",
     [](auto& s, auto&) {
       s.serveRedirect("/f", "/g");
       s.serveRedirect("/g", s.url("/f"));
     },
     Status::Failed, "Troppi reindirizzamenti dal server 127.0.0.1."},
    {"not a web address", [](auto&, auto& address) { address = "file:///etc/passwd"; },
     Status::Failed,
     "Indirizzo non ammesso: \"file:///etc/passwd\". Si possono scaricare solo indirizzi http e "
     "https."},
    {"nobody listening", [](auto&, auto& address) { address = Server().url("/f"); }, Status::Failed,
     "Il server 127.0.0.1 ha rifiutato il collegamento."},
    {"cancel", [](auto& s, auto&) { s.serveSilence("/f"); }, Status::Cancelled,
     "Scaricamento annullato."},
};

TEST(Download, ServerBehaviours) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    Server server;
    DownloadLimits limits;
    limits.maxBytes = 4096;
    if (c.status == Status::TimedOut) limits.silence = 1s;  // the cancel case must not time out
    std::string address = server.url("/f");
    c.setup(server, address);
    std::atomic<bool> cancel = false;
    limits.cancel = &cancel;
    std::uint64_t lastReceived = 0;
    limits.progress = [&](std::uint64_t received, std::uint64_t) { lastReceived = received; };
    const std::string target = dir.file("Estr_Agg.txt");
    test::writeFile(target, "vecchio");
    std::thread canceller([&] {
      if (c.status != Status::Cancelled) return;
      std::this_thread::sleep_for(100ms);
      cancel = true;
    });
    const DownloadResult result = download(address, target, limits);
    canceller.join();
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(test::readFile(target), result.ok() ? kBody : "vecchio");
    EXPECT_EQ(lastReceived, result.ok() ? kBody.size() : lastReceived);
    EXPECT_EQ(test::filesIn(dir.path()), std::set<std::string>{"Estr_Agg.txt"});
  }
}

TEST(Download, IntoMemoryOrAnUnwritableTarget) {
  test::TempDir dir;
  Server server;
  server.serveBody("/f", kBody, false);
  const DownloadResult result = download(server.url("/f"), {}, {});
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.body, kBody);
  EXPECT_EQ(result.bytes, kBody.size());
  const std::string target = dir.file("manca/f.txt");
  EXPECT_EQ(download(server.url("/f"), target, {}).error,
            "Impossibile scrivere il file \"" + target + "\".");
}

// Which addresses are fetched, where the update file is, and no way down from https.
TEST(Download, Addresses) {
  for (const auto& c : test::caseRows("archive/cases/addresses.txt")) {
    SCOPED_TRACE(c.at(0));
    EXPECT_EQ(updateFileAddress(c[0]), c.at(1));
    EXPECT_EQ(isWebAddress(c[0]) ? "yes" : "no", c.at(2));
    EXPECT_EQ(redirectSchemes(c[0]), c.at(3));
  }
}

}  // namespace
}  // namespace quintello
