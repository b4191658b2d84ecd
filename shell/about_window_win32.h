// Win32 side of AboutWindow, for the window procedures and the Win32 tests.
#pragma once
#include <windows.h>

#include "shell/about_window.h"

// The AboutWindow that exists (open or closing), or null.
HWND AboutWindowHandle();
bool IsAboutWindowClosing();
