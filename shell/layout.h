// The fixed layout of MainWindow and AboutWindow: sizes, places, captions,
// fonts. Plain data, shared by the Win32 windows and the tests.
#pragma once
#include <cstddef>

#include "shell/controls.h"

enum class ControlKind { Canvas, PushButton, Slider, CheckBox, EditBox, WebBrowser, Label, Timer };
enum class ControlFont { None, DefaultGui, Candidate };

struct ControlLayout {
  Control control;
  const char* name;  // the layout name, UTF-8
  ControlKind kind;
  int left, top, width, height;  // client-relative place, outer size
  const wchar_t* caption;
  ControlFont font;
};

constexpr const wchar_t* kMainWindowCaption = L"澜笺手写输入法 V3.0";
constexpr int kMainWindowWidth = 335;
constexpr int kMainWindowHeight = 447;

// Candidate font: character height 35 px, weight 400, GB2312 character set.
constexpr int kCandidateFontHeight = -35;
constexpr int kCandidateFontWeight = 400;
constexpr int kCandidateFontCharset = 134;

// 滑块条1
constexpr int kSliderMin = 50;
constexpr int kSliderMax = 250;
constexpr int kSliderStart = 50;
constexpr int kSliderLineSize = 1;
constexpr int kSliderPageSize = 5;

// 画板 background
constexpr unsigned kPadBackground = 0xFFFFFF;

extern const ControlLayout kMainWindowLayout[];
extern const std::size_t kMainWindowLayoutCount;
const ControlLayout& LayoutOf(Control control);

// AboutWindow
constexpr const wchar_t* kAboutWindowCaption = L"关于";
constexpr int kAboutWindowWidth = 432;
constexpr int kAboutWindowHeight = 161;
struct AboutControlLayout {
  const char* name;
  ControlKind kind;
  int left, top, width, height;
  const wchar_t* caption;
};
extern const AboutControlLayout kAboutLabel;   // 标签1
extern const AboutControlLayout kAboutClose;   // 按钮1 "关闭"

// Centred on a screen of the given size, with truncating division.
inline int CentredOrigin(int screenExtent, int windowExtent) {
  return (screenExtent - windowExtent) / 2;
}
