// Times how long a button of another process takes to show a caption, for the
// pen-up-to-caption measurement: empties the caption of HWND, prints
//   {"cleared":1}
// then polls it every millisecond and prints, once it is not empty,
//   {"shown":<seconds since 1970, to the microsecond>,"caption":"<UTF-8>"}
// or {"shown":0} after TIMEOUT_MS.
//   lanjian_caption_watch HWND TIMEOUT_MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double UnixSeconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks;
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  return static_cast<double>(ticks.QuadPart - 116444736000000000ULL) / 1e7;
}

std::wstring Caption(HWND window) {
  wchar_t buffer[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 1000, &copied);
  return buffer;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lanjian_caption_watch HWND TIMEOUT_MS\n");
    return 2;
  }
  HWND button = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 10)));
  const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 1000, &ignored);
  std::printf("{\"cleared\":1}\n");
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    const std::wstring caption = Caption(button);
    if (!caption.empty()) {
      std::printf("{\"shown\":%.6f,\"caption\":\"%s\"}\n", UnixSeconds(), Utf8(caption).c_str());
      std::fflush(stdout);
      return 0;
    }
    Sleep(1);
  }
  std::printf("{\"shown\":0}\n");
  return 0;
}
