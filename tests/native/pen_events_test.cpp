#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pad_state.h"
#include "app/reset_pad.h"
#include "shell/events.h"
#include "shell/timers.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_recognition.h"

using fake::platform;

namespace {

// Screen position of the pointer that SamplePen turns into the sample (x, y):
// MainWindow's outer corner + 画板's place (5, 6) + 2.
void PointAtSample(int x, int y) { platform.cursor = {platform.mainWindow.left + 5 + 2 + x, platform.mainWindow.top + 6 + 2 + y}; }

void SampleAt(int x, int y) {
  PointAtSample(x, y);
  OnTimerTick(Control::时钟1);
}

enum class Pen { Idle, Writing, Pausing };

Pen PenState() {
  const bool sampling = TimerPeriod(Control::时钟1) == 1;
  const bool monitoring = TimerPeriod(Control::监视时钟) == 10;
  if (padState.penDown == 1 && sampling && !monitoring) return Pen::Writing;
  if (padState.penDown == 0 && !sampling && monitoring) return Pen::Pausing;
  if (padState.penDown == 0 && !sampling && !monitoring) return Pen::Idle;
  ADD_FAILURE() << "no pen state: penDown " << padState.penDown << ", 时钟1 " << TimerPeriod(Control::时钟1)
                << ", 监视时钟 " << TimerPeriod(Control::监视时钟);
  return Pen::Idle;
}

void Tick(int times) {
  for (int i = 0; i < times; ++i) OnTimerTick(Control::监视时钟);
}

class PenEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    ResetPad();
  }
};

}  // namespace

TEST_F(PenEventsTest, WorkedExampleBuildsTheInkTextStepByStep) {
  struct Step {
    const char* what;
    void (*act)();
    const char* ink;
  } steps[] = {
      {"pen down", [] { OnPadLeftDown(12, 30); }, ""},
      {"sample (12, 30)", [] { SampleAt(12, 30); }, "a12a30"},
      {"sample (12, 30) again", [] { SampleAt(12, 30); }, "a12a30"},
      {"sample (15, 34)", [] { SampleAt(15, 34); }, "a12a30a15a34"},
      {"sample (19, 40)", [] { SampleAt(19, 40); }, "a12a30a15a34a19a40"},
      {"pen lifts", [] { OnPadLeftUp(); }, "a12a30a15a34a19a40a"},
      {"pen down", [] { OnPadLeftDown(40, 10); }, "a12a30a15a34a19a40a"},
      {"sample (40, 10)", [] { SampleAt(40, 10); }, "a12a30a15a34a19a40aa40a10"},
      {"sample (40, 25)", [] { SampleAt(40, 25); }, "a12a30a15a34a19a40aa40a10a40a25"},
      {"pen lifts", [] { OnPadLeftUp(); }, "a12a30a15a34a19a40aa40a10a40a25a"},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(padState.inkText, step.ink) << step.what;
  }
}

