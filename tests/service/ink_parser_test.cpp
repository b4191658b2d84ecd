#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/ink_parser.h"

namespace lanjian {
namespace {

std::string Describe(const Ink& ink) {
  std::string text;
  for (const InkStroke& stroke : ink) {
    text += '[';
    for (const InkPoint& p : stroke) {
      text += '(' + std::to_string(p.x) + ',' + std::to_string(p.y) + ')';
    }
    text += ']';
  }
  return text;
}

struct GoodInk {
  const char* sent;  // what the pad sends: the ink without its first and last byte
  const char* strokes;
};

TEST(InkParser, ReadsEveryFormThePadWrites) {
  const GoodInk cases[] = {
      {"12a30a15a34a19a40aa40a10a40a25", "[(12,30)(15,34)(19,40)][(40,10)(40,25)]"},
      {"", "[][]"},                                   // empty ink, or "a" alone
      {"a", "[][][]"},                                // "aaa": strokes without samples
      {"5a6aaa7a8", "[(5,6)][][(7,8)]"},              // a run of three "a" between strokes
      {"-3a15a-2147483648a2147483647", "[(-3,15)(-2147483648,2147483647)]"},
      {"900a-40a1000a5000", "[(900,-40)(1000,5000)]"},  // beyond the pad
      {"0a0", "[(0,0)]"},
      {"a5a6", "[][(5,6)]"},                          // begins with an empty stroke
      {"5a6a", "[(5,6)][]"},
      {"007a10", "[(7,10)]"},
  };
  for (const GoodInk& c : cases) {
    const InkParseResult result = ParseInkText(RebuildInkText(c.sent));
    ASSERT_TRUE(result.ok) << c.sent << ": " << result.error;
    EXPECT_EQ(Describe(result.ink), c.strokes) << c.sent;
  }
}

TEST(InkParser, TextEndingInsideAStrokeKeepsThatStroke) {
  const InkParseResult result = ParseInkText("a1a2a3a4");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(Describe(result.ink), "[(1,2)(3,4)]");
}

TEST(InkParser, RejectsMalformedInk) {
  const char* cases[] = {
      "12a30a15",            // odd count in the last stroke
      "12a30a15aa40a10",     // odd count in the first stroke
      "12",                  // one number alone
      "12a3x",               // foreign byte
      "12a30 ",              // space
      "12a+30",              // plus sign
      "12a--30",             // double minus
      "12a-",                // minus without digits
      "12a-a5",              // minus without digits before a separator
      "2147483648a0",        // above 32 bits
      "0a-2147483649",       // below 32 bits
      "99999999999999999999999999a1",
      "12A30",               // upper-case separator
  };
  for (const char* sent : cases) {
    const InkParseResult result = ParseInkText(RebuildInkText(sent));
    EXPECT_FALSE(result.ok) << sent;
    EXPECT_FALSE(result.error.empty()) << sent;
    EXPECT_TRUE(result.ink.empty()) << sent;
  }
  EXPECT_FALSE(ParseInkText(RebuildInkText(std::string("1a2\0a3a4", 8))).ok);
}

TEST(InkParser, EnforcesPointAndStrokeLimits) {
  const InkLimits limits{3, 2};
  EXPECT_TRUE(ParseInkText("a1a1a2a2a3a3a", limits).ok);
  EXPECT_FALSE(ParseInkText("a1a1a2a2a3a3a4a4a", limits).ok);
  EXPECT_TRUE(ParseInkText("a1a1aa2a2a", limits).ok);
  EXPECT_FALSE(ParseInkText("a1a1aa2a2aa3a3a", limits).ok);
  EXPECT_FALSE(ParseInkText("aaaa", limits).ok);  // three empty strokes

  // The default limits: 100,000 points and 500 strokes.
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "a1a2";
  EXPECT_TRUE(ParseInkText(many + "a").ok);
  EXPECT_FALSE(ParseInkText(many + "a3a4a").ok);
  EXPECT_TRUE(ParseInkText(std::string(500, 'a')).ok);
  EXPECT_FALSE(ParseInkText(std::string(501, 'a')).ok);
}

}  // namespace
}  // namespace lanjian
