// What MainWindow does once it exists: topmost, non-activating, layered,
// the mouse hook that keeps it non-activating, the start-up connection check.
#pragma once
#include <windows.h>

// The creation handler of MainWindow; main thread, once.
void SetUpMainWindow();
// Adds WS_EX_NOACTIVATE to MainWindow's extended style.
void AddNoActivateStyle();
bool CheckInternetConnection();
void InstallMouseHook();
// Makes `window` layered with opacity `alpha` (low byte). Without clickThrough
// the extended style becomes exactly WS_EX_LAYERED.
void SetWindowAlpha(HWND window, int alpha, COLORREF colourKey = 0, bool clickThrough = false);
