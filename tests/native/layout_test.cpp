#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/controls.h"
#include "shell/layout.h"

namespace {

struct Expected {
  Control control;
  ControlKind kind;
  int left, top, width, height;
  const wchar_t* caption;
  ControlFont font;
};

using K = ControlKind;
using F = ControlFont;

// Places, sizes, captions and fonts as MainWindow must show them.
const Expected kExpected[] = {
    {Control::画板, K::Canvas, 5, 6, 243, 210, L"", F::None},
    {Control::按钮1, K::PushButton, 5, 225, 61, 58, L"", F::Candidate},
    {Control::按钮2, K::PushButton, 66, 225, 61, 58, L"", F::Candidate},
    {Control::按钮3, K::PushButton, 127, 225, 61, 58, L"", F::Candidate},
    {Control::按钮4, K::PushButton, 188, 225, 61, 58, L"", F::Candidate},
    {Control::按钮10, K::PushButton, 249, 225, 61, 58, L"", F::Candidate},
    {Control::按钮6, K::PushButton, 5, 283, 61, 58, L"", F::Candidate},
    {Control::按钮7, K::PushButton, 66, 283, 61, 58, L"", F::Candidate},
    {Control::按钮8, K::PushButton, 127, 283, 61, 58, L"", F::Candidate},
    {Control::按钮9, K::PushButton, 188, 283, 61, 58, L"", F::Candidate},
    {Control::按钮5, K::PushButton, 249, 283, 61, 58, L"", F::Candidate},
    {Control::按钮12, K::PushButton, 254, 4, 56, 32, L"回车", F::DefaultGui},
    {Control::按钮13, K::PushButton, 254, 39, 56, 32, L"删除", F::DefaultGui},
    {Control::按钮14, K::PushButton, 254, 72, 56, 32, L"空格", F::DefaultGui},
    {Control::按钮15, K::PushButton, 254, 104, 56, 32, L"，", F::DefaultGui},
    {Control::按钮16, K::PushButton, 254, 136, 56, 32, L"。", F::DefaultGui},
    {Control::按钮17, K::PushButton, 254, 168, 56, 32, L"重写", F::DefaultGui},
    {Control::滑块条1, K::Slider, -3, 348, 312, 40, L"", F::None},
    {Control::选择框1, K::CheckBox, 8, 384, 80, 24, L"点画", F::DefaultGui},
    {Control::按钮18, K::PushButton, 287, 389, 40, 24, L"关于", F::DefaultGui},
    {Control::重写按钮, K::PushButton, 345, 201, 37, 26, L"重写", F::DefaultGui},
    {Control::编辑框1, K::EditBox, 384, 32, 160, 56, L"", F::DefaultGui},
    {Control::按钮11, K::PushButton, 400, 112, 80, 32, L"按钮", F::DefaultGui},
    {Control::超文本浏览框1, K::WebBrowser, 512, 200, 100, 100, L"", F::None},
    {Control::时钟1, K::Timer, 0, 0, 0, 0, L"", F::None},
    {Control::监视时钟, K::Timer, 0, 0, 0, 0, L"", F::None},
    {Control::时钟2, K::Timer, 0, 0, 0, 0, L"", F::None},
};

}  // namespace

TEST(LayoutTest, EveryControlHasOneRowWithItsPlaceCaptionAndFont) {
  ASSERT_EQ(kMainWindowLayoutCount, static_cast<std::size_t>(kControlCount));
  std::set<Control> seen;
  for (std::size_t i = 0; i < kMainWindowLayoutCount; ++i) seen.insert(kMainWindowLayout[i].control);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kControlCount));
  for (const Expected& e : kExpected) {
    const ControlLayout& row = LayoutOf(e.control);
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.control, e.control);
    EXPECT_EQ(row.kind, e.kind);
    EXPECT_EQ(row.left, e.left);
    EXPECT_EQ(row.top, e.top);
    EXPECT_EQ(row.width, e.width);
    EXPECT_EQ(row.height, e.height);
    EXPECT_EQ(std::wstring(row.caption), std::wstring(e.caption));
    EXPECT_EQ(row.font, e.font);
  }
}

TEST(LayoutTest, CandidatesFillButtonsInNumberOrder) {
  const Control order[] = {Control::按钮1, Control::按钮2, Control::按钮3, Control::按钮4, Control::按钮5,
                           Control::按钮6, Control::按钮7, Control::按钮8, Control::按钮9, Control::按钮10};
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(CandidateButton(k), order[k - 1]);
    EXPECT_EQ(CandidateIndex(order[k - 1]), k);
  }
  EXPECT_EQ(CandidateIndex(Control::按钮11), 0);
  EXPECT_EQ(CandidateIndex(Control::画板), 0);
}

TEST(LayoutTest, WindowsAreCentredWithTruncatingDivision) {
  EXPECT_EQ(CentredOrigin(1280, kMainWindowWidth), 472);
  EXPECT_EQ(CentredOrigin(1024, kMainWindowHeight), 288);
  EXPECT_EQ(CentredOrigin(1366, kMainWindowWidth), 515);  // 515.5 truncates
  EXPECT_EQ(CentredOrigin(768, kAboutWindowHeight), 303);  // 303.5 truncates
}
