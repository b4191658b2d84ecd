#include <windows.h>

#include "shell/main_window_win32.h"
#include "shell/screen.h"

ScreenPoint CursorPosition() {
  POINT p = {0, 0};
  GetCursorPos(&p);
  return {p.x, p.y};
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

WindowRect MainWindowRect() {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(MainWindowHandle(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveMainWindow(int left, int top) {
  const WindowRect r = MainWindowRect();
  if (r.left == left && r.top == top) return;
  MoveWindow(MainWindowHandle(), left, top, r.width, r.height, TRUE);
}
