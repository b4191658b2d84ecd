#include "service/utf8.h"

namespace lanjian {

bool DecodeSingleUtf8(const char* text, char32_t* codePoint) {
  if (text == nullptr) return false;
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  char32_t value;
  int extra;
  char32_t minimum;
  if (s[0] == 0) return false;
  if (s[0] < 0x80) {
    value = s[0];
    extra = 0;
    minimum = 0;
  } else if ((s[0] & 0xe0) == 0xc0) {
    value = s[0] & 0x1f;
    extra = 1;
    minimum = 0x80;
  } else if ((s[0] & 0xf0) == 0xe0) {
    value = s[0] & 0x0f;
    extra = 2;
    minimum = 0x800;
  } else if ((s[0] & 0xf8) == 0xf0) {
    value = s[0] & 0x07;
    extra = 3;
    minimum = 0x10000;
  } else {
    return false;
  }
  for (int i = 1; i <= extra; ++i) {
    if ((s[i] & 0xc0) != 0x80) return false;
    value = (value << 6) | (s[i] & 0x3f);
  }
  if (s[extra + 1] != 0) return false;
  if (value < minimum || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff)) return false;
  *codePoint = value;
  return true;
}

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
  return out;
}

}  // namespace lanjian
