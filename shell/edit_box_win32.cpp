#include <windows.h>

#include "shell/edit_box.h"
#include "shell/main_window_win32.h"

void EditBoxBackspace() {
  if (HWND edit = ControlHandle(Control::编辑框1)) SendMessageA(edit, WM_CHAR, '\b', 0);
}
