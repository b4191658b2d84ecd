// Reads another process's windows and the clipboard for the end-to-end tests
// and prints one JSON object per line (texts as UTF-8).
//
//   lanjian_inspect top [CAPTION]     top-level windows (all, or those with CAPTION)
//   lanjian_inspect children HWND     the child windows of HWND
//   lanjian_inspect slider HWND       position, range, line and page size of a trackbar
//   lanjian_inspect clipboard         CF_TEXT bytes (hex) and the text as UTF-8
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Hex(const void* data, size_t size) {
  std::string out;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
    out += buf;
  }
  return out;
}

std::string WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  // WM_GETTEXT works across processes; GetWindowText would not ask a child.
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return Utf8(buffer);
}

std::string ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return Utf8(buffer);
}

std::string Rect(const RECT& r) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return buf;
}

std::string Handle(const void* handle) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
  return buf;
}

void PrintTop(HWND window) {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  BYTE alpha = 0;
  COLORREF key = 0;
  DWORD flags = 0;
  const BOOL layered = GetLayeredWindowAttributes(window, &key, &alpha, &flags);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HWND owner = GetWindow(window, GW_OWNER);
  std::printf(
      "{\"hwnd\":%s,\"class\":%s,\"caption\":%s,\"rect\":%s,\"client_origin\":[%ld,%ld],\"client_size\":[%ld,%ld],"
      "\"style\":%lu,\"exstyle\":%lu,\"visible\":%d,\"enabled\":%d,\"iconic\":%d,\"layered\":%d,\"alpha\":%u,"
      "\"alpha_flags\":%lu,\"owner\":%s,\"owner_visible\":%d,\"pid\":%lu,\"foreground\":%d}\n",
      Handle(window).c_str(), Json(ClassOf(window)).c_str(), Json(WindowText(window)).c_str(), Rect(outer).c_str(),
      origin.x, origin.y, client.right, client.bottom, static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
      static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), IsWindowVisible(window) ? 1 : 0,
      IsWindowEnabled(window) ? 1 : 0, IsIconic(window) ? 1 : 0, layered ? 1 : 0, alpha,
      static_cast<unsigned long>(flags), Handle(owner).c_str(), owner && IsWindowVisible(owner) ? 1 : 0,
      static_cast<unsigned long>(pid), GetForegroundWindow() == window ? 1 : 0);
}

struct TopFilter {
  bool all;
  std::wstring caption;
};

BOOL CALLBACK EachTop(HWND window, LPARAM param) {
  const TopFilter* filter = reinterpret_cast<const TopFilter*>(param);
  if (filter->all || Wide(WindowText(window)) == filter->caption) PrintTop(window);
  return TRUE;
}

struct ChildFilter {
  HWND parent;
};

BOOL CALLBACK EachChild(HWND window, LPARAM param) {
  HWND parent = reinterpret_cast<ChildFilter*>(param)->parent;
  if (GetParent(window) != parent) return TRUE;  // direct children only
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  LOGFONTW font = {};
  bool hasFont = false;
  DWORD_PTR fontHandle = 0;
  if (SendMessageTimeoutW(window, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 2000, &fontHandle) && fontHandle)
    hasFont = GetObjectW(reinterpret_cast<HFONT>(fontHandle), sizeof font, &font) != 0;
  DWORD_PTR checked = 0;
  const std::string cls = ClassOf(window);
  if (cls == "Button") SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
  std::printf(
      "{\"hwnd\":%s,\"id\":%ld,\"class\":%s,\"caption\":%s,\"rect\":%s,\"style\":%lu,\"exstyle\":%lu,"
      "\"visible\":%d,\"enabled\":%d,\"font\":%s,\"font_height\":%ld,\"font_weight\":%ld,\"font_charset\":%d,"
      "\"font_face\":%s,\"checked\":%d}\n",
      Handle(window).c_str(), static_cast<long>(GetDlgCtrlID(window)), Json(cls).c_str(),
      Json(WindowText(window)).c_str(), Rect(r).c_str(), static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
      static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), IsWindowVisible(window) ? 1 : 0,
      IsWindowEnabled(window) ? 1 : 0, Handle(reinterpret_cast<void*>(fontHandle)).c_str(),
      hasFont ? font.lfHeight : 0, hasFont ? font.lfWeight : 0, hasFont ? font.lfCharSet : -1,
      Json(hasFont ? Utf8(font.lfFaceName) : "").c_str(), static_cast<int>(checked));
  return TRUE;
}

HWND ParseHandle(const char* text) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 10))); }

DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
  return result;
}

int Clipboard() {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  std::string bytes, text;
  bool hasText = false;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      bytes = p;
      hasText = true;
      GlobalUnlock(data);
    }
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Utf8(p);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::printf("{\"has_text\":%d,\"ansi_hex\":\"%s\",\"text\":%s}\n", hasText ? 1 : 0,
              Hex(bytes.data(), bytes.size()).c_str(), Json(text).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lanjian_inspect top [CAPTION] | children HWND | slider HWND | clipboard\n");
    return 2;
  }
  const std::string command = argv[1];
  if (command == "top") {
    TopFilter filter{argc < 3, argc >= 3 ? Wide(argv[2]) : std::wstring()};
    EnumWindows(EachTop, reinterpret_cast<LPARAM>(&filter));
  } else if (command == "children" && argc >= 3) {
    ChildFilter filter{ParseHandle(argv[2])};
    EnumChildWindows(filter.parent, EachChild, reinterpret_cast<LPARAM>(&filter));
  } else if (command == "slider" && argc >= 3) {
    HWND slider = ParseHandle(argv[2]);
    std::printf("{\"pos\":%lu,\"min\":%lu,\"max\":%lu,\"line\":%lu,\"page\":%lu}\n",
                static_cast<unsigned long>(Ask(slider, TBM_GETPOS)), static_cast<unsigned long>(Ask(slider, TBM_GETRANGEMIN)),
                static_cast<unsigned long>(Ask(slider, TBM_GETRANGEMAX)), static_cast<unsigned long>(Ask(slider, TBM_GETLINESIZE)),
                static_cast<unsigned long>(Ask(slider, TBM_GETPAGESIZE)));
  } else if (command == "clipboard") {
    return Clipboard();
  } else {
    std::fprintf(stderr, "unknown command\n");
    return 2;
  }
  std::fflush(stdout);
  return 0;
}
