// MainWindow and its controls as Win32 windows.
#pragma once
#include <windows.h>

#include "shell/controls.h"

// Creates the invisible owner (which keeps MainWindow off the taskbar) and
// MainWindow with all its controls, runs the creation handler and shows it.
// Returns null when the window cannot be created.
HWND CreateMainWindow(HINSTANCE instance);
HWND MainWindowHandle();
HWND ControlHandle(Control control);
// The child-window and timer identifier of a control.
int ControlId(Control control);
