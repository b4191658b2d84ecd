#include "shell/slider_win32.h"

#include <windows.h>
#include <commctrl.h>

#include "shell/main_window_behaviour_win32.h"
#include "shell/main_window_win32.h"

void ApplySliderAlpha() {
  HWND slider = ControlHandle(Control::滑块条1);
  if (!slider) return;
  const int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
  SetWindowAlpha(MainWindowHandle(), position);
}
