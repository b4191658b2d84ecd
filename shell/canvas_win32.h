// 画板 as a Win32 child window with persistent drawing: strokes go to an
// off-screen bitmap that the window repaints from.
#pragma once
#include <windows.h>

HWND CreatePadWindow(HWND parent, int id, int left, int top, int width, int height);
