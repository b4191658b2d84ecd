#include "shell/about_window_win32.h"

#include "shell/layout.h"
#include "shell/program_windows_win32.h"

namespace {

constexpr wchar_t kAboutClass[] = L"LanjianAboutWindow";
// The deferred close request, posted by "关闭" and carried out by the loop.
constexpr UINT kCloseRequest = WM_APP + 1;
constexpr int kCloseButtonId = 1;
constexpr int kLabelId = 2;

HWND aboutWindow = nullptr;  // main thread only
bool closing = false;

HWND CreateAboutChild(HWND parent, const wchar_t* windowClass, DWORD style, const AboutControlLayout& c, int id) {
  HWND child = CreateWindowExW(0, windowClass, c.caption, WS_CHILD | WS_VISIBLE | style, c.left, c.top, c.width,
                               c.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

LRESULT CALLBACK AboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateAboutChild(window, L"STATIC", SS_LEFT | SS_NOPREFIX, kAboutLabel, kLabelId);
      CreateAboutChild(window, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kAboutClose, kCloseButtonId);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCloseButtonId && HIWORD(wParam) == BN_CLICKED) CloseAboutWindow();
      return 0;
    case kCloseRequest:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (window == aboutWindow) {
        aboutWindow = nullptr;
        closing = false;
      }
      ProgramWindowDestroyed(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterAboutClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW about = {};
  about.cbSize = sizeof about;
  about.lpfnWndProc = AboutWindowProc;
  about.hInstance = GetModuleHandleW(nullptr);
  about.hCursor = LoadCursor(nullptr, IDC_ARROW);
  about.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  about.lpszClassName = kAboutClass;
  registered = RegisterClassExW(&about) != 0;
  return registered;
}

void CreateAboutWindow() {
  if (!RegisterAboutClass()) return;
  const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), kAboutWindowWidth);
  const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), kAboutWindowHeight);
  // No owner: the box has its own taskbar button and outlives MainWindow.
  HWND window = CreateWindowExW(0, kAboutClass, kAboutWindowCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME,
                                left, top, kAboutWindowWidth, kAboutWindowHeight, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) return;
  aboutWindow = window;
  closing = false;
  ProgramWindowOpened(window);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
}

}  // namespace

void OpenAboutWindow() {
  if (aboutWindow && !closing) {
    if (IsIconic(aboutWindow)) {
      ShowWindow(aboutWindow, SW_RESTORE);
    } else {
      // MainWindow never activates, so the pad is seldom the foreground
      // application; the click that got here lets it take the foreground.
      SetForegroundWindow(aboutWindow);
      SetActiveWindow(aboutWindow);
    }
    return;
  }
  if (aboutWindow) DestroyWindow(aboutWindow);  // closing: replaced at once
  CreateAboutWindow();
}

void CloseAboutWindow() {
  if (!aboutWindow || closing) return;
  closing = true;
  PostMessageW(aboutWindow, kCloseRequest, 0, 0);
}

HWND AboutWindowHandle() { return aboutWindow; }

bool IsAboutWindowClosing() { return closing; }
