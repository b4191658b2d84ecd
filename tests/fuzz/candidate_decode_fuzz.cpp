// Candidate decoding on arbitrary reply bytes: never crashes, never yields a
// zero byte, and the escape reading keeps every code unit it is given.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "recognition/ansi_code_page.h"
#include "recognition/candidate_decode.h"
#include "tests/fakes/cp936.h"

std::u16string AnsiToUtf16(std::string_view text) { return Cp936ToUtf16(text); }
std::string Utf16ToAnsi(std::u16string_view text) { return Utf16ToCp936(text); }

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "candidate_decode_fuzz: %s\n", what);
    std::abort();
  }
}

std::u16string EscapeEveryUnit(const std::u16string& text) {
  static const char digits[] = "0123456789abcdef";
  std::u16string out;
  for (char16_t unit : text) {
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char16_t>(digits[(unit >> shift) & 0xF]);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string caption = DecodeUnicodeEscape(bytes);
  Check(caption.find('\0') == std::string::npos, "a zero byte in a caption");

  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  if (const auto read = ReadQuotedStringBody(units)) {
    // What a body stands for, written back as escapes, stands for the same.
    Check(ReadQuotedStringBody(EscapeEveryUnit(*read)) == read, "escapes of a reading read differently");
    Check(read->size() <= units.size(), "a reading longer than its body");
  }
  Check(ReadQuotedStringBody(EscapeEveryUnit(units)) == units, "escaped units do not read back");
  Check(!ReadQuotedStringBody(u"'" + units), "an unescaped apostrophe was accepted");
  return 0;
}
