#include <windows.h>

#include "recognition/ansi_code_page.h"

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide(text.begin(), text.end());
  const int length = static_cast<int>(wide.size());
  // No flags: what the code page lacks becomes its default character.
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, wide.data(), length, out.data(), size, nullptr, nullptr) != size) return {};
  return out;
}
