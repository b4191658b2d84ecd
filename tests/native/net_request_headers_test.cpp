#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/request_headers.h"

namespace {
const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const std::string kUrl = "http://127.0.0.1:8461/";
const std::string kReferer = "Referer: http://127.0.0.1:8461/\r\n";
const std::string kLanguage = "Accept-Language: zh-cn\r\n";
}  // namespace

TEST(RequestHeaders, DefaultsAreAddedUnlessTheCallerNamesThem) {
  struct Case {
    std::string extra, expected;
  };
  const std::vector<Case> cases = {
      {"", kAccept + kReferer + kLanguage},
      {"accept: text/plain\r\n", "accept: text/plain\r\n" + kReferer + kLanguage},
      {"Accept:text/plain\r\n", "Accept:text/plain\r\n" + kAccept + kReferer + kLanguage},
      {"REFERER: x\r\n", "REFERER: x\r\n" + kAccept + kLanguage},
      // A name inside a longer name counts as well.
      {"X-Accept-Language: en\r\n", "X-Accept-Language: en\r\n" + kAccept + kReferer},
      {"Accept-Language: en\r\n", "Accept-Language: en\r\n" + kAccept + kReferer},
  };
  for (const Case& c : cases) EXPECT_EQ(WithDefaultHeaders(c.extra, kUrl), c.expected) << c.extra;
}

TEST(RequestHeaders, PostBodyHeadersCookieLineFlagsAndVerb) {
  std::string headers = "H: 1\r\n";
  AddBodyHeaders(headers, "type=1&wd=");
  EXPECT_EQ(headers, "H: 1\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 10\r\n");
  headers = "content-type: text/plain\r\nContent-Length: 3\r\n";
  AddBodyHeaders(headers, " ");
  EXPECT_EQ(headers, "content-type: text/plain\r\nContent-Length: 3\r\nContent-Length: 1\r\n");
  headers = "H: 1\r\n";
  AddBodyHeaders(headers, "");
  EXPECT_EQ(headers, "H: 1\r\n");

  EXPECT_EQ(CookieHeaderLine(" a=1 "), "Cookie:  a=1 \r\n");
  EXPECT_EQ(CookieHeaderLine("   "), "");
  EXPECT_EQ(CookieHeaderLine("\xA1\xA1"), "");

  EXPECT_EQ(RequestFlags(" a=1 ", false), 0x80080000u);
  EXPECT_EQ(RequestFlags(" a=1 ", true), 0x80000000u);
  EXPECT_EQ(RequestFlags("   ", false), 0x80000000u);
  EXPECT_EQ(RequestFlags("", true), 0x80000000u);

  EXPECT_EQ(ClassifyVerb(""), HttpVerb::Get);
  EXPECT_EQ(ClassifyVerb("get"), HttpVerb::Get);
  EXPECT_EQ(ClassifyVerb("post"), HttpVerb::Post);
  EXPECT_EQ(ClassifyVerb("PoSt"), HttpVerb::Post);
  EXPECT_EQ(ClassifyVerb("PUT"), HttpVerb::Other);
  EXPECT_EQ(ClassifyVerb(" GET"), HttpVerb::Other);
}

TEST(RequestHeaders, ReceivedCookiesAreCollectedAndStoredFromSetCookieLines) {
  struct Case {
    std::string raw, collected;
    std::vector<std::pair<std::string, std::string>> stored;
  };
  const std::string status = "HTTP/1.1 200 OK\r\n";
  const std::vector<Case> cases = {
      {status + "Set-Cookie: SID=ab12; path=/\r\nSet-Cookie: lang=zh; path=/\r\n\r\n",
       "SID=ab12; lang=zh",
       {{"SID", "ab12; path=/"}, {"lang", "zh; path=/"}}},
      {status + "Set-Cookie: x=; path=/\r\nSet-Cookie: y=5\r\n\r\n", "", {{"x", "; path=/"}, {"y", "5"}}},
      {status + "set-cookie: a=b; path=/\r\n\r\n", "", {}},
      {status + "Content-Type: text/html\r\n\r\n", "", {}},
      {status + "Set-Cookie:   k=v=w ; path=/\r\n\r\n", "k=v=w", {{"  k", "v=w ; path=/"}}},
      // A "Set-Cookie2" line adds no empty part to the collected text; the
      // store takes it after its first 12 bytes, as any line naming Set-Cookie.
      {status + "Set-Cookie: a=1;\r\nSet-Cookie2: b=2; x\r\n\r\n", "a=1", {{"a", "1;"}, {" b", "2; x"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CollectReceivedCookies(c.raw), c.collected) << c.raw;
    std::vector<std::pair<std::string, std::string>> stored;
    for (const ReceivedCookie& cookie : CookiesToStore(c.raw)) stored.emplace_back(cookie.name, cookie.data);
    EXPECT_EQ(stored, c.stored) << c.raw;
  }
}
