// The run lasts while any of the program's visible windows (MainWindow,
// AboutWindow) is open; the message loop ends when the last one is destroyed.
#pragma once
#include <windows.h>

void ProgramWindowOpened(HWND window);
void ProgramWindowDestroyed(HWND window);
bool IsProgramWindow(HWND window);
// Runs the message loop until the last program window is gone. Esc pressed
// in a program window (or one of its controls) closes that window.
int RunMessageLoop();
