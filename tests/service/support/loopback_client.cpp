#include "tests/service/support/loopback_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace lanjian::testing {

LoopbackConnection::LoopbackConnection(std::uint16_t port, int timeoutMs) {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return;
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  const int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

LoopbackConnection::~LoopbackConnection() {
  if (fd_ >= 0) ::close(fd_);
}

bool LoopbackConnection::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (fd_ >= 0 && sent < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return fd_ >= 0;
}

HttpResponse LoopbackConnection::Receive(bool headRequest) {
  HttpResponse response;
  if (fd_ < 0) return response;
  const auto fill = [this]() {
    char chunk[16384];
    for (;;) {
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      buffered_.append(chunk, static_cast<std::size_t>(n));
      return true;
    }
  };
  std::size_t headerEnd;
  while ((headerEnd = buffered_.find("\r\n\r\n")) == std::string::npos) {
    if (!fill()) return response;
  }
  const std::string head = buffered_.substr(0, headerEnd);
  buffered_.erase(0, headerEnd + 4);
  // Status line: HTTP/1.1 200 OK
  const std::size_t space = head.find(' ');
  if (space == std::string::npos) return response;
  response.status = std::atoi(head.c_str() + space + 1);
  std::size_t lineStart = head.find("\r\n");
  while (lineStart != std::string::npos) {
    lineStart += 2;
    std::size_t lineEnd = head.find("\r\n", lineStart);
    const std::string line =
        head.substr(lineStart, lineEnd == std::string::npos ? std::string::npos : lineEnd - lineStart);
    const std::size_t colon = line.find(':');
    if (colon != std::string::npos) {
      std::string name = line.substr(0, colon);
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      std::size_t valueStart = colon + 1;
      while (valueStart < line.size() && line[valueStart] == ' ') ++valueStart;
      response.headers[name] = line.substr(valueStart);
    }
    lineStart = lineEnd;
  }
  std::size_t length = 0;
  if (auto it = response.headers.find("content-length"); it != response.headers.end()) {
    length = std::strtoul(it->second.c_str(), nullptr, 10);
  }
  if (headRequest) length = 0;
  while (buffered_.size() < length) {
    if (!fill()) return response;
  }
  response.body = buffered_.substr(0, length);
  buffered_.erase(0, length);
  response.ok = true;
  return response;
}

bool LoopbackConnection::PeerClosed() {
  if (fd_ < 0) return true;
  char byte;
  for (;;) {
    const ssize_t n = ::recv(fd_, &byte, 1, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) return true;
    if (n > 0) buffered_.push_back(byte);
    return n < 0 && errno != EAGAIN && errno != EWOULDBLOCK;
  }
}

std::string PostRequest(const std::string& path, const std::string& body, bool keepAlive) {
  return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
         "Content-Type: application/x-www-form-urlencoded\r\n" +
         (keepAlive ? "" : "Connection: close\r\n") +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string GetRequest(const std::string& method, const std::string& path, bool keepAlive) {
  return method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
         (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
}

HttpResponse Exchange(std::uint16_t port, const std::string& request, bool headRequest) {
  LoopbackConnection connection(port);
  if (!connection.Send(request)) return {};
  return connection.Receive(headRequest);
}

}  // namespace lanjian::testing
