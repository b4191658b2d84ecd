// A recording stand-in for the window system, for the portable logic's tests.
// Every platform call of shell/controls.h, shell/canvas.h and shell/screen.h
// lands here; tests set the inputs and read what was done.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shell/controls.h"
#include "shell/screen.h"

namespace fake {

struct Line {
  int fromX, fromY, toX, toY;
  int penWidth;
  std::uint32_t penColour;
  bool operator==(const Line&) const = default;
};

struct Clear {
  int left, top, width, height;
  bool operator==(const Clear&) const = default;
};

// One start (period > 0) or stop (period 0) that reached the platform.
struct TimerCall {
  Control timer;
  int period;
  bool operator==(const TimerCall&) const = default;
};

struct Platform {
  std::vector<Line> lines;
  std::vector<Clear> clears;
  int penWidth = 1;
  std::uint32_t penColour = 0;
  std::vector<TimerCall> timerCalls;
  std::map<Control, std::string> captions;
  std::map<Control, bool> ticked;
  ScreenPoint cursor;
  WindowRect mainWindow{472, 288, 335, 447};
  int screenWidth = 1280;
  int screenHeight = 1024;
  std::vector<WindowRect> moves;
};

extern Platform platform;

// A fresh platform, fresh PadState and no timer running.
void Reset();

}  // namespace fake
