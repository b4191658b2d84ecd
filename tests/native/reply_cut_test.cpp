#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognition/reply_cut.h"

namespace {
using Pieces = std::vector<std::string>;
// "{" + six bytes + inner + seven bytes: the frame the cut drops around inner.
std::string Framed(const std::string& inner) { return "{cand:\\" + inner + ",count2}"; }
}  // namespace

TEST(CutCandidatePieces, CutsBetweenTheFirstBracesAndSplitsOnBackslash) {
  struct Case {
    const char* what;
    std::string reply;
    Pieces expected;
  };
  const std::vector<Case> cases = {
      {"worked example, 26 bytes", "{cand:\\u4e00\\u4e8c,count2}", {"u4e00", "u4e8c"}},
      {"text before the braces", "xyz{cand:\\u4e00\\u4e8c,count2}tail", {"u4e00", "u4e8c"}},
      {"several brace pairs", Framed("u4e00") + "{cand:\\u4e8c,count2}", {"u4e00"}},
      {"exactly 15 bytes before }", "{123456X1234567}", {"X"}},
      {"exactly 14 bytes before }", "{1234561234567}", {}},
      {"empty reply", "", {}},
      {"no braces", "cand:\\u4e00\\u4e8c,count2", {}},
      {"only {", "{cand:\\u4e00\\u4e8c,count2", {}},
      {"only }", "cand:\\u4e00\\u4e8c,count2}", {}},
      {"} before {", "}cand:\\u4e00\\u4e8c,count2{", {}},
      {"zero byte cuts the reply", std::string("{cand:\\u4e00\\u4e8c,count2\0}", 27), {}},
      {"zero byte after the }", std::string("{cand:\\u4e00,count2}\0{x}", 24), {"u4e00"}},
      {"leading \\ gives an empty first piece", Framed("\\u4e00"), {"", "u4e00"}},
      {"\\\\ gives an empty piece", Framed("u4e00\\\\u4e8c"), {"u4e00", "", "u4e8c"}},
      {"trailing \\ adds no piece", Framed("u4e00\\"), {"u4e00"}},
      {"no separator: one piece", Framed("u4e00"), {"u4e00"}},
      {"twelve pieces", Framed("1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11\\12"),
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
      // 95 5C and 95 7B / 95 7D are double-byte characters: their second bytes
      // are neither separators nor markers.
      {"separator as a second byte", Framed("a\x95\\b\\c"), {"a\x95\\b", "c"}},
      {"{ as a second byte", "\x95{" + Framed("u4e00"), {"u4e00"}},
      {"} as a second byte", "{cand:\\u4e00\x95},count2}", {"u4e00\x95}"}},
  };
  for (const Case& c : cases) EXPECT_EQ(CutCandidatePieces(c.reply), c.expected) << c.what;
}
