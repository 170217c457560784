#include "support/local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace quintello::test {

namespace {

bool sendAll(int socket, const std::string& bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += size_t(n);
  }
  return true;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{
      .sin_family = AF_INET, .sin_port = 0, .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("local HTTP server: cannot listen");
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] {
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
  });
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

bool LocalHttpServer::pause(std::chrono::milliseconds time) const {
  const auto end = std::chrono::steady_clock::now() + time;
  while (!stopping_ && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return !stopping_;
}

// Reads the request (bounded), answers it and closes the connection.
void LocalHttpServer::handle(int socket) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16 * 1024) {
    const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, size_t(n));
  }
  const size_t start = request.find(' ') + 1, end = request.find(' ', start);
  Answer answer;
  {
    std::lock_guard lock(mutex_);
    const auto found = answers_.find(start == 0 ? "" : request.substr(start, end - start));
    if (found != answers_.end()) answer = found->second;
  }
  if (answer.silent) pause(std::chrono::hours(1));
  std::string head = "HTTP/1.1 " + std::to_string(answer.status) +
                     (answer.status == 200 ? " OK" : " Risposta") + "\r\n";
  if (!answer.location.empty()) head += "Location: " + answer.location + "\r\n";
  if (answer.withLength) head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
  head += "Connection: close\r\n\r\n";
  const size_t step = answer.gap.count() ? 1 : answer.body.size() + 1;  // no gap: all at once
  bool sending = !answer.silent && sendAll(socket, head);
  for (size_t at = 0; sending && at < answer.body.size(); at += step)
    sending = pause(answer.gap) && sendAll(socket, answer.body.substr(at, step));
  ::shutdown(socket, SHUT_WR);
  while (::recv(socket, buffer, sizeof buffer, 0) > 0) continue;
  std::lock_guard lock(mutex_);
  std::erase(sockets_, socket);
  ::close(socket);
}

}  // namespace quintello::test
