// The recognition exchange as the pad sees it: form in, reply cut into pieces.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "recognition/reply_cut.h"
#include "service/candidate_reply.h"
#include "service/form_parser.h"
#include "service/request_handler.h"
#include "service/utf8.h"
#include "tests/service/support/fake_engine.h"

namespace lanjian {
namespace {

TEST(FormParser, ReadsTheInkFieldInEveryAcceptedShape) {
  struct Case {
    const char* body;
    const char* ink;
  };
  const Case cases[] = {
      {"type=1&wd=12a30a15a34", "12a30a15a34"},
      {"wd=12a30a15a34&type=1", "12a30a15a34"},             // any order
      {"type=1&wd=", ""},                                   // empty ink
      {"wd=", ""},                                          // type left out
      {"type=1&wd=12%61-3%2D4", "12a-3-4"},                 // percent-encoded bytes
      {"%74ype=%31&%77d=5a6", "5a6"},                       // encoded names and values
      {"&&type=1&&wd=5a6&", "5a6"},                         // empty pairs
      {"type=1&lang=zh&wd=5a6&x", "5a6"},                   // unknown fields ignored
      {"type=1&wd=5+6", "5 6"},                             // '+' is a space (the ink parser refuses it)
      {"type=1&wd", ""},                                    // a name without "="
      {"type=1&wd=1=2", "1=2"},                             // only the first "=" splits
  };
  for (const Case& c : cases) {
    const RecognitionForm form = ParseRecognitionForm(c.body);
    ASSERT_TRUE(form.ok) << c.body << ": " << form.error;
    EXPECT_EQ(form.ink, c.ink) << c.body;
  }
}

TEST(FormParser, RefusesBrokenForms) {
  const char* cases[] = {
      "",                        // no wd
      "type=1",                  // no wd
      "type=2&wd=1a2",           // another type
      "type=&wd=1a2",
      "type=1&type=1&wd=1a2",    // repeated field
      "type=1&wd=1a2&wd=3a4",
      "type=1&wd=1a%2",          // truncated escape
      "type=1&wd=1a%",
      "type=1&wd=1a%zz2",        // not hexadecimal
      "type=1&WD=1a2",           // names are case-sensitive
  };
  for (const char* body : cases) {
    const RecognitionForm form = ParseRecognitionForm(body);
    EXPECT_FALSE(form.ok) << body;
    EXPECT_FALSE(form.error.empty()) << body;
  }
}

std::string ExpectedPiece(char32_t c) {
  char piece[8];
  std::snprintf(piece, sizeof piece, "u%04x", static_cast<unsigned>(c));
  return piece;
}

TEST(CandidateReply, SurvivesThePadsCutAndIsJson) {
  struct Case {
    std::vector<char32_t> candidates;
    std::vector<char32_t> expected;  // what the pad gets, in order
  };
  const std::vector<char32_t> twelve = {U'一', U'二', U'三', U'十', U'中', U'人',
                                        U'口', U'大', U'王', U'山', U'木', U'日'};
  const Case cases[] = {
      {{U'一'}, {U'一'}},
      {{U'一', U'二'}, {U'一', U'二'}},
      {{}, {}},
      {twelve, std::vector<char32_t>(twelve.begin(), twelve.begin() + 10)},
      {{U'A', U'é', U'·', U'€'}, {U'A', U'é', U'·', U'€'}},       // one-byte and other GBK characters
      {{U'\U0001F600', U'ก', U'一', 0x1, 0x7f, 0xd800, 0x110000, U'二'}, {U'一', U'二'}},
      {{U'一', U'一', U'二', U'一'}, {U'一', U'二'}},              // repeats dropped
      {{U'{', U'}', U'\\', U'"'}, {U'{', U'}', U'\\', U'"'}},      // escaped, so the cut holds
  };
  for (const Case& c : cases) {
    const CandidateReply reply = BuildCandidateReply(c.candidates);
    EXPECT_EQ(reply.count, c.expected.size());
    std::vector<std::string> expectedPieces;
    std::string expectedText;
    for (char32_t e : c.expected) {
      expectedPieces.push_back(ExpectedPiece(e));
      expectedText += EncodeUtf8(e);
    }
    EXPECT_EQ(CutCandidatePieces(reply.body), expectedPieces) << reply.body;

    const nlohmann::json json = nlohmann::json::parse(reply.body);
    EXPECT_EQ(json.at("c").get<std::string>(), expectedText) << reply.body;
    EXPECT_EQ(json.at("v").get<int>(), 1);
  }
  EXPECT_EQ(BuildCandidateReply({}).body, R"({"c":"","v":1})");
  EXPECT_EQ(BuildCandidateReply({U'一', U'二'}).body, R"({"c":"\u4e00\u4e8c","v":1})");
}

TEST(RequestHandler, AnswersEveryRouteAndRefusesBadRequests) {
  testing::FakeEngine engine({U'十', U'千'});
  struct Case {
    const char* method;
    const char* path;
    std::string body;
    int status;
    const char* contentType;
  };
  const Case cases[] = {
      {"POST", "/", "type=1&wd=12a30a15a34aa40a10a40a25", 200, "application/json; charset=utf-8"},
      {"POST", "/", "type=1&wd=", 200, "application/json; charset=utf-8"},
      {"POST", "/", "type=1&wd=12a30a15", 400, "text/plain; charset=utf-8"},
      {"POST", "/", "type=1&wd=12a3x", 400, "text/plain; charset=utf-8"},
      {"POST", "/", "type=1&wd=99999999999a1", 400, "text/plain; charset=utf-8"},
      {"POST", "/", "type=1", 400, "text/plain; charset=utf-8"},
      {"POST", "/", "type=7&wd=1a2", 400, "text/plain; charset=utf-8"},
      {"POST", "/", std::string("type=1&wd=1a2\0a3", 16), 400, "text/plain; charset=utf-8"},
      {"GET", "/", "", 200, "text/html; charset=utf-8"},
      {"HEAD", "/", "", 200, "text/html; charset=utf-8"},
      {"GET", "/healthz", "", 200, "text/plain; charset=utf-8"},
      {"POST", "/healthz", "", 405, "text/plain; charset=utf-8"},
      {"PUT", "/", "type=1&wd=1a2", 405, "text/plain; charset=utf-8"},
      {"DELETE", "/", "", 405, "text/plain; charset=utf-8"},
      {"GET", "/index.html", "", 404, "text/plain; charset=utf-8"},
      {"POST", "/recognise", "type=1&wd=1a2", 404, "text/plain; charset=utf-8"},
  };
  for (const Case& c : cases) {
    const ServiceReply reply = HandleServiceRequest(engine, c.method, c.path, c.body);
    EXPECT_EQ(reply.status, c.status) << c.method << " " << c.path << " " << c.body;
    EXPECT_EQ(reply.contentType, c.contentType) << c.method << " " << c.path;
    if (reply.status != 200 || reply.contentType.find("json") == std::string::npos) {
      // Nothing but a recognition reply may hold a brace: the pad would cut it.
      EXPECT_EQ(reply.body.find_first_of("{}"), std::string::npos) << reply.body;
      EXPECT_TRUE(CutCandidatePieces(reply.body).empty());
    }
    if (reply.status == 405) {
      EXPECT_FALSE(reply.allow.empty());
    }
  }
  EXPECT_EQ(HandleServiceRequest(engine, "GET", "/healthz", "").body, "ok\n");
  EXPECT_EQ(BodyTooLargeReply().status, 413);
  EXPECT_EQ(BodyTooLargeReply().body.find_first_of("{}"), std::string::npos);
}

TEST(RequestHandler, HandsTheEngineTheRebuiltInkAndRepliesItsCandidates) {
  testing::FakeEngine engine({U'十', U'千'});
  const ServiceReply reply =
      HandleServiceRequest(engine, "POST", "/", "wd=12a30a15a34aa40a10a40a25&type=1");
  ASSERT_EQ(reply.status, 200);
  EXPECT_EQ(reply.candidates, 2u);
  EXPECT_EQ(CutCandidatePieces(reply.body), (std::vector<std::string>{"u5341", "u5343"}));
  const Ink expected = {{{12, 30}, {15, 34}}, {{40, 10}, {40, 25}}};
  ASSERT_EQ(engine.lastInk().size(), expected.size());
  for (std::size_t s = 0; s < expected.size(); ++s) {
    ASSERT_EQ(engine.lastInk()[s].size(), expected[s].size());
    for (std::size_t i = 0; i < expected[s].size(); ++i) {
      EXPECT_EQ(engine.lastInk()[s][i].x, expected[s][i].x);
      EXPECT_EQ(engine.lastInk()[s][i].y, expected[s][i].y);
    }
  }
}

}  // namespace
}  // namespace lanjian
