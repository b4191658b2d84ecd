#include "tests/windows/net_test_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>

namespace {

// The body length a request announces, 0 when it announces none.
std::size_t AnnouncedLength(const std::string& head) {
  std::string lower = head;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  const std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return static_cast<std::size_t>(std::strtoul(lower.c_str() + at + 17, nullptr, 10));
}

// Waits up to 50 ms for `s` to become readable; false on time-out.
bool Readable(SOCKET s) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval wait{0, 50000};
  return select(0, &set, nullptr, nullptr, &wait) > 0;
}

// Serves one connection: requests one after another until the peer closes it.
void Serve(TestServer& server, SOCKET client) {
  std::string received;
  while (!server.stopping) {
    if (!Readable(client)) continue;
    char chunk[4096];
    const int n = recv(client, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    received.append(chunk, static_cast<std::size_t>(n));
    const std::size_t headEnd = received.find("\r\n\r\n");
    if (headEnd == std::string::npos) continue;
    const std::size_t whole = headEnd + 4 + AnnouncedLength(received.substr(0, headEnd + 2));
    if (received.size() < whole) continue;
    {
      std::lock_guard<std::mutex> hold(server.lock);
      server.requests.push_back(received.substr(0, whole));
    }
    received.erase(0, whole);
    if (server.answerDelayMs < 0) continue;  // keep the connection, never answer
    for (int waited = 0; waited < server.answerDelayMs && !server.stopping; waited += 10) Sleep(10);
    send(client, server.response.data(), static_cast<int>(server.response.size()), 0);
    break;  // responses say "Connection: close"
  }
  closesocket(client);
}

void Run(TestServer& server) {
  const SOCKET listener = static_cast<SOCKET>(server.listener);
  std::vector<std::thread> connections;
  while (!server.stopping) {
    if (!Readable(listener)) continue;
    const SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    {
      std::lock_guard<std::mutex> hold(server.lock);
      ++server.connections;
    }
    connections.emplace_back(Serve, std::ref(server), client);
  }
  for (std::thread& connection : connections) connection.join();
}

}  // namespace

std::vector<std::string> TestServer::Requests() {
  std::lock_guard<std::mutex> hold(lock);
  return requests;
}

int TestServer::Connections() {
  std::lock_guard<std::mutex> hold(lock);
  return connections;
}

void StartTestServer(TestServer& server, std::string response, int answerDelayMs) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  server.response = std::move(response);
  server.answerDelayMs = answerDelayMs;
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 16);
  int length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  server.port = ntohs(address.sin_port);
  server.url = "http://127.0.0.1:" + std::to_string(server.port);
  server.listener = static_cast<std::uintptr_t>(listener);
  server.thread = std::thread(Run, std::ref(server));
}

void StopTestServer(TestServer& server) {
  server.stopping = true;
  if (server.thread.joinable()) server.thread.join();
  closesocket(static_cast<SOCKET>(server.listener));
  WSACleanup();
}

std::string OkResponse(const std::string& body, const std::string& headerLines) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + headerLines + "\r\n" + body;
}
