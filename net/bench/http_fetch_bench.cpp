// Prints what one HttpFetch round trip costs on loopback next to the same GET
// done with bare WinINet calls on the calling thread. A figure, not a test.
//   net_bench.exe [rounds]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "net/http_fetch.h"
#include "tests/windows/net_test_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// The same request HttpFetch makes, without the worker thread and the record;
// a POST when `form` is not empty.
std::string BareRequest(int port, const std::string& path, const std::string& form) {
  std::string body;
  HINTERNET open = InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                                 INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET connect = InternetConnectA(open, "127.0.0.1", static_cast<INTERNET_PORT>(port), nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request = HttpOpenRequestA(connect, form.empty() ? nullptr : "POST", path.c_str(), "HTTP/1.1",
                                       nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
  const std::string headers = form.empty() ? std::string()
                                           : "Content-Type: application/x-www-form-urlencoded\r\n"
                                             "Content-Length: " + std::to_string(form.size()) + "\r\n";
  HttpSendRequestA(request, headers.c_str(), static_cast<DWORD>(headers.size()),
                   form.empty() ? nullptr : const_cast<char*>(form.data()), static_cast<DWORD>(form.size()));
  char chunk[2048];
  DWORD read = 0;
  while (InternetReadFile(request, chunk, sizeof chunk, &read) && read > 0) body.append(chunk, read);
  InternetCloseHandle(request);
  InternetCloseHandle(connect);
  InternetCloseHandle(open);
  return body;
}

std::string BareGet(int port, const std::string& path) { return BareRequest(port, path, ""); }

struct ThreadedGet {
  int port;
  std::string body;
};

DWORD WINAPI BareGetThread(LPVOID parameter) {
  ThreadedGet* get = static_cast<ThreadedGet*>(parameter);
  get->body = BareGet(get->port, "/bench");
  return 0;
}

// The bare request on a thread of its own, waited for: the part of HttpFetch's
// cost that is the thread rather than the record or the headers.
std::string BareGetOnThread(int port) {
  ThreadedGet get{port, {}};
  HANDLE thread = CreateThread(nullptr, 0, BareGetThread, &get, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return get.body;
}

struct Figures {
  double median, mean, best;
};

Figures Measure(int rounds, const std::function<bool()>& once) {
  std::vector<double> micros;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    if (!once()) {
      std::fprintf(stderr, "a round trip failed\n");
      std::exit(1);
    }
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  double sum = 0;
  for (double m : micros) sum += m;
  return {micros[micros.size() / 2], sum / static_cast<double>(micros.size()), micros.front()};
}

void Print(const char* what, const Figures& f) {
  std::printf("%-34s median %8.0f us   mean %8.0f us   best %8.0f us\n", what, f.median, f.mean, f.best);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  TestServer server;
  const std::string body(1024, 'x');
  StartTestServer(server, OkResponse(body));
  const std::string url = server.url + "/bench";

  // Warm up WinINet and the loopback path once.
  BareGet(server.port, "/bench");
  HttpFetch(url);

  const Figures fetch = Measure(rounds, [&] { return HttpFetch(url, "", "", "", nullptr, "", 5) == body; });
  const Figures bare = Measure(rounds, [&] { return BareGet(server.port, "/bench") == body; });
  const Figures threaded = Measure(rounds, [&] { return BareGetOnThread(server.port) == body; });
  const Figures barePost = Measure(rounds, [&] { return BareRequest(server.port, "/bench", "type=1&wd=a1a2a") == body; });
  const Figures post = Measure(rounds, [&] { return HttpFetch(url, "POST", "type=1&wd=a1a2a") == body; });
  StopTestServer(server);

  std::printf("%d round trips each, GET of a 1024-byte body from a loopback server\n", rounds);
  Print("HttpFetch GET (worker + record)", fetch);
  Print("bare WinINet GET (same thread)", bare);
  Print("bare WinINet GET (new thread)", threaded);
  Print("HttpFetch POST type=1&wd=...", post);
  Print("bare WinINet POST (same thread)", barePost);
  std::printf("HttpFetch overhead over bare WinINet: %+.0f us per call (medians)\n", fetch.median - bare.median);
  return 0;
}