// Every row of the pen's transition tables, in both modes.
TEST_F(PenEventsTest, TransitionTables) {
  enum class From { Idle, IdleAfterRecognition, Writing, Pausing };
  enum class Event { Press, Release, Move, SampleTick, RightUp };
  struct Row {
    bool dotDraw;
    From from;
    Event event;
    Pen to;
    const char* inkAfter;  // the ink before the event is "a1a1a"
    int idleTicks;
    int linesDrawn;
    int recognitions;
  };
  const std::vector<Row> rows = {
      // normal mode
      {false, From::Idle, Event::Press, Pen::Writing, "a1a1a", 0, 0, 0},
      {false, From::Pausing, Event::Press, Pen::Writing, "a1a1a", 0, 0, 0},
      {false, From::Writing, Event::Press, Pen::Writing, "a1a1a", 0, 0, 0},  // no terminator
      {false, From::Writing, Event::Release, Pen::Pausing, "a1a1aa", 1, 0, 0},
      {false, From::Idle, Event::Release, Pen::Pausing, "a1a1aa", 1, 0, 0},
      {false, From::Pausing, Event::Release, Pen::Pausing, "a1a1aa", 2, 0, 0},
      {false, From::IdleAfterRecognition, Event::Release, Pen::Idle, "a1a1aa", 21, 0, 1},
      {false, From::Writing, Event::Move, Pen::Writing, "a1a1a", 0, 1, 0},
      {false, From::Writing, Event::SampleTick, Pen::Writing, "a1a1aa7a8", 0, 0, 0},
      {false, From::Idle, Event::Move, Pen::Idle, "a1a1a", 0, 0, 0},
      {false, From::Pausing, Event::Move, Pen::Pausing, "a1a1a", 1, 0, 0},
      {false, From::Idle, Event::SampleTick, Pen::Idle, "a1a1a", 0, 0, 0},
      {false, From::Pausing, Event::SampleTick, Pen::Pausing, "a1a1a", 1, 0, 0},
      {false, From::Idle, Event::RightUp, Pen::Idle, "", 0, 0, 0},
      {false, From::Writing, Event::RightUp, Pen::Writing, "", 0, 0, 0},
      {false, From::Pausing, Event::RightUp, Pen::Pausing, "", 1, 0, 0},
      // dot-draw mode
      {true, From::Idle, Event::Press, Pen::Writing, "a1a1a", 0, 0, 0},
      {true, From::Pausing, Event::Press, Pen::Writing, "a1a1a", 0, 0, 0},
      {true, From::Writing, Event::Press, Pen::Pausing, "a1a1aa", 1, 0, 0},
      {true, From::Idle, Event::Release, Pen::Idle, "a1a1a", 0, 0, 0},
      {true, From::Writing, Event::Release, Pen::Writing, "a1a1a", 0, 0, 0},
      {true, From::Pausing, Event::Release, Pen::Pausing, "a1a1a", 1, 0, 0},
      {true, From::Writing, Event::Move, Pen::Writing, "a1a1a", 0, 1, 0},  // moving alone draws
      {true, From::Writing, Event::SampleTick, Pen::Writing, "a1a1aa7a8", 0, 0, 0},
      {true, From::Writing, Event::RightUp, Pen::Writing, "", 0, 0, 0},
  };
  int index = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << index++);
    fake::Reset();
    ResetPad();
    // Reach the starting state in normal mode.
    switch (row.from) {
      case From::Idle:
        break;
      case From::IdleAfterRecognition:
        OnPadLeftDown(1, 1);
        OnPadLeftUp();
        Tick(19);
        break;
      case From::Writing:
        OnPadLeftDown(1, 1);
        break;
      case From::Pausing:
        OnPadLeftDown(1, 1);
        OnPadLeftUp();
        break;
    }
    padState.inkText = "a1a1a";
    const std::size_t workersBefore = fake::StartedWorkers().size();
    platform.lines.clear();
    platform.clears.clear();
    platform.ticked[Control::选择框1] = row.dotDraw;
    switch (row.event) {
      case Event::Press: OnPadLeftDown(30, 40); break;
      case Event::Release: OnPadLeftUp(); break;
      case Event::Move: OnPadMove(padState.lastDrawnX + 3, padState.lastDrawnY); break;
      case Event::SampleTick: SampleAt(7, 8); break;
      case Event::RightUp: OnPadRightUp(); break;
    }
    EXPECT_EQ(PenState(), row.to);
    EXPECT_EQ(padState.inkText, row.inkAfter);
    EXPECT_EQ(padState.idleTicks, row.idleTicks);
    EXPECT_EQ(static_cast<int>(platform.lines.size()), row.linesDrawn);
    EXPECT_EQ(static_cast<int>(fake::StartedWorkers().size() - workersBefore), row.recognitions);
    EXPECT_EQ(platform.clears.size(), row.event == Event::RightUp ? 1u : 0u);
    if (row.event == Event::Press && row.to == Pen::Writing) {
      EXPECT_EQ(padState.lastDrawnX, 30);
      EXPECT_EQ(padState.lastDrawnY, 40);
    }
  }
}

