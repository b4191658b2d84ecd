// The pad's entry: state up, MainWindow shown, message loop, state released.
#include <windows.h>

#include <cstdlib>

#include "app/pad_state.h"
#include "shell/main_window_win32.h"
#include "shell/program_windows_win32.h"

namespace {
void ReleasePadStateAtExit() { ReleasePadState(); }
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitPadState();
  std::atexit(ReleasePadStateAtExit);
  if (!CreateMainWindow(instance)) {
    MessageBoxW(nullptr, L"无法创建主窗口。", L"澜笺手写输入法", MB_OK | MB_ICONERROR);
    return -1;
  }
  return RunMessageLoop();
}
