// Edge docking: MainWindow parked at the left, right or top edge of the
// primary screen slips off it, leaving a 2-pixel strip, while the pointer is
// elsewhere, and comes back when the pointer touches that strip. Nothing is
// remembered between ticks: each one decides from the positions of the moment.
#pragma once
#include "shell/screen.h"

// The width (or height) of the strip a docked window leaves on the screen.
constexpr int kDockStrip = 2;

// Where MainWindow should be, given the pointer, its current outer rectangle
// and the primary screen's width. Only `left` or only `top` ever changes; the
// result equals `window` when the window stays where it is.
WindowRect DockedRect(ScreenPoint pointer, const WindowRect& window, int screenWidth);

// The tick handler of 时钟2: moves MainWindow at most once.
void DockTick();
