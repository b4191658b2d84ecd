#include "shell/main_window_win32.h"

#include <commctrl.h>

#include "shell/browser_view_win32.h"
#include "shell/canvas_win32.h"
#include "shell/events.h"
#include "shell/layout.h"
#include "shell/main_window_behaviour_win32.h"
#include "shell/program_windows_win32.h"
#include "shell/slider_win32.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"LanjianOwner";
constexpr wchar_t kMainClass[] = L"LanjianMainWindow";
constexpr int kFirstControlId = 1000;

HWND mainWindow = nullptr;
HWND controls[kControlCount] = {};
HFONT candidateFont = nullptr;

bool ControlFromId(int id, Control& control) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= kControlCount) return false;
  control = static_cast<Control>(index);
  return true;
}

HWND CreateChild(HWND parent, const ControlLayout& c) {
  const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c.control)));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (c.kind) {
    case ControlKind::Canvas:
      return CreatePadWindow(parent, ControlId(c.control), c.left, c.top, c.width, c.height);
    case ControlKind::PushButton:
      return CreateWindowExW(0, L"BUTTON", c.caption, child | WS_TABSTOP | BS_PUSHBUTTON, c.left, c.top, c.width,
                             c.height, parent, id, instance, nullptr);
    case ControlKind::CheckBox:
      return CreateWindowExW(0, L"BUTTON", c.caption, child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER,
                             c.left, c.top, c.width, c.height, parent, id, instance, nullptr);
    case ControlKind::EditBox:
      return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", c.caption, child | WS_TABSTOP | ES_AUTOHSCROLL, c.left, c.top,
                             c.width, c.height, parent, id, instance, nullptr);
    case ControlKind::Slider: {
      HWND slider = CreateWindowExW(0, TRACKBAR_CLASSW, L"", child | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS,
                                    c.left, c.top, c.width, c.height, parent, id, instance, nullptr);
      SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderMin, kSliderMax));
      SendMessageW(slider, TBM_SETLINESIZE, 0, kSliderLineSize);
      SendMessageW(slider, TBM_SETPAGESIZE, 0, kSliderPageSize);
      SendMessageW(slider, TBM_SETTICFREQ, 1, 0);
      SendMessageW(slider, TBM_SETPOS, TRUE, kSliderStart);
      return slider;
    }
    case ControlKind::WebBrowser:
      return CreateBrowserView(parent, ControlId(c.control), c.left, c.top, c.width, c.height);
    case ControlKind::Label:
    case ControlKind::Timer:
      return nullptr;
  }
  return nullptr;
}

void CreateControls(HWND window) {
  if (!candidateFont)
    candidateFont = CreateFontW(kCandidateFontHeight, 0, 0, 0, kCandidateFontWeight, FALSE, FALSE, FALSE,
                                kCandidateFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"");
  const HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
  for (std::size_t i = 0; i < kMainWindowLayoutCount; ++i) {
    const ControlLayout& c = kMainWindowLayout[i];
    HWND child = CreateChild(window, c);
    controls[static_cast<int>(c.control)] = child;
    if (!child) continue;
    if (c.font == ControlFont::Candidate)
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(candidateFont), FALSE);
    else if (c.font == ControlFont::DefaultGui)
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainWindow = window;
      CreateControls(window);
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetUpMainWindow();
      return 0;
    case WM_MOUSEACTIVATE:
      // Windows answers MA_NOACTIVATE by itself for a WS_EX_NOACTIVATE window;
      // Wine does not, so say it here. Child controls forward this message.
      if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return MA_NOACTIVATE;
      break;
    case WM_NCACTIVATE:
      // Keep the active look of the caption while the window is enabled.
      if (!wParam) return DefWindowProcW(window, message, IsWindowEnabled(window), lParam);
      break;
    case WM_LBUTTONDOWN: {
      // A press on bare client area moves the window like its caption does.
      POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &p);
      PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
      return 0;
    }
    case WM_COMMAND: {
      Control control;
      if (HIWORD(wParam) == BN_CLICKED && lParam && ControlFromId(LOWORD(wParam), control)) OnClick(control);
      return 0;
    }
    case WM_HSCROLL:
      // Every position change of the slider except the end of tracking.
      if (reinterpret_cast<HWND>(lParam) == ControlHandle(Control::滑块条1) && LOWORD(wParam) != TB_ENDTRACK)
        ApplySliderAlpha();
      return 0;
    case WM_TIMER: {
      Control timer;
      if (ControlFromId(static_cast<int>(wParam), timer)) OnTimerTick(timer);
      return 0;
    }
    case WM_DESTROY:
      ProgramWindowDestroyed(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW owner = {};
  owner.cbSize = sizeof owner;
  owner.lpfnWndProc = DefWindowProcW;
  owner.hInstance = instance;
  owner.lpszClassName = kOwnerClass;
  WNDCLASSEXW main = {};
  main.cbSize = sizeof main;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kMainClass;
  return RegisterClassExW(&owner) && RegisterClassExW(&main);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  INITCOMMONCONTROLSEX common = {sizeof common, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  if (!RegisterClasses(instance)) return nullptr;
  // An invisible owner keeps MainWindow off the taskbar.
  HWND owner = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), kMainWindowWidth);
  const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), kMainWindowHeight);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kMainClass, kMainWindowCaption,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, left, top,
                                kMainWindowWidth, kMainWindowHeight, owner, nullptr, instance, nullptr);
  if (!window) {
    if (owner) DestroyWindow(owner);
    return nullptr;
  }
  ProgramWindowOpened(window);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

int ControlId(Control control) { return kFirstControlId + static_cast<int>(control); }

HWND MainWindowHandle() { return mainWindow; }

HWND ControlHandle(Control control) { return controls[static_cast<int>(control)]; }
