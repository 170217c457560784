#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quintello::test {

// An HTTP server on 127.0.0.1 for the download tests: each path answers as told, others 404.
class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // 200 with the body; without a Content-Length the body ends when the connection closes.
  void serveBody(const std::string& path, std::string body, bool withLength = true) {
    serve(path, {200, std::move(body), {}, withLength, false, {}});
  }
  void serveStatus(const std::string& path, int status) {
    serve(path, {status, "errore " + std::to_string(status), {}, true, false, {}});
  }
  // 302 to `location` (absolute, or a path on this server).
  void serveRedirect(const std::string& path, const std::string& location) {
    serve(path, {302, "rimandato", location, true, false, {}});
  }
  // Accepts the connection and never answers.
  void serveSilence(const std::string& path) { serve(path, {200, {}, {}, true, true, {}}); }
  // 200 with the body, one byte every `gap`.
  void serveTrickle(const std::string& path, std::string body, std::chrono::milliseconds gap) {
    serve(path, {200, std::move(body), {}, true, false, gap});
  }

  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  struct Answer {
    int status = 404;
    std::string body = "non trovato", location;
    bool withLength = true, silent = false;
    std::chrono::milliseconds gap{0};
  };
  void serve(const std::string& path, Answer answer) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(answer);
  }
  void handle(int socket);
  bool pause(std::chrono::milliseconds time) const;  // false when the server is stopping

  int listener_ = -1, port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, Answer> answers_;
  std::vector<std::thread> connections_;
  std::vector<int> sockets_;
  std::thread acceptor_;
};

}  // namespace quintello::test
