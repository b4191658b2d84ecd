// Load on the running program: concurrent keep-alive clients posting pad-like
// inks, then the same again while extra connections trickle their headers a
// byte at a time. Prints requests/s, latency percentiles, errors and the
// service's resident memory.
//
//   service_load_bench [--clients 8] [--requests 10000] [--slow 50] [--threads 2]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "recognition/reply_cut.h"
#include "service/bench/bench_inks.h"
#include "tests/service/support/child_process.h"
#include "tests/service/support/loopback_client.h"

namespace {

using namespace lanjian;
using Clock = std::chrono::steady_clock;

std::uint16_t FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

struct PhaseResult {
  double seconds = 0;
  double serviceCpuSeconds = 0;  // CPU the service used meanwhile
  std::vector<double> latencies;
  int errors = 0;
};

PhaseResult RunClients(pid_t service, std::uint16_t port, int clients, int requests,
                       const std::vector<bench::BenchInk>& inks) {
  PhaseResult result;
  const double cpuStart = testing::ProcessCpuSeconds(service);
  std::mutex mutex;
  const auto start = Clock::now();
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      std::vector<double> latencies;
      latencies.reserve(static_cast<std::size_t>(requests));
      int errors = 0;
      auto connection = std::make_unique<testing::LoopbackConnection>(port, 60000);
      for (int i = 0; i < requests; ++i) {
        const bench::BenchInk& ink = inks[static_cast<std::size_t>(c * 7919 + i) % inks.size()];
        const auto sent = Clock::now();
        testing::HttpResponse response;
        if (connection->Send(testing::PostRequest("/", ink.body))) response = connection->Receive();
        latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        if (!response.ok || response.status != 200 || CutCandidatePieces(response.body).empty()) {
          ++errors;
          connection = std::make_unique<testing::LoopbackConnection>(port, 60000);
        }
      }
      std::lock_guard<std::mutex> lock(mutex);
      result.latencies.insert(result.latencies.end(), latencies.begin(), latencies.end());
      result.errors += errors;
    });
  }
  for (std::thread& t : threads) t.join();
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  result.serviceCpuSeconds = testing::ProcessCpuSeconds(service) - cpuStart;
  return result;
}

void Report(const char* name, const PhaseResult& r) {
  std::printf("%-34s %8zu requests  %7.1f req/s  p50 %7.2f ms  p99 %7.2f ms  errors %d  "
              "service CPU %.2f ms/request\n",
              name, r.latencies.size(), r.latencies.size() / r.seconds,
              bench::Percentile(r.latencies, 50), bench::Percentile(r.latencies, 99), r.errors,
              1000 * r.serviceCpuSeconds / r.latencies.size());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int clients = 8;
  int requests = 10000;
  int slow = 50;
  int threads = 2;
  for (int i = 1; i + 1 < argc; i += 2) {
    const int value = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--clients") == 0) clients = value;
    if (std::strcmp(argv[i], "--requests") == 0) requests = value;
    if (std::strcmp(argv[i], "--slow") == 0) slow = value;
    if (std::strcmp(argv[i], "--threads") == 0) threads = value;
  }
  signal(SIGPIPE, SIG_IGN);
  std::vector<bench::BenchInk> inks;
  std::string error;
  if (!bench::MakeBenchInks(400, &inks, &error)) {
    std::fprintf(stderr, "cannot make the inks: %s\n", error.c_str());
    return 1;
  }

  const std::uint16_t port = FreePort();
  testing::ChildProcess service(LANJIAN_RECOGNIZER_PATH,
                                {"--listen", "127.0.0.1:" + std::to_string(port), "--threads",
                                 std::to_string(threads)},
                                /*quietStderr=*/true);
  bool up = false;
  for (int i = 0; i < 300 && !up; ++i) {
    up = testing::Exchange(port, testing::GetRequest("GET", "/healthz", false)).status == 200;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!up) {
    std::fprintf(stderr, "the service did not start\n");
    return 1;
  }
  std::printf("lanjian-recognizer --threads %d, %d clients x %d requests, inks of %zu characters\n",
              threads, clients, requests, inks.size());
  std::printf("resident memory at start: %ld KiB\n", testing::ResidentKiB(service.pid()));
  double load = 0;
  if (FILE* loadavg = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(loadavg, "%lf", &load) != 1) load = 0;
    std::fclose(loadavg);
  }
  std::printf("machine: %u processors, load average %.1f before the run\n",
              std::thread::hardware_concurrency(), load);

  // One client alone: what one recognition costs, so that two cores' worth
  // of throughput can be told.
  const PhaseResult alone = RunClients(service.pid(), port, 1, 300, inks);
  Report("1 client (warm-up and cost)", alone);
  const double perRequest = alone.serviceCpuSeconds / alone.latencies.size();
  std::printf("two cores' worth of recognition at that CPU cost: %.1f req/s\n", 2.0 / perRequest);

  const PhaseResult normal = RunClients(service.pid(), port, clients, requests, inks);
  Report("concurrent clients", normal);

  // Slow connections: each sends its request line and then one header byte
  // a second, never finishing, for as long as the phase lasts.
  std::atomic<bool> stop{false};
  std::atomic<int> slowOpen{0};
  std::vector<std::thread> tricklers;
  for (int s = 0; s < slow; ++s) {
    tricklers.emplace_back([&, s] {
      testing::LoopbackConnection connection(port, 2000);
      if (!connection.Send("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow-" + std::to_string(s) + ": "))
        return;
      slowOpen.fetch_add(1);
      while (!stop.load()) {
        if (!connection.Send("x")) break;
        for (int i = 0; i < 10 && !stop.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      slowOpen.fetch_sub(1);
    });
  }
  std::this_thread::sleep_for(std::chrono::seconds(2));
  std::printf("slow-header connections open: %d\n", slowOpen.load());
  const PhaseResult withSlow = RunClients(service.pid(), port, clients, requests, inks);
  const int stillOpen = slowOpen.load();
  stop = true;
  for (std::thread& t : tricklers) t.join();
  Report("concurrent clients + slow headers", withSlow);
  std::printf("slow-header connections still open at the end: %d\n", stillOpen);
  std::printf("p99 change with slow connections: %+.2f ms\n",
              bench::Percentile(withSlow.latencies, 99) - bench::Percentile(normal.latencies, 99));
  std::printf("resident memory after the load: %ld KiB\n", testing::ResidentKiB(service.pid()));

  service.Signal(SIGTERM);
  const int status = service.Wait(20000);
  std::printf("service stopped with status %d\n", status);
  return normal.errors + withSlow.errors == 0 && status == 0 ? 0 : 1;
}
