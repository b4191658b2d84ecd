#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "net/text_ops.h"

// GBK bytes used below: 中 is D6 D0, 乒 is C6 B9; A3 B1 is the full-width 1,
// A1 A1 the ideographic space. Second bytes such as 0x5C ("\"), 0x7B ("{"),
// 0x41 ("A") show that no search or change starts on a second byte.
namespace {
const std::string kTrail5C = "\x95\x5C";  // a double-byte character ending in "\"
const std::string kTrail41 = "\x81\x41";  // ... ending in "A"
const std::string kWideSpace = "\xA1\xA1";
}  // namespace

TEST(TextFind, FindsByBytePositionSteppingOverDoubleByteCharacters) {
  struct Case {
    std::string t, s;
    int from;
    bool ignoreCase;
    int expected;
  };
  const std::vector<Case> cases = {
      {"abcabc", "c", 1, false, 3},
      {"abcabc", "c", 4, false, 6},
      {"abcabc", "c", 0, false, 3},          // from below 1 means 1
      {"abcabc", "c", -5, false, 3},
      {"abcabc", "c", 7, false, -1},         // from beyond the end
      {"abcabc", "x", 1, false, -1},
      {"abc", "abcd", 1, false, -1},
      {"abc", "", 1, false, 1},              // empty s on a non-empty part
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},             // empty part
      {"", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {"Hello", "hello", 1, false, -1},
      {"Hello", "hELLO", 1, true, 1},
      {"x" + kTrail5C + "\\", "\\", 1, false, 4},  // the "\" inside 95 5C is skipped
      {kTrail5C, "\\", 1, false, -1},
      {kTrail41 + "a", "a", 1, true, 3},      // 41 is a second byte, not a letter
      {kTrail41 + "A", "A", 1, false, 3},
      {"\xD6\xD0\xD6\xD0", "\xD0\xD6", 1, false, -1},  // no match across characters
      {"\xD6\xD0\xD6\xD0", "\xD6\xD0", 2, false, 3},   // from on a second byte moves on
      {"ab\xD6\xD0" "cd", "cd", 1, false, 5},
      {"Accept: x\r\n", "accept: ", 1, true, 1},
      {"X-Accept: x\r\n", "ACCEPT: ", 1, true, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFind(c.t, c.s, c.from, c.ignoreCase), c.expected)
        << "t=" << c.t << " s=" << c.s << " from=" << c.from;
  }
}

TEST(TextCuts, MiddleLeftRightFollowTheirEdgeRules) {
  struct Case {
    char op;
    std::string t;
    int a, b;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {'M', "abcdef", 2, 3, "bcd"},
      {'M', "abcdef", 5, 10, "ef"},   // cut short at the end
      {'M', "abcdef", 6, 1, "f"},
      {'M', "abcdef", 7, 1, ""},      // start beyond the end
      {'M', "abcdef", 0, 3, ""},      // start below 1
      {'M', "abcdef", -1, 0, ""},
      {'M', "abcdef", 2, 0, ""},
      {'M', "abcdef", 2, -14, ""},
      {'M', "", 1, 1, ""},
      {'L', "abcdef", 2, 0, "ab"},
      {'L', "abcdef", 6, 0, "abcdef"},
      {'L', "abcdef", 99, 0, "abcdef"},
      {'L', "abcdef", 0, 0, ""},
      {'L', "abcdef", -3, 0, ""},
      {'R', "abcdef", 2, 0, "ef"},
      {'R', "abcdef", 6, 0, "abcdef"},
      {'R', "abcdef", 99, 0, "abcdef"},
      {'R', "abcdef", 0, 0, ""},
      {'R', "abcdef", -1, 0, ""},
  };
  for (const Case& c : cases) {
    const std::string got = c.op == 'M'   ? TextMiddle(c.t, c.a, c.b)
                            : c.op == 'L' ? TextLeft(c.t, c.a)
                                          : TextRight(c.t, c.a);
    EXPECT_EQ(got, c.expected) << c.op << " " << c.t << " " << c.a << " " << c.b;
  }
}

