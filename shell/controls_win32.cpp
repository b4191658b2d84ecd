#include <string>

#include "shell/controls.h"
#include "shell/layout.h"
#include "shell/main_window_win32.h"

ControlRect ControlPosition(Control control) {
  HWND child = ControlHandle(control);
  if (!child) {
    const ControlLayout& layout = LayoutOf(control);
    return {layout.left, layout.top, layout.width, layout.height};
  }
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool IsTicked(Control checkBox) {
  HWND box = ControlHandle(checkBox);
  return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCaption(Control control, const std::string& caption) {
  if (HWND child = ControlHandle(control)) SetWindowTextA(child, caption.c_str());
}

std::string Caption(Control control) {
  HWND child = ControlHandle(control);
  if (!child) return {};
  const int length = GetWindowTextLengthA(child);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(child, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void PlatformStartTimer(Control timer, int milliseconds) {
  SetTimer(MainWindowHandle(), static_cast<UINT_PTR>(ControlId(timer)), static_cast<UINT>(milliseconds), nullptr);
}

void PlatformStopTimer(Control timer) { KillTimer(MainWindowHandle(), static_cast<UINT_PTR>(ControlId(timer))); }
