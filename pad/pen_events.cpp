#include "pad/pen_events.h"

#include <cstdlib>

#include "app/ink_text.h"
#include "app/pad_state.h"
#include "recognition/monitor.h"
#include "shell/canvas.h"
#include "shell/controls.h"
#include "shell/screen.h"
#include "shell/timers.h"

namespace {
constexpr int kSamplingPeriod = 1;  // raised by the window system to its shortest interval

bool DotDrawMode() { return IsTicked(Control::选择框1); }
}  // namespace

void PenPressed(int x, int y) {
  if (DotDrawMode() && padState.penDown)
    EndStroke();
  else
    BeginStroke(x, y);
}

void PenReleased() {
  if (!DotDrawMode()) EndStroke();
}

void BeginStroke(int x, int y) {
  padState.penDown = 1;
  padState.lastDrawnX = x;
  padState.lastDrawnY = y;
  SetTimerPeriod(Control::监视时钟, 0);
  padState.idleTicks = 0;
  SetTimerPeriod(Control::时钟1, kSamplingPeriod);
}

void EndStroke() {
  padState.penDown = 0;
  AppendStrokeTerminator(padState.inkText);
  SetTimerPeriod(Control::监视时钟, kMonitorPeriod);
  SetTimerPeriod(Control::时钟1, 0);
  MonitorTick();  // the pen-up is the monitor's first tick
}

void DrawStrokeSegment(int x, int y) {
  if (!padState.penDown) return;
  const long long dx = std::llabs(static_cast<long long>(x) - padState.lastDrawnX);
  const long long dy = std::llabs(static_cast<long long>(y) - padState.lastDrawnY);
  if (dx < 2 && dy < 2) return;  // small moves add up until they reach two pixels
  PadDrawLine(padState.lastDrawnX, padState.lastDrawnY, x, y);
  padState.lastDrawnX = x;
  padState.lastDrawnY = y;
}

void SamplePen() {
  if (!padState.penDown) return;
  // Read anew on every tick: the window may have moved or docked since.
  const ScreenPoint pointer = CursorPosition();
  const ControlRect pad = ControlPosition(Control::画板);
  const WindowRect window = MainWindowRect();
  // From the outer window corner: the frame and caption make a sample exceed
  // the pad client coordinates of the same point by a constant.
  const int x = pointer.x - (pad.left + window.left + 2);
  const int y = pointer.y - (pad.top + window.top + 2);
  if (x == padState.lastSampleX && y == padState.lastSampleY) return;
  padState.lastSampleX = x;
  padState.lastSampleY = y;
  AppendInkSample(padState.inkText, x, y);
}
