// Accuracy and service time of the recognition service on pad-like inks of
// the 3755 GB2312 level-1 characters, next to the zinnia command given the
// same strokes as they stand (pad pixels, the pad's size as its frame).
//
//   service_accuracy_bench [--limit N] [--model PATH]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "recognition/reply_cut.h"
#include "service/bench/bench_inks.h"
#include "service/dataset/pad_ink.h"
#include "service/http_server.h"
#include "service/utf8.h"
#include "service/zinnia_engine.h"
#include "tests/service/support/loopback_client.h"

namespace {

using namespace lanjian;
using Clock = std::chrono::steady_clock;

// CPU seconds used so far by this process (who = RUSAGE_SELF) or by its
// waited-for children (RUSAGE_CHILDREN): unlike wall time, not inflated by
// other work on a shared machine.
double CpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Score {
  int top1 = 0;
  int top10 = 0;
  void Add(const std::vector<char32_t>& answer, char32_t expected) {
    for (std::size_t i = 0; i < answer.size() && i < 10; ++i) {
      if (answer[i] != expected) continue;
      top1 += i == 0;
      ++top10;
      return;
    }
  }
};

// Candidates from the reply, through the pad's own cut.
std::vector<char32_t> ReplyCandidates(const std::string& body) {
  std::vector<char32_t> result;
  for (const std::string& piece : CutCandidatePieces(body)) {
    if (piece.size() == 5 && piece[0] == 'u') {
      result.push_back(static_cast<char32_t>(std::strtoul(piece.c_str() + 1, nullptr, 16)));
    }
  }
  return result;
}

// The zinnia command on the same strokes: one S-expression per character.
bool RunZinniaCommand(const std::vector<bench::BenchInk>& inks, const std::string& model,
                      Score* score, double* seconds, double* cpuSeconds) {
  const std::string input = "/tmp/lanjian-accuracy-bench-" + std::to_string(::getpid()) + ".sexp";
  {
    std::ofstream out(input);
    for (const bench::BenchInk& ink : inks) {
      out << "(character (value " << EncodeUtf8(ink.character) << ")(width "
          << dataset::kPadWidth << ")(height " << dataset::kPadHeight << ")(strokes";
      for (const InkStroke& stroke : ink.ink) {
        if (stroke.empty()) continue;  // the command cannot take an empty stroke
        out << " (";
        for (const InkPoint& p : stroke) out << "(" << p.x << " " << p.y << ")";
        out << ")";
      }
      out << "))\n";
    }
  }
  const std::string command = "zinnia -n 10 -m '" + model + "' '" + input + "' 2>/dev/null";
  const auto start = Clock::now();
  const double cpuStart = CpuSeconds(RUSAGE_CHILDREN);
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char line[256];
  std::size_t index = 0;
  std::vector<char32_t> answer;
  bool started = false;
  const auto finish = [&]() {
    if (started && index < inks.size()) score->Add(answer, inks[index].character);
    if (started) ++index;
    answer.clear();
  };
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    if (std::strncmp(line, "Answer: ", 8) == 0) {
      finish();
      started = true;
      continue;
    }
    char* space = std::strchr(line, ' ');
    if (space == nullptr) continue;
    *space = 0;
    char32_t c = 0;
    if (DecodeSingleUtf8(line, &c)) answer.push_back(c);
  }
  finish();
  const int status = ::pclose(pipe);
  *seconds = std::chrono::duration<double>(Clock::now() - start).count();
  *cpuSeconds = CpuSeconds(RUSAGE_CHILDREN) - cpuStart;
  std::remove(input.c_str());
  return status == 0 && index == inks.size();
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t limit = 3755;
  std::string model = kDefaultZinniaModel;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--limit") == 0) limit = std::strtoul(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--model") == 0) model = argv[i + 1];
  }
  std::vector<bench::BenchInk> inks;
  std::string error;
  if (!bench::MakeBenchInks(limit, &inks, &error)) {
    std::fprintf(stderr, "cannot make the inks: %s\n", error.c_str());
    return 1;
  }
  std::unique_ptr<Engine> engine = LoadZinniaEngine(model, &error);
  if (!engine) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  ServerOptions options;
  options.port = 0;
  options.threads = 1;
  options.logRequests = false;
  std::unique_ptr<HttpServer> server = HttpServer::Start(*engine, options, &error);
  if (!server) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  std::printf("CPU is the time the service process (client thread included) or the command\n"
              "spent computing; wall times grow when the machine is shared.\n");
  std::printf("%zu pad-like inks of GB2312 level-1 characters (hanzi-writer-data medians)\n",
              inks.size());
  Score service;
  std::vector<double> times;
  int failures = 0;
  const double cpuStart = CpuSeconds(RUSAGE_SELF);
  {
    testing::LoopbackConnection connection(server->port(), 60000);
    for (const bench::BenchInk& ink : inks) {
      const auto start = Clock::now();
      testing::HttpResponse response;
      if (connection.Send(testing::PostRequest("/", ink.body))) response = connection.Receive();
      times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      if (!response.ok || response.status != 200) {
        ++failures;
        continue;
      }
      service.Add(ReplyCandidates(response.body), ink.character);
    }
  }
  const double cpu = CpuSeconds(RUSAGE_SELF) - cpuStart;
  server->Stop();
  const double n = static_cast<double>(inks.size());
  double total = 0;
  for (double t : times) total += t;
  std::printf("service (zinnia engine, over HTTP):  top-1 %5.1f%%  top-10 %5.1f%%  "
              "p50 %6.2f ms  p99 %6.2f ms  mean %6.2f ms  CPU %6.2f ms  failures %d\n",
              100 * service.top1 / n, 100 * service.top10 / n, bench::Percentile(times, 50),
              bench::Percentile(times, 99), total / n, 1000 * cpu / n, failures);

  Score baseline;
  double seconds = 0;
  double cpuSeconds = 0;
  if (RunZinniaCommand(inks, model, &baseline, &seconds, &cpuSeconds)) {
    std::printf("zinnia command (same strokes as sent): top-1 %5.1f%%  top-10 %5.1f%%  "
                "mean %6.2f ms  CPU %6.2f ms per character (model load included)\n",
                100 * baseline.top1 / n, 100 * baseline.top10 / n, 1000 * seconds / n,
                1000 * cpuSeconds / n);
  } else {
    std::printf("zinnia command: could not run it (is zinnia-utils installed?)\n");
  }
  return 0;
}