TEST_F(PenEventsTest, DrawingNeedsTwoPixelsAlongOneAxisAndSmallMovesAddUp) {
  OnPadLeftDown(50, 50);
  struct Move {
    int x, y;
    bool draws;
  } moves[] = {
      {51, 51, false},  // one pixel diagonally
      {51, 50, false},
      {51, 51, false},
      {52, 51, true},   // two pixels from (50, 50) along x
      {52, 53, true},   // two along y
      {53, 52, false},
      {40, 60, true},
  };
  fake::Line last{50, 50, 50, 50, 3, 10};
  for (const Move& m : moves) {
    const std::size_t before = platform.lines.size();
    OnPadMove(m.x, m.y);
    ASSERT_EQ(platform.lines.size(), before + (m.draws ? 1 : 0)) << m.x << "," << m.y;
    if (m.draws) {
      EXPECT_EQ(platform.lines.back(), (fake::Line{last.toX, last.toY, m.x, m.y, 3, 10}));
      last = platform.lines.back();
    }
  }
}

TEST_F(PenEventsTest, SamplesFollowThePointerAndTheWindow) {
  // At the start of the run the last sample is (0, 0).
  OnPadLeftDown(0, 0);
  SampleAt(0, 0);
  EXPECT_EQ(padState.inkText, "");
  // Outside the pad the pen still samples; nothing is drawn there.
  SampleAt(-3, 15);
  SampleAt(300, -7);
  EXPECT_EQ(padState.inkText, "a-3a15a300a-7");
  // The window's place is read on every tick.
  platform.mainWindow.left += 100;
  platform.mainWindow.top -= 50;
  platform.cursor = {platform.cursor.x + 100, platform.cursor.y - 50};
  OnTimerTick(Control::时钟1);
  EXPECT_EQ(padState.inkText, "a-3a15a300a-7");
  OnPadLeftUp();
  // A new stroke whose first sample repeats the last one skips it.
  OnPadLeftDown(9, 9);
  SampleAt(300, -7);
  SampleAt(301, -7);
  OnPadLeftUp();
  EXPECT_EQ(padState.inkText, "a-3a15a300a-7aa301a-7a");
  EXPECT_TRUE(platform.lines.empty());
}

TEST_F(PenEventsTest, ResetDuringAStrokeKeepsThePenDown) {
  OnPadLeftDown(5, 5);
  SampleAt(5, 5);
  OnPadRightUp();
  EXPECT_EQ(padState.penDown, 1);
  SampleAt(6, 7);
  OnPadLeftUp();
  EXPECT_EQ(padState.inkText, "a6a7a");
}

TEST_F(PenEventsTest, DotDrawMakesTheSameStrokeWithTwoClicks) {
  auto stroke = [](bool dotDraw) {
    fake::Reset();
    ResetPad();
    platform.ticked[Control::选择框1] = dotDraw;
    OnPadLeftDown(10, 10);
    if (dotDraw) OnPadLeftUp();  // releasing in between changes nothing
    SampleAt(10, 10);
    OnPadMove(20, 12);
    SampleAt(20, 12);
    OnPadMove(30, 30);
    SampleAt(30, 30);
    if (dotDraw)
      OnPadLeftDown(30, 30);
    else
      OnPadLeftUp();
    return std::make_pair(padState.inkText, platform.lines);
  };
  const auto normal = stroke(false);
  const auto dotted = stroke(true);
  EXPECT_EQ(normal.first, "a10a10a20a12a30a30a");
  EXPECT_EQ(dotted, normal);
  EXPECT_EQ(padState.penDown, 0);
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 10);
}

TEST_F(PenEventsTest, DragOutOfThePadLeavesTheStrokeOpen) {
  OnPadLeftDown(100, 100);
  SampleAt(100, 100);
  // The release happens outside the pad: the pad never hears of it.
  SampleAt(260, 100);
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 0);  // no recognition while the pen is down
  EXPECT_EQ(TimerPeriod(Control::时钟1), 1);
  EXPECT_EQ(padState.inkText, "a100a100a260a100");
  OnPadLeftDown(50, 50);  // the next press goes on with the same stroke
  SampleAt(50, 50);
  OnPadLeftUp();
  EXPECT_EQ(padState.inkText, "a100a100a260a100a50a50a");
}
