// The controls of MainWindow, addressed by their layout names, and the few
// properties of them that the pad's logic reads and writes. The window system
// behind these calls is linked in: the Win32 one in the program, a recording
// fake in the native tests.
#pragma once
#include <string>

enum class Control {
  画板,
  按钮1, 按钮2, 按钮3, 按钮4, 按钮5, 按钮6, 按钮7, 按钮8, 按钮9, 按钮10,
  按钮11, 按钮12, 按钮13, 按钮14, 按钮15, 按钮16, 按钮17, 按钮18,
  滑块条1, 选择框1, 重写按钮, 编辑框1, 超文本浏览框1,
  时钟1, 监视时钟, 时钟2,
};
constexpr int kControlCount = static_cast<int>(Control::时钟2) + 1;

// The k-th candidate button, k = 1 to 10 (按钮1 ... 按钮10).
Control CandidateButton(int k);
// 1 to 10 for a candidate button, 0 for any other control.
int CandidateIndex(Control control);

struct ControlRect {
  int left = 0;    // relative to the window's client area
  int top = 0;
  int width = 0;   // outer size
  int height = 0;
};

// Platform calls.
ControlRect ControlPosition(Control control);
bool IsTicked(Control checkBox);
// Captions are byte strings in the ANSI code page.
void SetCaption(Control control, const std::string& caption);
std::string Caption(Control control);
// Runs the timer's tick handler every `milliseconds` (restarting it), or stops it at 0.
void PlatformStartTimer(Control timer, int milliseconds);
void PlatformStopTimer(Control timer);
