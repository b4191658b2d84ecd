#include <gtest/gtest.h>

#include "app/ink_text.h"
#include "app/pad_state.h"
#include "app/reset_pad.h"
#include "shell/canvas.h"
#include "shell/timers.h"
#include "tests/fakes/fake_platform.h"

using fake::platform;

class PadStateTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};

TEST_F(PadStateTest, StartsWithEveryFieldAtItsInitialValue) {
  EXPECT_EQ(padState.inkText, "");
  EXPECT_EQ(padState.penDown, 0);
  EXPECT_EQ(padState.idleTicks, 0);
  EXPECT_EQ(padState.recognitionWorker, 0u);
  EXPECT_EQ(padState.mouseHook, 0u);
  EXPECT_EQ(padState.lastSampleX, 0);
  EXPECT_EQ(padState.lastSampleY, 0);
  ASSERT_NE(padState.candidates, nullptr);
  EXPECT_TRUE(padState.candidates->empty());
}

TEST_F(PadStateTest, ReleaseFreesEverythingAndMayRunTwice) {
  padState.inkText = "a1a2a";
  padState.candidates->assign({"u4e00", "", "u4e8c"});
  ReleasePadState();
  EXPECT_EQ(padState.inkText, "");
  EXPECT_EQ(padState.candidates, nullptr);
  ReleasePadState();
}

TEST_F(PadStateTest, ResetPadEmptiesInkClearsWholePadAndSetsWritingPen) {
  padState.inkText = "a12a30a";
  SetPadPenWidth(7);
  SetPadPenColour(0x123456);
  ResetPad();
  EXPECT_EQ(padState.inkText, "");
  ASSERT_EQ(platform.clears.size(), 1u);
  EXPECT_EQ(platform.clears[0], (fake::Clear{0, 0, 243, 210}));
  EXPECT_EQ(PadPenWidth(), 3);
  EXPECT_EQ(PadPenColour(), 10u);
}

TEST_F(PadStateTest, ResetPadLeavesPenStateTimersAndCandidatesAlone) {
  padState.penDown = 1;
  padState.idleTicks = 7;
  padState.lastDrawnX = 4;
  padState.lastDrawnY = 5;
  padState.lastSampleX = 8;
  padState.lastSampleY = 9;
  padState.candidates->assign({"u4e00"});
  SetTimerPeriod(Control::监视时钟, 10);
  platform.timerCalls.clear();
  ResetPad();
  ResetPad();  // twice leaves the same state as once
  EXPECT_EQ(padState.penDown, 1);
  EXPECT_EQ(padState.idleTicks, 7);
  EXPECT_EQ(padState.lastDrawnX, 4);
  EXPECT_EQ(padState.lastDrawnY, 5);
  EXPECT_EQ(padState.lastSampleX, 8);
  EXPECT_EQ(padState.lastSampleY, 9);
  EXPECT_EQ(*padState.candidates, CandidateList{"u4e00"});
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 10);
  EXPECT_TRUE(platform.timerCalls.empty());
  EXPECT_EQ(padState.inkText, "");
}

TEST_F(PadStateTest, InkSamplesAndTerminatorsFollowTheGrammar) {
  std::string ink;
  AppendInkSample(ink, 12, 30);
  AppendInkSample(ink, -3, 15);
  AppendStrokeTerminator(ink);
  AppendStrokeTerminator(ink);
  EXPECT_EQ(ink, "a12a30a-3a15aa");
}

TEST(TimerPeriodTest, OnlyChangesReachThePlatform) {
  fake::Reset();
  struct Step {
    int write;
    std::vector<fake::TimerCall> calls;  // what reached the platform
  } steps[] = {
      {0, {}},                            // already stopped
      {10, {{Control::监视时钟, 10}}},     // start
      {10, {}},                           // same period: no restart
      {1, {{Control::监视时钟, 1}}},       // new period restarts
      {0, {{Control::监视时钟, 0}}},       // stop
      {0, {}},
  };
  for (const Step& step : steps) {
    platform.timerCalls.clear();
    SetTimerPeriod(Control::监视时钟, step.write);
    EXPECT_EQ(platform.timerCalls, step.calls) << "writing " << step.write;
    EXPECT_EQ(TimerPeriod(Control::监视时钟), step.write);
  }
}
