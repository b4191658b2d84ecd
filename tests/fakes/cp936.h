// Code page 936 (GBK) <-> UTF-16 for the native tests and fuzz targets, the
// way Windows converts with CP_ACP on a Chinese system: iconv on Linux, the
// Win32 calls with code page 936 when the tests are cross-built.
#pragma once
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>

inline std::u16string Cp936ToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return std::u16string(wide.begin(), wide.end());
}

inline std::string Utf16ToCp936(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide(text.begin(), text.end());
  const int size =
      WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
  return out;
}

#else
#include <iconv.h>

#include <cerrno>

namespace cp936_detail {
// One converter per direction and thread, opened once: opening is far dearer
// than converting a character.
struct Converter {
  iconv_t cd;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

// Converts one chunk; false when iconv cannot (then nothing is appended).
inline bool Convert(bool toUtf16, std::string_view in, std::string& out) {
  thread_local Converter fromCp936("UTF-16LE", "CP936");
  thread_local Converter toCp936("CP936", "UTF-16LE");
  iconv_t cd = toUtf16 ? fromCp936.cd : toCp936.cd;
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[64];
  if (in.size() * 4 + 8 > sizeof buffer) return false;
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = buffer;
  std::size_t outLeft = sizeof buffer;
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0 &&
                  iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  if (ok) out.append(buffer, sizeof buffer - outLeft);
  return ok;
}
}  // namespace cp936_detail

// A byte that starts no character becomes U+FFFD.
inline std::u16string Cp936ToUtf16(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead >= 0x81 && lead <= 0xFE && i + 1 < text.size() ? 2 : 1;
    std::string utf16;
    if (!cp936_detail::Convert(true, text.substr(i, length), utf16)) {
      length = 1;
      if (!cp936_detail::Convert(true, text.substr(i, 1), utf16)) utf16 = "\xFD\xFF";
    }
    for (std::size_t k = 0; k + 1 < utf16.size(); k += 2)
      out += static_cast<char16_t>(static_cast<unsigned char>(utf16[k]) |
                                   static_cast<unsigned char>(utf16[k + 1]) << 8);
    i += length;
  }
  return out;
}

// What GBK cannot represent, a lone surrogate too, becomes "?".
inline std::string Utf16ToCp936(std::u16string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t units = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      units = 2;
    std::string utf16;
    for (std::size_t k = 0; k < units; ++k) {
      utf16 += static_cast<char>(text[i + k] & 0xFF);
      utf16 += static_cast<char>(text[i + k] >> 8);
    }
    if (!cp936_detail::Convert(false, utf16, out)) out += '?';
    i += units;
  }
  return out;
}
#endif
