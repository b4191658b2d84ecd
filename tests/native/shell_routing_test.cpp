#include <gtest/gtest.h>

#include "shell/events.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_shell_windows.h"

using fake::platform;

// The shell's own events reach their handlers, and only theirs.
TEST(ShellRoutingTest, AboutBackspaceAndDockingEventsReachTheirHandlers) {
  fake::Reset();
  fake::shellWindowCalls = {};
  OnClick(Control::按钮18);
  EXPECT_EQ(fake::shellWindowCalls.openAbout, 1);
  EXPECT_EQ(fake::shellWindowCalls.editBoxBackspace, 0);
  OnClick(Control::按钮11);
  EXPECT_EQ(fake::shellWindowCalls.openAbout, 1);
  EXPECT_EQ(fake::shellWindowCalls.editBoxBackspace, 1);
  EXPECT_EQ(fake::shellWindowCalls.closeAbout, 0);

  // A tick of 时钟2 docks MainWindow when it touches an edge and the pointer is away.
  platform.mainWindow = {0, 100, 335, 447};
  platform.cursor = {900, 900};
  OnTimerTick(Control::时钟2);
  ASSERT_EQ(platform.moves.size(), 1u);
  EXPECT_EQ(platform.moves[0].left, 2 - 335);
  EXPECT_EQ(platform.moves[0].top, 100);
}
