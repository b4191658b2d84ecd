// The service over real loopback HTTP: routes, limits, slow clients and many
// clients at once (run this under ThreadSanitizer too).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "recognition/reply_cut.h"
#include "service/http_server.h"
#include "service/request_handler.h"
#include "service/zinnia_engine.h"
#include "tests/service/support/fake_engine.h"
#include "tests/service/support/loopback_client.h"

namespace lanjian {
namespace {

using testing::Exchange;
using testing::GetRequest;
using testing::HttpResponse;
using testing::LoopbackConnection;
using testing::PostRequest;

ServerOptions TestOptions() {
  ServerOptions options;
  options.port = 0;
  options.threads = 2;
  options.logRequests = false;
  return options;
}

class HttpServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    server_ = HttpServer::Start(engine_, TestOptions(), &error);
    ASSERT_NE(server_, nullptr) << error;
  }
  std::uint16_t port() const { return server_->port(); }

  testing::FakeEngine engine_{{U'十', U'千', U'干'}};
  std::unique_ptr<HttpServer> server_;
};

TEST_F(HttpServerTest, RecognitionRoundTripThroughThePadsCut) {
  const HttpResponse response = Exchange(port(), PostRequest("/", "type=1&wd=12a30a15a34aa40a10a40a25"));
  ASSERT_TRUE(response.ok);
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.headers.at("content-type"), "application/json; charset=utf-8");
  EXPECT_EQ(response.body, R"({"c":"\u5341\u5343\u5e72","v":1})");
  EXPECT_EQ(CutCandidatePieces(response.body), (std::vector<std::string>{"u5341", "u5343", "u5e72"}));
  ASSERT_EQ(engine_.lastInk().size(), 2u);
}

TEST_F(HttpServerTest, AnswersRoutesAndRefusesBadRequestsWithoutBraces) {
  struct Case {
    std::string request;
    int status;
    bool head;
  };
  const std::string big(kMaxRequestBody + 1, '1');
  const Case cases[] = {
      {GetRequest("GET", "/"), 200, false},
      {GetRequest("HEAD", "/"), 200, true},
      {GetRequest("GET", "/healthz"), 200, false},
      {GetRequest("GET", "/healthz?probe=1"), 200, false},
      {GetRequest("GET", "/nothing"), 404, false},
      {GetRequest("DELETE", "/"), 405, false},
      {PostRequest("/healthz", ""), 405, false},
      {PostRequest("/other", "type=1&wd=1a2"), 404, false},
      {PostRequest("/", "type=1&wd=1a2a3"), 400, false},
      {PostRequest("/", "type=1&wd=1a2%00"), 400, false},
      {PostRequest("/", "type=1"), 400, false},
      // One byte over the limit, declared: refused at once. The body is not
      // sent, or the refusal could reset the connection mid-send.
      {"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(big.size()) + "\r\n\r\n", 413, false},
      // Headers beyond the library's per-connection memory.
      {"GET / HTTP/1.1\r\nHost: x\r\nX-Big: " + std::string(70000, 'a') + "\r\n\r\n", 431, false},
      // Declared too large: refused before the body is sent.
      {"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 99999999999\r\n\r\n", 413, false},
      // Chunked, without a declared length, over the limit.
      {"POST / HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n" +
           [&] {
             std::string chunks;
             for (int i = 0; i < 20; ++i) chunks += "10000\r\n" + std::string(0x10000, 'a') + "\r\n";
             return chunks + "0\r\n\r\n";
           }(),
       413, false},
      // Chunked and small: fine.
      {"POST / HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n5\r\ntype=\r\n"
       "9\r\n1&wd=5a6a\r\n3\r\n7a8\r\n0\r\n\r\n",
       200, false},
  };
  for (const Case& c : cases) {
    const HttpResponse response = Exchange(port(), c.request, c.head);
    ASSERT_TRUE(response.ok) << c.request.substr(0, 60);
    EXPECT_EQ(response.status, c.status) << c.request.substr(0, 60);
    if (!(c.status == 200 && c.request.rfind("POST", 0) == 0)) {
      EXPECT_EQ(response.body.find_first_of("{}"), std::string::npos) << response.body;
      EXPECT_TRUE(CutCandidatePieces(response.body).empty());
    }
    if (c.head) {
      EXPECT_TRUE(response.body.empty());
    }
  }
  EXPECT_EQ(Exchange(port(), GetRequest("GET", "/healthz")).body, "ok\n");
}

TEST_F(HttpServerTest, KeepsConnectionsAliveAcrossRequests) {
  LoopbackConnection connection(port());
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(connection.Send(PostRequest("/", "type=1&wd=5a6")));
    const HttpResponse response = connection.Receive();
    ASSERT_TRUE(response.ok) << i;
    EXPECT_EQ(response.status, 200);
    ASSERT_TRUE(connection.Send(PostRequest("/", "type=1&wd=5a")));
    EXPECT_EQ(connection.Receive().status, 400) << i;
  }
  EXPECT_EQ(engine_.calls(), 5);
}

