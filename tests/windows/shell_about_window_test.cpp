// AboutWindow's states against real windows: open, brought forward, closing
// (destroyed only by the message loop), replaced while closing, closed by its
// close box.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/about_window_win32.h"
#include "shell/layout.h"
#include "shell/program_windows_win32.h"

namespace {

// Delivers what is queued, as the message loop would between two events. The
// quit request posted when the last program window goes is dropped here.
void DeliverQueuedMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void CloseAnyAboutWindow() {
  if (HWND about = AboutWindowHandle()) DestroyWindow(about);
  DeliverQueuedMessages();
}

HWND CloseButtonOf(HWND about) {
  for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[16] = {};
    GetWindowTextW(child, text, 16);
    if (lstrcmpW(text, kAboutClose.caption) == 0) return child;
  }
  return nullptr;
}

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { CloseAnyAboutWindow(); }
  void TearDown() override { CloseAnyAboutWindow(); }
};

TEST_F(AboutWindowTest, OpensOnceCentredWithItsControlsAndCountsAsAProgramWindow) {
  OpenAboutWindow();
  HWND about = AboutWindowHandle();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(IsWindowVisible(about));
  EXPECT_TRUE(IsProgramWindow(about));
  EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
  RECT r;
  GetWindowRect(about, &r);
  EXPECT_EQ(r.left, CentredOrigin(GetSystemMetrics(SM_CXSCREEN), kAboutWindowWidth));
  EXPECT_EQ(r.top, CentredOrigin(GetSystemMetrics(SM_CYSCREEN), kAboutWindowHeight));
  EXPECT_EQ(r.right - r.left, kAboutWindowWidth);
  EXPECT_EQ(r.bottom - r.top, kAboutWindowHeight);
  HWND close = CloseButtonOf(about);
  ASSERT_NE(close, nullptr);
  GetWindowRect(close, &r);
  MapWindowPoints(HWND_DESKTOP, about, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, kAboutClose.left);
  EXPECT_EQ(r.top, kAboutClose.top);

  OpenAboutWindow();  // while open: the same window, brought forward
  EXPECT_EQ(AboutWindowHandle(), about);
  EXPECT_EQ(GetActiveWindow(), about);
  EXPECT_FALSE(IsAboutWindowClosing());
}

TEST_F(AboutWindowTest, APressRestoresAMinimizedWindow) {
  OpenAboutWindow();
  HWND about = AboutWindowHandle();
  ShowWindow(about, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(about));
  OpenAboutWindow();
  EXPECT_EQ(AboutWindowHandle(), about);
  EXPECT_FALSE(IsIconic(about));
  EXPECT_TRUE(IsWindowVisible(about));
}

TEST_F(AboutWindowTest, CloseIsCarriedOutByTheMessageLoopAfterTheClickHandler) {
  OpenAboutWindow();
  HWND about = AboutWindowHandle();
  SendMessageW(CloseButtonOf(about), BM_CLICK, 0, 0);  // "关闭"
  EXPECT_TRUE(IsAboutWindowClosing());
  EXPECT_TRUE(IsWindow(about)) << "destroyed inside the click handler";
  DeliverQueuedMessages();
  EXPECT_FALSE(IsWindow(about));
  EXPECT_EQ(AboutWindowHandle(), nullptr);
  EXPECT_FALSE(IsAboutWindowClosing());
  EXPECT_FALSE(IsProgramWindow(about));
}

TEST_F(AboutWindowTest, OpenWhileClosingReplacesTheWindowAndTheStaleCloseRequestIsHarmless) {
  OpenAboutWindow();
  HWND closingWindow = AboutWindowHandle();
  CloseAboutWindow();
  CloseAboutWindow();  // a second request before the first is delivered changes nothing
  OpenAboutWindow();
  HWND replacement = AboutWindowHandle();
  EXPECT_FALSE(IsWindow(closingWindow));
  ASSERT_NE(replacement, nullptr);
  EXPECT_NE(replacement, closingWindow);
  EXPECT_FALSE(IsAboutWindowClosing());
  DeliverQueuedMessages();
  EXPECT_TRUE(IsWindow(replacement));
  EXPECT_EQ(AboutWindowHandle(), replacement);
}

TEST_F(AboutWindowTest, TheCloseBoxClosesAtOnceAndTheNextPressOpensANewWindow) {
  OpenAboutWindow();
  HWND first = AboutWindowHandle();
  SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
  DeliverQueuedMessages();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(AboutWindowHandle(), nullptr);
  CloseAboutWindow();  // nothing to close: no effect
  OpenAboutWindow();
  EXPECT_NE(AboutWindowHandle(), nullptr);
  EXPECT_TRUE(IsWindow(AboutWindowHandle()));
}

}  // namespace
