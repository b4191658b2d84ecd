#include "tests/fakes/fake_platform.h"

#include "app/pad_state.h"
#include "shell/canvas.h"
#include "shell/layout.h"
#include "shell/timers.h"
#include "tests/fakes/fake_recognition.h"

namespace fake {
Platform platform;

void Reset() {
  ResetRecognition();
  platform = Platform{};
  ForgetTimerPeriods();
  InitPadState();
}
}  // namespace fake

using fake::platform;

ControlRect ControlPosition(Control control) {
  const ControlLayout& layout = LayoutOf(control);
  return {layout.left, layout.top, layout.width, layout.height};
}

bool IsTicked(Control checkBox) { return platform.ticked[checkBox]; }
void SetCaption(Control control, const std::string& caption) { platform.captions[control] = caption; }
std::string Caption(Control control) { return platform.captions[control]; }
void PlatformStartTimer(Control timer, int milliseconds) { platform.timerCalls.push_back({timer, milliseconds}); }
void PlatformStopTimer(Control timer) { platform.timerCalls.push_back({timer, 0}); }

void PadClearRect(int left, int top, int width, int height) { platform.clears.push_back({left, top, width, height}); }
void PadDrawLine(int fromX, int fromY, int toX, int toY) {
  platform.lines.push_back({fromX, fromY, toX, toY, platform.penWidth, platform.penColour});
}
void SetPadPenWidth(int pixels) { platform.penWidth = pixels; }
void SetPadPenColour(std::uint32_t colour) { platform.penColour = colour; }
int PadPenWidth() { return platform.penWidth; }
std::uint32_t PadPenColour() { return platform.penColour; }

ScreenPoint CursorPosition() { return platform.cursor; }
int ScreenWidth() { return platform.screenWidth; }
int ScreenHeight() { return platform.screenHeight; }
WindowRect MainWindowRect() { return platform.mainWindow; }
void MoveMainWindow(int left, int top) {
  platform.mainWindow.left = left;
  platform.mainWindow.top = top;
  platform.moves.push_back(platform.mainWindow);
}
