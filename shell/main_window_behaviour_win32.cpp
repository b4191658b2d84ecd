#include "shell/main_window_behaviour_win32.h"

#include <wininet.h>

#include "app/pad_state.h"
#include "app/reset_pad.h"
#include "shell/canvas.h"
#include "shell/main_window_win32.h"
#include "shell/timers.h"

namespace {

constexpr wchar_t kInfoTitle[] = L"信息：";

void ShowInfoBox(const wchar_t* text) { MessageBoxW(nullptr, text, kInfoTitle, MB_OK | MB_TASKMODAL); }

DWORD WINAPI StartupCheck(LPVOID) {
  SetWindowPos(MainWindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!CheckInternetConnection()) ShowInfoBox(L"此软件需要联网后才能使用！");
  return 0;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (wParam == WM_LBUTTONDOWN) AddNoActivateStyle();
  return CallNextHookEx(reinterpret_cast<HHOOK>(padState.mouseHook), code, wParam, lParam);
}

}  // namespace

void AddNoActivateStyle() {
  HWND window = MainWindowHandle();
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
}

bool CheckInternetConnection() {
  DWORD flags = 0;
  if (!InternetGetConnectedState(&flags, 0)) return false;
  HINTERNET internet = InternetOpenA("test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!internet) return false;
  HINTERNET page = InternetOpenUrlA(internet, LANJIAN_SERVICE_URL, nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  const bool opened = page != nullptr;
  if (page) InternetCloseHandle(page);
  InternetCloseHandle(internet);
  return opened;
}

void InstallMouseHook() {
  HHOOK hook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, GetCurrentThreadId());
  padState.mouseHook = reinterpret_cast<std::uintptr_t>(hook);
  if (!hook) ShowInfoBox(L"error");
}

void SetWindowAlpha(HWND window, int alpha, COLORREF colourKey, bool clickThrough) {
  if (clickThrough)
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_TRANSPARENT | WS_EX_LAYERED);
  else
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED);
  const BYTE opacity = static_cast<BYTE>(alpha & 0xFF);
  DWORD flags = LWA_ALPHA;
  if (colourKey != 0) flags = opacity == 0 ? LWA_COLORKEY : LWA_COLORKEY | LWA_ALPHA;
  SetLayeredWindowAttributes(window, colourKey, opacity, flags);
}

void SetUpMainWindow() {
  if (HANDLE check = CreateThread(nullptr, 0, StartupCheck, nullptr, 0, nullptr)) CloseHandle(check);
  AddNoActivateStyle();
  SetPadPenColour(0);
  InstallMouseHook();
  SetWindowAlpha(MainWindowHandle(), 200);
  SetTimerPeriod(Control::时钟2, 500);
  ResetPad();
}
