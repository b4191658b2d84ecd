// 超文本浏览框1 as a Win32 child window.
#pragma once
#include <windows.h>

// Creates the web browser view as a child of `parent` and starts loading the
// service's product page in the background. Null, with nothing shown or
// reported, where the system has no working browser control or HTML engine.
HWND CreateBrowserView(HWND parent, int id, int left, int top, int width, int height);