TEST(TextLower, ChangesOnlyAsciiCapitalsThatStartACharacter) {
  EXPECT_EQ(TextLower("HostName:8080/A?B=Z"), "hostname:8080/a?b=z");
  EXPECT_EQ(TextLower(kTrail41 + "QZ@[`{"), kTrail41 + "qz@[`{");
  EXPECT_EQ(TextLower(""), "");
  // A lone lead byte at the very end is kept as it is.
  EXPECT_EQ(TextLower("A\x81"), "a\x81");
}

TEST(TextSplit, KeepsInnerEmptyPiecesButAddsNoneAtTheEnd) {
  struct Case {
    std::string t, sep;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"", "\\", {}},
      {"abc", "\\", {"abc"}},
      {"a\\b", "\\", {"a", "b"}},
      {"\\a", "\\", {"", "a"}},
      {"a\\\\b", "\\", {"a", "", "b"}},
      {"a\\", "\\", {"a"}},
      {"a\\\\", "\\", {"a", ""}},
      {"\\", "\\", {""}},
      {"a" + kTrail5C + "b\\c", "\\", {"a" + kTrail5C + "b", "c"}},
      {"l1\r\nl2\r\n\r\nl3", "\r\n", {"l1", "l2", "", "l3"}},
      {"abc", "", {"abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(TextSplit(c.t, c.sep), c.expected) << c.t;
}

TEST(TextBlankTrimAndBytes, UseAsciiAndIdeographicSpacesOnly) {
  EXPECT_TRUE(TextIsBlank(""));
  EXPECT_TRUE(TextIsBlank("   "));
  EXPECT_TRUE(TextIsBlank(" " + kWideSpace + " "));
  EXPECT_FALSE(TextIsBlank("\t"));
  EXPECT_FALSE(TextIsBlank("\r\n"));
  EXPECT_FALSE(TextIsBlank(" a "));
  EXPECT_FALSE(TextIsBlank("\xA1"));
  // A1 A1 only counts where it is a character of its own.
  EXPECT_FALSE(TextIsBlank("\xB0\xA1\xA1"));

  EXPECT_EQ(TextTrim("  SID=ab12 "), "SID=ab12");
  EXPECT_EQ(TextTrim(kWideSpace + "a b" + kWideSpace + " "), "a b");
  EXPECT_EQ(TextTrim("\ta\t"), "\ta\t");
  EXPECT_EQ(TextTrim("   "), "");
  EXPECT_EQ(TextTrim("\xB0\xA1\xA1"), "\xB0\xA1\xA1");  // B0 A1 is a character, A1 stays

  EXPECT_EQ(BytesToText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(BytesToText(std::string("\0x", 2)), "");
  EXPECT_EQ(BytesToText("abc"), "abc");
  EXPECT_EQ(BytesToText(""), "");
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumberAfterNarrowingFullWidthForms) {
  struct Case {
    std::string t;
    double expected;
  };
  const std::vector<Case> cases = {
      {"8080", 8080},
      {"8o", 8},
      {"", 0},
      {"abc", 0},
      {"  -12.5e1x", -125},
      {"+3", 3},
      {"1e", 1},
      {"1e+", 1},
      {"2E2", 200},
      {".5", 0.5},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"\t\n7", 7},
      {"0x10", 0},                          // hexadecimal is not read
      {"inf", 0},
      {"\xA3\xB1\xA3\xB2", 12},             // full-width 12
      {kWideSpace + "\xA3\xAD\xA3\xB3", -3},  // ideographic space, full-width -3
      {"\xA3\xB8\xA3\xB0\xA3\xAE\xA3\xB5", 80.5},
      {"4\xA3\xB2x", 42},
      {"\xD6\xD0" "5", 0},                  // another character stops the reading
      {"1e999", HUGE_VAL},
      {"1e-999", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToNumber(c.t), c.expected) << c.t;
}
