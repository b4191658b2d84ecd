// lanjian-recognizer: the handwriting recognition service the pad talks to.
#include <signal.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "service/command_line.h"
#include "service/engine_loading.h"
#include "service/gbk_charset.h"
#include "service/http_server.h"
#include "service/request_log.h"

int main(int argc, char** argv) {
  using namespace lanjian;
  const CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!commandLine.ok) {
    WriteServiceLog(commandLine.error);
    std::fputs("Try 'lanjian-recognizer --help'.\n", stderr);
    return 2;
  }
  const ServiceOptions& options = commandLine.options;
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (!IsPadCandidate(U'一')) {
    WriteServiceLog("the C library cannot convert to code page 936 (are the gconv modules installed?)");
    return 1;
  }

  // Stop signals are taken by the main thread alone: block them before any
  // worker starts, then wait for them below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::string error;
  std::unique_ptr<Engine> engine = LoadConfiguredEngine(options, &error);
  if (!engine) {
    WriteServiceLog(error);
    return 1;
  }
  std::unique_ptr<HttpServer> server = HttpServer::Start(*engine, options.server, &error);
  if (!server) {
    WriteServiceLog(error);
    return 1;
  }
  const std::string host =
      options.server.host.find(':') != std::string::npos ? "[" + options.server.host + "]"
                                                          : options.server.host;
  WriteServiceLog("listening on http://" + host + ":" + std::to_string(server->port()) +
                  "/ (engine " + engine->Name() + ", " + std::to_string(options.server.threads) +
                  " threads)");

  int received = 0;
  while (sigwait(&stopSignals, &received) != 0) {
  }
  WriteServiceLog(std::string("stopping on ") + (received == SIGINT ? "SIGINT" : "SIGTERM"));
  server->Stop();
  server.reset();
  engine.reset();
  WriteServiceLog("stopped");
  return 0;
}
