// HttpFetch against a loopback server that records each request byte for byte.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/fetch_thread.h"
#include "net/http_fetch.h"
#include "net/internet_close.h"
#include "tests/windows/net_test_server.h"

namespace {

// Every CloseInternetHandle call, with whether WinINet accepted it.
struct Close {
  void* handle;
  bool closed;
};
std::mutex closesLock;
std::vector<Close> closes;

void RecordClose(void* handle, bool closed) {
  std::lock_guard<std::mutex> hold(closesLock);
  closes.push_back({handle, closed});
}

std::vector<Close> Closes() {
  std::lock_guard<std::mutex> hold(closesLock);
  return closes;
}

// Three distinct handles, each closed once and accepted by WinINet.
void ExpectThreeHandlesClosedOnce(const std::vector<Close>& seen) {
  ASSERT_EQ(seen.size(), 3u);
  for (const Close& c : seen) EXPECT_TRUE(c.closed) << c.handle;
  EXPECT_NE(seen[0].handle, seen[1].handle);
  EXPECT_NE(seen[1].handle, seen[2].handle);
  EXPECT_NE(seen[0].handle, seen[2].handle);
}

struct Request {
  std::string requestLine;
  std::vector<std::string> headerLines;
  std::string body;
};

Request Parse(const std::string& raw) {
  Request r;
  const std::size_t headEnd = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, headEnd);
  r.body = headEnd == std::string::npos ? "" : raw.substr(headEnd + 4);
  std::size_t start = 0;
  bool first = true;
  while (start <= head.size()) {
    std::size_t end = head.find("\r\n", start);
    if (end == std::string::npos) end = head.size();
    const std::string line = head.substr(start, end - start);
    if (first) r.requestLine = line;
    else r.headerLines.push_back(line);
    first = false;
    start = end + 2;
  }
  return r;
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string NameOf(const std::string& line) { return Lower(line.substr(0, line.find(':'))); }

// The header lines that WinINet adds of its own accord, whatever the caller says.
bool PlatformLine(const std::string& line) {
  const std::string name = NameOf(line);
  return name == "user-agent" || name == "host" || name == "connection" || name == "cache-control" ||
         name == "pragma" || name == "accept-encoding";
}

// The header lines the request carries besides the platform's own.
std::vector<std::string> CallerLines(const Request& r) {
  std::vector<std::string> lines;
  for (const std::string& line : r.headerLines)
    if (!PlatformLine(line)) lines.push_back(line);
  return lines;
}

const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";
const std::string kLanguage = "Accept-Language: zh-cn";

class HttpFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard<std::mutex> hold(closesLock);
    closes.clear();
    SetInternetCloseObserver(RecordClose);
  }
  void TearDown() override {
    SetInternetCloseObserver(nullptr);
    SetFetchThreadStarter(nullptr);
  }
};

TEST_F(HttpFetchTest, GetSendsTheDefaultHeadersUnlessTheCallerNamesThem) {
  struct Case {
    std::string extraHeaders;
    std::vector<std::string> expectedLines;  // after the server's url is known: {url} is the Referer
  };
  const std::vector<Case> cases = {
      {"", {kAccept, "Referer: {url}", kLanguage}},
      {"accept: text/plain\r\n", {"accept: text/plain", "Referer: {url}", kLanguage}},
      {"Accept:text/plain\r\n", {"Accept:text/plain", kAccept, "Referer: {url}", kLanguage}},
  };
  for (const Case& c : cases) {
    TestServer server;
    StartTestServer(server, OkResponse("hello"));
    const std::string url = server.url + "/dir/page?x=1";
    EXPECT_EQ(HttpFetch(url, "", "", "", nullptr, "", 5, false, c.extraHeaders), "hello");
    StopTestServer(server);

    const std::vector<std::string> raw = server.Requests();
    ASSERT_EQ(raw.size(), 1u) << c.extraHeaders;
    const Request r = Parse(raw[0]);
    EXPECT_EQ(r.requestLine, "GET /dir/page?x=1 HTTP/1.1");
    std::vector<std::string> expected = c.expectedLines;
    for (std::string& line : expected)
      if (line == "Referer: {url}") line = "Referer: " + url;
    std::vector<std::string> lines = CallerLines(r);
    // Wine keeps one line per header name: the default "Accept: ..." sent after
    // the caller's "Accept:text/plain" replaces it; Windows sends both.
    if (lines.size() + 1 == expected.size() && expected[0] == "Accept:text/plain") expected.erase(expected.begin());
    EXPECT_EQ(lines, expected) << raw[0];
    EXPECT_EQ(r.body, "");
  }
}

TEST_F(HttpFetchTest, PostCarriesTheBodyWithItsContentHeaders) {
  struct Case {
    std::string method, body, requestVerb;
    bool contentHeaders;
  };
  const std::vector<Case> cases = {
      {"POST", "type=1&wd=", "POST", true},
      {"POST", "", "POST", false},
      {"post", "type=1&wd=", "post", true},
  };
  for (const Case& c : cases) {
    TestServer server;
    StartTestServer(server, OkResponse("ok"));
    const std::string url = server.url + "/";
    EXPECT_EQ(HttpFetch(url, c.method, c.body, "", nullptr, "", 5), "ok") << c.method;
    StopTestServer(server);

    const std::vector<std::string> raw = server.Requests();
    ASSERT_EQ(raw.size(), 1u);
    const Request r = Parse(raw[0]);
    EXPECT_EQ(r.requestLine, c.requestVerb + " / HTTP/1.1");
    std::vector<std::string> expected = {kAccept, "Referer: " + url, kLanguage};
    if (c.contentHeaders) {
      expected.push_back("Content-Type: application/x-www-form-urlencoded");
      expected.push_back("Content-Length: 10");
    }
    std::vector<std::string> lines = CallerLines(r);
    // An empty POST is announced with a zero length by the platform itself
    // (Wine puts it before the caller's lines); this code adds no such line.
    if (!c.contentHeaders) std::erase(lines, "Content-Length: 0");
    EXPECT_EQ(lines, expected) << raw[0];
    EXPECT_EQ(r.body, c.body);
  }
}

TEST_F(HttpFetchTest, ABodyWithZeroBytesComesBackWholeAndEachHandleIsClosedOnce) {
  const std::string body("a\0b\0\0c", 6);
  TestServer server;
  StartTestServer(server, OkResponse(body));
  std::string headers = "unchanged";
  EXPECT_EQ(HttpFetch(server.url + "/", "", "", "", nullptr, "", 5, false, "", "", "", &headers), body);
  StopTestServer(server);
  EXPECT_EQ(headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << headers;
  EXPECT_NE(headers.find("\r\nContent-Length: 6\r\n"), std::string::npos) << headers;
  ExpectThreeHandlesClosedOnce(Closes());
}

TEST_F(HttpFetchTest, PutSendsNothingReturnsEmptyAndClosesEachHandleOnce) {
  TestServer server;
  StartTestServer(server, OkResponse("not for PUT"));
  std::string cookies = "unchanged";
  EXPECT_EQ(HttpFetch(server.url + "/", "PUT", "x", "", &cookies, "", 5), "");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  StopTestServer(server);
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(cookies, "unchanged");
  ExpectThreeHandlesClosedOnce(Closes());
}

}  // namespace
