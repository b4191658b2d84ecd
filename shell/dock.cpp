#include "shell/dock.h"

namespace {

// The bounds are inclusive: the column just right of the window and the row
// just below it still count as inside.
bool PointerOutside(ScreenPoint p, const WindowRect& w) {
  return p.x < w.left || p.x > w.left + w.width || p.y < w.top || p.y > w.top + w.height;
}

}  // namespace

WindowRect DockedRect(ScreenPoint pointer, const WindowRect& window, int screenWidth) {
  WindowRect target = window;
  if (PointerOutside(pointer, window)) {
    if (window.left <= 0)
      target.left = kDockStrip - window.width;
    else if (window.left + window.width >= screenWidth)
      target.left = screenWidth - kDockStrip;
    else if (window.top <= 0)
      target.top = kDockStrip - window.height;
  } else {
    // Showing at the right edge needs the exact hidden position, so a window
    // merely reaching past the edge is not pulled back by the pointer.
    if (window.left <= 0)
      target.left = 0;
    else if (window.left == screenWidth - kDockStrip)
      target.left = screenWidth - window.width;
    else if (window.top <= 0)
      target.top = 0;
  }
  return target;
}

void DockTick() {
  const WindowRect current = MainWindowRect();
  const WindowRect target = DockedRect(CursorPosition(), current, ScreenWidth());
  if (target.left != current.left || target.top != current.top) MoveMainWindow(target.left, target.top);
}
