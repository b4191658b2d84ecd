// The application the pad types into, for the end-to-end tests: a window
// titled "lanjian type target" whose EDIT control holds the keyboard focus,
// and a low-level keyboard hook that prints every key event it sees, one JSON
// object per line on stdout:
//   {"vk":17,"up":0,"injected":1}
// It runs until its window is closed or the process is ended.
#include <windows.h>

#include <cstdio>

namespace {

HWND edit = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
    std::printf("{\"vk\":%lu,\"up\":%d,\"injected\":%d}\n", static_cast<unsigned long>(key->vkCode), up ? 1 : 0,
                (key->flags & LLKHF_INJECTED) ? 1 : 0);
    std::fflush(stdout);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 10,
                             10, 360, 120, window, reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
      return 0;
    case WM_SETFOCUS:
      SetFocus(edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"LanjianTypeTarget";
  RegisterClassExW(&wc);
  // Top left, clear of the pad in the middle of the screen.
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"lanjian type target", WS_OVERLAPPEDWINDOW, 20, 20, 400, 180,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, instance, 0);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(edit);
  std::printf("{\"ready\":1,\"hook\":%d}\n", hook ? 1 : 0);
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (hook) UnhookWindowsHookEx(hook);
  return 0;
}
