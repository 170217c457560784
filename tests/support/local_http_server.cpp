#include "support/local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace quintello::test {

namespace {

constexpr size_t kMaxRequestBytes = 16 * 1024;

std::string reason(int status) {
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

bool sendAll(int socket, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += size_t(n);
  }
  return true;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("local HTTP server: cannot listen");
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

LocalHttpServer::~LocalHttpServer() {
  stopping_ = true;
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  {
    std::lock_guard lock(mutex_);
    for (int socket : sockets_) ::shutdown(socket, SHUT_RDWR);
  }
  for (auto& connection : connections_) connection.join();
  ::close(listener_);
}

void LocalHttpServer::serve(const std::string& path, Answer answer) {
  std::lock_guard lock(mutex_);
  answers_[path] = std::move(answer);
}

void LocalHttpServer::serveBody(const std::string& path, std::string body, bool withLength) {
  serve(path, {200, std::move(body), {}, withLength, false, {}});
}

void LocalHttpServer::serveStatus(const std::string& path, int status) {
  serve(path, {status, "errore " + std::to_string(status), {}, true, false, {}});
}

void LocalHttpServer::serveRedirect(const std::string& path, const std::string& location) {
  serve(path, {302, "rimandato", location, true, false, {}});
}

void LocalHttpServer::serveSilence(const std::string& path) {
  serve(path, {200, {}, {}, true, true, {}});
}

void LocalHttpServer::serveTrickle(const std::string& path, std::string body,
                                   std::chrono::milliseconds gap) {
  serve(path, {200, std::move(body), {}, true, false, gap});
}

std::string LocalHttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int LocalHttpServer::requests(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto found = requests_.find(path);
  return found == requests_.end() ? 0 : found->second;
}

void LocalHttpServer::acceptLoop() {
  while (!stopping_) {
    const int socket = ::accept(listener_, nullptr, nullptr);
    if (socket < 0) continue;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      ::close(socket);
      break;
    }
    sockets_.push_back(socket);
    connections_.emplace_back([this, socket] { handle(socket); });
  }
}

bool LocalHttpServer::pause(std::chrono::milliseconds time) const {
  const auto end = std::chrono::steady_clock::now() + time;
  while (!stopping_ && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return !stopping_;
}

// Reads the request, answers it and closes the connection. The socket is closed by the
// destructor's shutdown at the latest.
void LocalHttpServer::handle(int socket) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, size_t(n));
  }
  // "GET /path HTTP/1.1"
  const size_t start = request.find(' ') + 1, end = request.find(' ', start);
  const std::string path = start == 0 ? std::string() : request.substr(start, end - start);
  Answer answer;
  {
    std::lock_guard lock(mutex_);
    requests_[path] += 1;
    if (const auto found = answers_.find(path); found != answers_.end()) answer = found->second;
  }
  if (answer.silent) {
    pause(std::chrono::hours(1));
  } else {
    std::string head =
        "HTTP/1.1 " + std::to_string(answer.status) + " " + reason(answer.status) + "\r\n";
    if (!answer.location.empty()) head += "Location: " + answer.location + "\r\n";
    if (answer.withLength) head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (answer.gap.count() == 0) {
      sendAll(socket, head + answer.body);
    } else if (sendAll(socket, head)) {
      for (char c : answer.body)
        if (!pause(answer.gap) || !sendAll(socket, std::string(1, c))) break;
    }
  }
  ::shutdown(socket, SHUT_WR);
  while (::recv(socket, buffer, sizeof buffer, 0) > 0) {
  }
  std::lock_guard lock(mutex_);
  std::erase(sockets_, socket);
  ::close(socket);
}

}  // namespace quintello::test