TEST_F(HttpServerTest, SlowClientsDoNotHoldUpOthers) {
  // More stalled connections than worker threads, each with half a header.
  std::vector<std::unique_ptr<LoopbackConnection>> stalled;
  for (int i = 0; i < 20; ++i) {
    stalled.push_back(std::make_unique<LoopbackConnection>(port()));
    ASSERT_TRUE(stalled.back()->Send("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Le"));
  }
  // And one whose body stops half way.
  LoopbackConnection halfBody(port());
  ASSERT_TRUE(halfBody.Send("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\ntype=1&wd="));
  for (int i = 0; i < 10; ++i) {
    const HttpResponse response = Exchange(port(), PostRequest("/", "type=1&wd=1a2"));
    ASSERT_TRUE(response.ok) << i;
    EXPECT_EQ(response.status, 200);
  }
}

TEST_F(HttpServerTest, ServesManyClientsAtOnce) {
  constexpr int kClients = 8;
  constexpr int kRequests = 40;
  std::atomic<int> good{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      LoopbackConnection connection(port());
      for (int i = 0; i < kRequests; ++i) {
        const bool bad = (i + c) % 5 == 0;
        const std::string body = bad ? "type=1&wd=1a" : "type=1&wd=" + std::to_string(c) + "a" +
                                                            std::to_string(i);
        if (!connection.Send(PostRequest("/", body))) return;
        const HttpResponse response = connection.Receive();
        if (response.ok && response.status == (bad ? 400 : 200)) good.fetch_add(1);
      }
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(good.load(), kClients * kRequests);
}

TEST(HttpServer, ClosesConnectionsThatFallSilent) {
  testing::FakeEngine engine({U'一'});
  ServerOptions options = TestOptions();
  options.idleTimeoutSeconds = 1;
  std::string error;
  std::unique_ptr<HttpServer> server = HttpServer::Start(engine, options, &error);
  ASSERT_NE(server, nullptr) << error;
  LoopbackConnection silent(server->port(), 5000);
  ASSERT_TRUE(silent.Send("POST / HTTP/1.1\r\nHost: x\r\n"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(silent.PeerClosed());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(HttpServer, RefusesATakenPortAndStopsTwice) {
  testing::FakeEngine engine({});
  std::string error;
  std::unique_ptr<HttpServer> first = HttpServer::Start(engine, TestOptions(), &error);
  ASSERT_NE(first, nullptr) << error;
  ServerOptions same = TestOptions();
  same.port = first->port();
  EXPECT_EQ(HttpServer::Start(engine, same, &error), nullptr);
  EXPECT_NE(error.find("already in use"), std::string::npos) << error;

  ServerOptions badHost = TestOptions();
  badHost.host = "not-an-address";
  EXPECT_EQ(HttpServer::Start(engine, badHost, &error), nullptr);
  EXPECT_FALSE(error.empty());

  const std::uint16_t port = first->port();
  first->Stop();
  first->Stop();
  EXPECT_FALSE(LoopbackConnection(port).connected());
}

// The real recogniser from several threads at once: zinnia's classification
// is shared by all workers, and every answer must equal the one it gives
// alone.
TEST(HttpServer, ZinniaEngineUnderConcurrentRequests) {
  std::string error;
  std::unique_ptr<Engine> engine = LoadZinniaEngine(kDefaultZinniaModel, &error);
  ASSERT_NE(engine, nullptr) << error;
  std::unique_ptr<HttpServer> server = HttpServer::Start(*engine, TestOptions(), &error);
  ASSERT_NE(server, nullptr) << error;
  const std::vector<std::string> inks = {
      "40a100a80a100a120a100a160a100a200a100",                                    // 一
      "40a100a120a100a200a100aa120a20a120a60a120a100a120a140a120a180",            // 十
      "60a60a180a60aa40a150a200a150",                                             // 二
      "120a20a110a80a80a140a40a180aa115a90a150a140a200a180",                      // 人
      "50a40a52a160aa52a40a150a40a150a160aa55a100a148a100aa55a158a148a158",       // 日
  };
  std::vector<std::string> alone;
  for (const std::string& ink : inks) {
    alone.push_back(Exchange(server->port(), PostRequest("/", "type=1&wd=" + ink)).body);
    ASSERT_FALSE(CutCandidatePieces(alone.back()).empty());
  }
  EXPECT_EQ(CutCandidatePieces(alone[0])[0], "u4e00");
  EXPECT_EQ(CutCandidatePieces(alone[1])[0], "u5341");

  std::atomic<int> same{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 4; ++c) {
    clients.emplace_back([&, c] {
      LoopbackConnection connection(server->port(), 60000);
      for (std::size_t i = 0; i < 2 * inks.size(); ++i) {
        const std::size_t which = (c + i) % inks.size();
        if (!connection.Send(PostRequest("/", "type=1&wd=" + inks[which]))) return;
        const HttpResponse response = connection.Receive();
        if (response.status == 200 && response.body == alone[which]) same.fetch_add(1);
      }
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(same.load(), static_cast<int>(4 * 2 * inks.size()));
}

}  // namespace
}  // namespace lanjian
