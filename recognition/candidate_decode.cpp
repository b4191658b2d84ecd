#include "recognition/candidate_decode.h"

#include "recognition/ansi_code_page.h"

namespace {

bool IsLineTerminator(char16_t c) { return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029'; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

// Exactly `digits` hexadecimal digits at body[at...]; -1 when they are not there.
long HexUnit(std::u16string_view body, std::size_t at, std::size_t digits) {
  if (body.size() - at < digits) return -1;
  long value = 0;
  for (std::size_t k = 0; k < digits; ++k) {
    const int digit = HexValue(body[at + k]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

std::optional<std::u16string> ReadQuotedStringBody(std::u16string_view body) {
  std::u16string text;
  std::size_t i = 0;
  while (i < body.size()) {
    const char16_t c = body[i++];
    if (c == u'\'' || c == u'\0' || IsLineTerminator(c)) return std::nullopt;
    if (c != u'\\') {
      text += c;
      continue;
    }
    if (i == body.size()) return std::nullopt;  // the backslash would take the closing quote
    const char16_t e = body[i++];
    switch (e) {
      case u'b': text += u'\b'; break;
      case u'f': text += u'\f'; break;
      case u'n': text += u'\n'; break;
      case u'r': text += u'\r'; break;
      case u't': text += u'\t'; break;
      case u'v': text += u'\v'; break;
      case u'x':
      case u'u': {
        const std::size_t digits = e == u'x' ? 2 : 4;
        const long unit = HexUnit(body, i, digits);
        if (unit < 0) return std::nullopt;
        text += static_cast<char16_t>(unit);
        i += digits;
        break;
      }
      default:
        if (e == u'\0' || IsLineTerminator(e)) return std::nullopt;
        if (IsOctalDigit(e)) {
          // \0-\377: a first digit 0-3 takes up to two more, 4-7 one more.
          int value = e - u'0';
          const int maxDigits = e <= u'3' ? 3 : 2;
          for (int digits = 1; digits < maxDigits && i < body.size() && IsOctalDigit(body[i]); ++digits)
            value = value * 8 + (body[i++] - u'0');
          text += static_cast<char16_t>(value);
        } else {
          text += e;  // \' \" \\ \8 \9 and every other character stand for themselves
        }
    }
  }
  return text;
}

std::string DecodeUnicodeEscape(const std::string& escape) {
  std::optional<std::u16string> text = ReadQuotedStringBody(AnsiToUtf16(escape));
  if (!text) return {};
  // A caption is a zero-terminated text: a \0 or \x00 ends it.
  if (const std::size_t zero = text->find(u'\0'); zero != std::u16string::npos) text->resize(zero);
  return Utf16ToAnsi(*text);
}
