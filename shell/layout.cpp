#include "shell/layout.h"

using K = ControlKind;
using F = ControlFont;

// The candidate buttons are not in number order on screen: the fifth
// candidate sits at the right end of the bottom row, the tenth at the right
// end of the top row. The last four visible controls lie beyond the window's
// right edge and show only when the window is widened.
const ControlLayout kMainWindowLayout[] = {
    {Control::画板, "画板", K::Canvas, 5, 6, 243, 210, L"", F::None},
    {Control::按钮1, "按钮1", K::PushButton, 5, 225, 61, 58, L"", F::Candidate},
    {Control::按钮2, "按钮2", K::PushButton, 66, 225, 61, 58, L"", F::Candidate},
    {Control::按钮3, "按钮3", K::PushButton, 127, 225, 61, 58, L"", F::Candidate},
    {Control::按钮4, "按钮4", K::PushButton, 188, 225, 61, 58, L"", F::Candidate},
    {Control::按钮10, "按钮10", K::PushButton, 249, 225, 61, 58, L"", F::Candidate},
    {Control::按钮6, "按钮6", K::PushButton, 5, 283, 61, 58, L"", F::Candidate},
    {Control::按钮7, "按钮7", K::PushButton, 66, 283, 61, 58, L"", F::Candidate},
    {Control::按钮8, "按钮8", K::PushButton, 127, 283, 61, 58, L"", F::Candidate},
    {Control::按钮9, "按钮9", K::PushButton, 188, 283, 61, 58, L"", F::Candidate},
    {Control::按钮5, "按钮5", K::PushButton, 249, 283, 61, 58, L"", F::Candidate},
    {Control::按钮12, "按钮12", K::PushButton, 254, 4, 56, 32, L"回车", F::DefaultGui},
    {Control::按钮13, "按钮13", K::PushButton, 254, 39, 56, 32, L"删除", F::DefaultGui},
    {Control::按钮14, "按钮14", K::PushButton, 254, 72, 56, 32, L"空格", F::DefaultGui},
    {Control::按钮15, "按钮15", K::PushButton, 254, 104, 56, 32, L"，", F::DefaultGui},
    {Control::按钮16, "按钮16", K::PushButton, 254, 136, 56, 32, L"。", F::DefaultGui},
    {Control::按钮17, "按钮17", K::PushButton, 254, 168, 56, 32, L"重写", F::DefaultGui},
    {Control::滑块条1, "滑块条1", K::Slider, -3, 348, 312, 40, L"", F::None},
    {Control::选择框1, "选择框1", K::CheckBox, 8, 384, 80, 24, L"点画", F::DefaultGui},
    {Control::按钮18, "按钮18", K::PushButton, 287, 389, 40, 24, L"关于", F::DefaultGui},
    {Control::重写按钮, "重写按钮", K::PushButton, 345, 201, 37, 26, L"重写", F::DefaultGui},
    {Control::编辑框1, "编辑框1", K::EditBox, 384, 32, 160, 56, L"", F::DefaultGui},
    {Control::按钮11, "按钮11", K::PushButton, 400, 112, 80, 32, L"按钮", F::DefaultGui},
    {Control::超文本浏览框1, "超文本浏览框1", K::WebBrowser, 512, 200, 100, 100, L"", F::None},
    {Control::时钟1, "时钟1", K::Timer, 0, 0, 0, 0, L"", F::None},
    {Control::监视时钟, "监视时钟", K::Timer, 0, 0, 0, 0, L"", F::None},
    {Control::时钟2, "时钟2", K::Timer, 0, 0, 0, 0, L"", F::None},
};
const std::size_t kMainWindowLayoutCount = sizeof kMainWindowLayout / sizeof kMainWindowLayout[0];

const ControlLayout& LayoutOf(Control control) {
  for (const ControlLayout& layout : kMainWindowLayout)
    if (layout.control == control) return layout;
  return kMainWindowLayout[0];  // every Control has a row; see the layout test
}

const AboutControlLayout kAboutLabel = {
    "标签1", K::Label, 24, 24, 400, 40,
    L"澜笺手写输入法 V3.0 · 问题与建议请写信给我们：lanjian@example.com"};
const AboutControlLayout kAboutClose = {"按钮1", K::PushButton, 168, 88, 80, 32, L"关闭"};
