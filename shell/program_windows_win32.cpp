#include "shell/program_windows_win32.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND> openWindows;  // main thread only
}

void ProgramWindowOpened(HWND window) { openWindows.push_back(window); }

void ProgramWindowDestroyed(HWND window) {
  openWindows.erase(std::remove(openWindows.begin(), openWindows.end(), window), openWindows.end());
  if (openWindows.empty()) PostQuitMessage(0);
}

bool IsProgramWindow(HWND window) {
  return std::find(openWindows.begin(), openWindows.end(), window) != openWindows.end();
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      HWND top = GetAncestor(msg.hwnd, GA_ROOT);
      if (IsProgramWindow(top)) {
        PostMessageW(top, WM_CLOSE, 0, 0);
        continue;
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
