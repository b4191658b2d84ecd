// lanjian-recognizer as a program: options, start-up failures, the request
// log and a clean stop on a signal.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "recognition/reply_cut.h"
#include "service/command_line.h"
#include "tests/service/support/child_process.h"
#include "tests/service/support/loopback_client.h"

namespace lanjian {
namespace {

using testing::ChildProcess;

const std::string kProgram = LANJIAN_RECOGNIZER_PATH;

std::uint16_t ListeningPort(const std::string& log) {
  const std::string marker = "listening on http://127.0.0.1:";
  const std::size_t at = log.find(marker);
  return at == std::string::npos ? 0
                                 : static_cast<std::uint16_t>(std::atoi(log.c_str() + at + marker.size()));
}

TEST(CommandLine, ReadsOptionsAndRefusesBadOnes) {
  const CommandLine defaults = ParseCommandLine({});
  ASSERT_TRUE(defaults.ok);
  EXPECT_EQ(defaults.options.server.host, "127.0.0.1");
  EXPECT_EQ(defaults.options.server.port, 8461);
  EXPECT_GE(defaults.options.server.threads, 1u);
  EXPECT_EQ(defaults.options.engine, OursEngineBuilt() ? "ours" : "zinnia");

  const CommandLine set = ParseCommandLine(
      {"--listen", "[::1]:9000", "--threads=3", "--model", "/tmp/m.model", "--engine=zinnia"});
  ASSERT_TRUE(set.ok) << set.error;
  EXPECT_EQ(set.options.server.host, "::1");
  EXPECT_EQ(set.options.server.port, 9000);
  EXPECT_EQ(set.options.server.threads, 3u);
  EXPECT_EQ(set.options.model, "/tmp/m.model");
  EXPECT_TRUE(ParseCommandLine({"--help"}).options.help);
  EXPECT_EQ(ParseCommandLine({"--listen=localhost:0"}).options.server.host, "127.0.0.1");

  const std::vector<std::vector<std::string>> bad = {
      {"--listen"}, {"--listen", "8461"}, {"--listen", "127.0.0.1:70000"}, {"--listen", "127.0.0.1:"},
      {"--listen", ":80"}, {"--threads", "0"}, {"--threads", "many"}, {"--threads", "1000"},
      {"--model", ""}, {"--engine", "magic"}, {"--verbose"}, {"extra"}, {"--help=yes"},
  };
  for (const auto& args : bad) {
    const CommandLine parsed = ParseCommandLine(args);
    EXPECT_FALSE(parsed.ok) << args[0];
    EXPECT_FALSE(parsed.error.empty());
  }
  EXPECT_EQ(ParseCommandLine({"--engine", "ours"}).ok, OursEngineBuilt());
}

TEST(RecognizerProgram, HelpAndStartUpFailuresExitClearly) {
  {
    ChildProcess help(kProgram, {"--help"});
    EXPECT_EQ(help.Wait(10000), 0);
    EXPECT_NE(help.stdoutText().find("--listen"), std::string::npos);
  }
  {
    ChildProcess wrong(kProgram, {"--bogus"});
    EXPECT_EQ(wrong.Wait(10000), 2);
    EXPECT_NE(wrong.stderrText().find("unknown option"), std::string::npos);
  }
  {
    ChildProcess noModel(kProgram, {"--engine", "zinnia", "--listen", "127.0.0.1:0", "--model", "/nonexistent.model"});
    EXPECT_EQ(noModel.Wait(10000), 1);
    EXPECT_NE(noModel.stderrText().find("/nonexistent.model"), std::string::npos);
  }
}

TEST(RecognizerProgram, ServesLogsEachRequestAndStopsOnSignals) {
  for (int stopSignal : {SIGTERM, SIGINT}) {
    ChildProcess service(kProgram, {"--engine", "zinnia", "--listen", "127.0.0.1:0", "--threads", "2"});
    ASSERT_TRUE(service.WaitForStderr("listening on", 30000)) << service.stderrText();
    const std::uint16_t port = ListeningPort(service.stderrText());
    ASSERT_NE(port, 0);

    // A second service on the same port refuses to start.
    ChildProcess second(kProgram, {"--engine", "zinnia", "--listen", "127.0.0.1:" + std::to_string(port)});
    EXPECT_EQ(second.Wait(30000), 1);
    EXPECT_NE(second.stderrText().find("already in use"), std::string::npos) << second.stderrText();

    const std::string body = "type=1&wd=40a100a120a100a200a100";
    const testing::HttpResponse reply = testing::Exchange(port, testing::PostRequest("/", body));
    ASSERT_TRUE(reply.ok);
    EXPECT_EQ(reply.status, 200);
    const std::vector<std::string> pieces = CutCandidatePieces(reply.body);
    ASSERT_FALSE(pieces.empty());
    EXPECT_EQ(pieces[0], "u4e00");
    EXPECT_EQ(testing::Exchange(port, testing::PostRequest("/", "type=1&wd=1a")).status, 400);
    EXPECT_TRUE(service.WaitForStderr("POST / 400", 10000));
    EXPECT_NE(service.stderrText().find("POST / 200 in=" + std::to_string(body.size()) + " out="), std::string::npos)
        << service.stderrText();
    EXPECT_NE(service.stderrText().find("candidates=" + std::to_string(pieces.size())),
              std::string::npos);

    service.Signal(stopSignal);
    EXPECT_EQ(service.Wait(15000), 0);
    EXPECT_NE(service.stderrText().find("stopped"), std::string::npos);
    EXPECT_FALSE(testing::LoopbackConnection(port).connected());
  }
}

}  // namespace
}  // namespace lanjian
