// The pointer, the primary screen and MainWindow's place on it, in screen pixels.
#pragma once

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// MainWindow's outer rectangle (frame and caption included).
struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

ScreenPoint CursorPosition();
int ScreenWidth();
int ScreenHeight();
WindowRect MainWindowRect();
// Moves MainWindow's outer rectangle to (left, top), keeping its size.
void MoveMainWindow(int left, int top);
