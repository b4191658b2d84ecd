// A small blocking HTTP/1.1 client for loopback tests and benchmarks: raw
// requests in, status, headers and body out, every wait bounded.
#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace lanjian::testing {

struct HttpResponse {
  bool ok = false;  // a complete response arrived
  int status = 0;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

class LoopbackConnection {
 public:
  explicit LoopbackConnection(std::uint16_t port, int timeoutMs = 10000);
  ~LoopbackConnection();
  LoopbackConnection(const LoopbackConnection&) = delete;
  LoopbackConnection& operator=(const LoopbackConnection&) = delete;

  bool connected() const { return fd_ >= 0; }
  bool Send(const std::string& bytes);
  // Reads one response; a reply to HEAD carries no body whatever its length says.
  HttpResponse Receive(bool headRequest = false);
  // True when the server has closed the connection (reads end of stream).
  bool PeerClosed();

 private:
  int fd_ = -1;
  std::string buffered_;
};

// "POST / HTTP/1.1" with Host, Content-Length and the body.
std::string PostRequest(const std::string& path, const std::string& body, bool keepAlive = true);
std::string GetRequest(const std::string& method, const std::string& path, bool keepAlive = true);

// One request on a fresh connection.
HttpResponse Exchange(std::uint16_t port, const std::string& request, bool headRequest = false);

}  // namespace lanjian::testing
