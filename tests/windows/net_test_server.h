// A loopback HTTP server for the HttpFetch tests: listens on 127.0.0.1 at a
// free port, records every request byte for byte and answers each one with a
// fixed raw response, at once, after a delay, or never.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TestServer {
  int port = 0;
  std::string url;  // "http://127.0.0.1:<port>"
  // Raw bytes of each request received (request line, headers, body).
  std::vector<std::string> Requests();
  // Connections accepted so far (a silent server accepts but never answers).
  int Connections();

  std::string response;
  int answerDelayMs = 0;  // below 0: never answer

  std::mutex lock;
  std::vector<std::string> requests;
  int connections = 0;
  std::atomic<bool> stopping{false};
  std::uintptr_t listener = 0;
  std::thread thread;
};

// Starts a server; `response` is sent answerDelayMs after each whole request
// (never when answerDelayMs is below 0; the connection then stays open).
void StartTestServer(TestServer& server, std::string response, int answerDelayMs = 0);
// Stops accepting, closes every connection and ends the server's thread.
void StopTestServer(TestServer& server);

// A raw HTTP/1.1 200 response with the given extra header lines and body.
std::string OkResponse(const std::string& body, const std::string& headerLines = {});
