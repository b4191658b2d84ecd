// The service's HTTP front on libmicrohttpd: an epoll event loop per worker
// thread, so connections that send their headers slowly cost a slot, not a
// thread; recognition runs on the worker that read the request.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "service/engine.h"

namespace lanjian {

struct ServerOptions {
  std::string host = "127.0.0.1";  // numeric IPv4 or IPv6 address
  std::uint16_t port = 8461;       // 0 picks a free port
  unsigned threads = 2;
  unsigned connectionLimit = 512;
  unsigned idleTimeoutSeconds = 15;  // a connection silent this long is closed
  bool logRequests = true;           // one line per request on stderr
};

class HttpServer {
 public:
  // Binds, listens and starts the workers; null and a message when it cannot
  // (for instance the port is taken). The engine must outlive the server.
  static std::unique_ptr<HttpServer> Start(const Engine& engine, const ServerOptions& options,
                                           std::string* error);
  ~HttpServer();  // stops like Stop()
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  std::uint16_t port() const { return port_; }
  // Stops accepting, lets the requests in progress finish (a few seconds at
  // most), then closes every connection. Safe to call twice.
  void Stop();

  struct State;

 private:
  HttpServer() = default;
  std::unique_ptr<State> state_;
  std::uint16_t port_ = 0;
};

}  // namespace lanjian
