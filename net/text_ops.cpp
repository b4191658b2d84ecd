#include "net/text_ops.h"

#include <climits>
#include <cstdlib>
#include <cstddef>
#include <cstdint>

namespace {

bool StartsDoubleByte(unsigned char c) { return c >= 0x80; }

// Byte count of the character starting at index i (2 for a lead byte with a
// byte after it, else 1).
std::size_t CharWidth(std::string_view t, std::size_t i) {
  return StartsDoubleByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

unsigned char LowerAscii(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsSpaceAt(std::string_view t, std::size_t i, std::size_t width) {
  if (width == 1) return t[i] == ' ';
  return static_cast<unsigned char>(t[i]) == 0xA1 && static_cast<unsigned char>(t[i + 1]) == 0xA1;
}

// Positions are 1-based ints; sizes beyond INT_MAX are clamped so that the
// arithmetic of the callers cannot overflow in practice.
std::string_view Slice(std::string_view t, long long start0, long long count) {
  const long long size = static_cast<long long>(t.size());
  if (start0 < 0 || start0 >= size || count <= 0) return {};
  if (count > size - start0) count = size - start0;
  return t.substr(static_cast<std::size_t>(start0), static_cast<std::size_t>(count));
}

}  // namespace

int TextLength(std::string_view t) {
  return t.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(t.size());
}

std::string TextLower(std::string_view t) {
  std::string out(t);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t width = CharWidth(out, i);
    if (width == 1) out[i] = static_cast<char>(LowerAscii(static_cast<unsigned char>(out[i])));
    i += width;
  }
  return out;
}

int TextFind(std::string_view t, std::string_view s, int from, bool ignoreCase) {
  if (from < 1) from = 1;
  const std::size_t first = static_cast<std::size_t>(from) - 1;
  if (first >= t.size()) return -1;
  if (s.empty()) return 1;
  if (s.size() > t.size() - first) return -1;

  std::string loweredText, loweredSought;
  if (ignoreCase) {
    loweredText = TextLower(t);
    loweredSought = TextLower(s);
    t = loweredText;
    s = loweredSought;
  }
  // Character boundaries are counted from the start of t, so a `from` that
  // falls on a second byte moves on to the next character.
  for (std::size_t i = 0; i + s.size() <= t.size(); i += CharWidth(t, i)) {
    if (i >= first && t.compare(i, s.size(), s) == 0) {
      return i < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(i) + 1 : -1;
    }
  }
  return -1;
}

std::string TextMiddle(std::string_view t, int start, int count) {
  if (start < 1) return {};
  return std::string(Slice(t, static_cast<long long>(start) - 1, count));
}

std::string TextLeft(std::string_view t, int n) {
  if (n <= 0) return {};
  return std::string(t.substr(0, static_cast<std::size_t>(n)));
}

std::string TextRight(std::string_view t, int n) {
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) >= t.size()) return std::string(t);
  return std::string(t.substr(t.size() - static_cast<std::size_t>(n)));
}

std::vector<std::string> TextSplit(std::string_view t, std::string_view sep) {
  std::vector<std::string> pieces;
  if (t.empty()) return pieces;
  if (sep.empty()) {
    pieces.emplace_back(t);
    return pieces;
  }
  std::size_t pieceStart = 0;
  for (std::size_t i = 0; i < t.size();) {
    if (t.substr(i, sep.size()) == sep) {
      pieces.emplace_back(t.substr(pieceStart, i - pieceStart));
      i += sep.size();
      pieceStart = i;
    } else {
      i += CharWidth(t, i);
    }
  }
  if (pieceStart < t.size()) pieces.emplace_back(t.substr(pieceStart));
  return pieces;
}

std::string BytesToText(std::string_view b) {
  const std::size_t zero = b.find('\0');
  return std::string(zero == std::string_view::npos ? b : b.substr(0, zero));
}

bool TextIsBlank(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t width = CharWidth(t, i);
    if (!IsSpaceAt(t, i, width)) return false;
    i += width;
  }
  return true;
}

std::string TextTrim(std::string_view t) {
  std::size_t keepStart = t.size(), keepEnd = 0;
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t width = CharWidth(t, i);
    if (!IsSpaceAt(t, i, width)) {
      if (keepStart == t.size()) keepStart = i;
      keepEnd = i + width;
    }
    i += width;
  }
  if (keepStart == t.size()) return {};
  return std::string(t.substr(keepStart, keepEnd - keepStart));
}

namespace {

// Full-width ASCII forms (A3 A1..A3 FE) and the ideographic space become
// their one-byte equivalents; every other character stays as it is.
std::string NarrowFullWidth(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t width = CharWidth(t, i);
    const unsigned char lead = static_cast<unsigned char>(t[i]);
    if (width == 2) {
      const unsigned char trail = static_cast<unsigned char>(t[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
        i += 2;
        continue;
      }
      if (lead == 0xA1 && trail == 0xA1) {
        out.push_back(' ');
        i += 2;
        continue;
      }
    }
    out.append(t.substr(i, width));
    i += width;
  }
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double TextToNumber(std::string_view t) {
  const std::string narrow = NarrowFullWidth(t);
  std::size_t i = 0;
  while (i < narrow.size() && IsWhite(narrow[i])) ++i;

  bool negative = false;
  if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) negative = narrow[i++] == '-';

  // Find the longest prefix of the form digits [. digits] [e [sign] digits].
  const std::size_t numberStart = i;
  std::size_t digits = 0;
  while (i < narrow.size() && IsDigit(narrow[i])) ++i, ++digits;
  if (i < narrow.size() && narrow[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fractionDigits = 0;
    while (j < narrow.size() && IsDigit(narrow[j])) ++j, ++fractionDigits;
    if (digits + fractionDigits > 0) {
      i = j;
      digits += fractionDigits;
    }
  }
  if (digits == 0) return 0;
  if (i < narrow.size() && (narrow[i] == 'e' || narrow[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < narrow.size() && (narrow[j] == '+' || narrow[j] == '-')) ++j;
    if (j < narrow.size() && IsDigit(narrow[j])) {
      while (j < narrow.size() && IsDigit(narrow[j])) ++j;
      i = j;
    }
  }

  // The prefix is plain ASCII of a checked shape, so strtod reads all of it;
  // it also gives infinity for too large and zero for too small values.
  const std::string number = narrow.substr(numberStart, i - numberStart);
  const double value = std::strtod(number.c_str(), nullptr);
  return negative ? -value : value;
}
