#include "service/gbk_charset.h"

#include <iconv.h>

#include <bitset>
#include <cstring>

namespace lanjian {
namespace {

// One bit per BMP code point, filled once from the C library's CP936 table.
std::bitset<0x10000> BuildTable() {
  std::bitset<0x10000> table;
  iconv_t converter = iconv_open("CP936", "UTF-32LE");
  if (converter == reinterpret_cast<iconv_t>(-1)) return table;
  for (char32_t cp = 0x20; cp < 0x10000; ++cp) {
    if (cp == 0x7f || (cp >= 0xd800 && cp <= 0xdfff)) continue;
    const unsigned char in[4] = {static_cast<unsigned char>(cp & 0xff),
                                 static_cast<unsigned char>((cp >> 8) & 0xff), 0, 0};
    char out[8];
    char* inPtr = reinterpret_cast<char*>(const_cast<unsigned char*>(in));
    std::size_t inLeft = sizeof in;
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
        inLeft == 0) {
      table.set(cp);
    }
  }
  iconv_close(converter);
  return table;
}

}  // namespace

bool IsPadCandidate(char32_t codePoint) {
  static const std::bitset<0x10000> table = BuildTable();
  return codePoint < 0x10000 && table.test(codePoint);
}

}  // namespace lanjian
