#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognition/candidate_decode.h"

TEST(DecodeUnicodeEscape, ReadsTheInputAsTheBodyOfASingleQuotedLiteral) {
  struct Case {
    std::string input;
    std::string expected;  // GBK bytes
  };
  const std::vector<Case> cases = {
      {"\\u4e00", "\xD2\xBB"},              // 一
      {"\\u4e8c", "\xB6\xFE"},              // 二
      {"\\u0041", "A"},
      {"\\u4E00xyz", "\xD2\xBBxyz"},
      {"\\u4e00\\u4e8c", "\xD2\xBB\xB6\xFE"},
      {"\xD2\xBB", "\xD2\xBB"},             // characters stand for themselves
      {"", ""},
      {"\\x41\\x4a", "AJ"},
      {"\\b\\f\\n\\r\\t\\v", "\b\f\n\r\t\v"},
      {"\\101\\1014\\477\\08", "AA4'7"},  // legacy octal; \0 before 8 is a zero: the text ends there
      {"\\101\\60\\7", "A0\x07"},
      {"\\'\\\"\\\\\\q\\8\\9", "'\"\\q89"},
      {"say \"hi\"", "say \"hi\""},
      {"\\u0041\\x00B", "A"},               // a zero character ends the text
      {"\\u0e01", "?"},                     // not in the code page: its default character
      {"\\ud800", "?"},                     // a lone surrogate
      // Would not parse: empty.
      {"\\", ""},
      {"u4e00\\", ""},
      {"a'b", ""},
      {"\\u4e00'+'x", ""},
      {"\\u4e00');alert(1);('", ""},
      {"a\nb", ""},
      {"a\rb", ""},
      {"\\\n", ""},
      {"\\u4e0", ""},
      {"\\u4e0g", ""},
      {"\\u{4e00}", ""},
      {"\\x4", ""},
      {"\\x4g", ""},
      {std::string("a\0b", 3), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUnicodeEscape(c.input), c.expected) << c.input;
}

TEST(ReadQuotedStringBody, KeepsEveryCodeUnitOfAnEscape) {
  EXPECT_EQ(ReadQuotedStringBody(u"\\ud83d\\ude00"), std::u16string(u"\U0001F600"));
  EXPECT_EQ(ReadQuotedStringBody(u"\\377\\400"), std::u16string(u"\u00FF\u0020" u"0"));
  EXPECT_EQ(ReadQuotedStringBody(u"a\u2028b"), std::nullopt);
  EXPECT_EQ(ReadQuotedStringBody(u"\\0"), std::u16string(1, u'\0'));
}
