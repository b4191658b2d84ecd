// The hand-over between the main thread and real recognition workers, meant
// for ThreadSanitizer: the main thread keeps writing while workers run.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "app/pad_state.h"
#include "app/reset_pad.h"
#include "recognition/recognize_ink.h"
#include "shell/events.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_recognition.h"

using fake::platform;

namespace {

void Tick(int times) {
  for (int i = 0; i < times; ++i) OnTimerTick(Control::监视时钟);
}

void Stroke(int from, int samples) {
  OnPadLeftDown(from, from);
  for (int i = 0; i < samples; ++i) {
    platform.cursor = {platform.cursor.x + 1, platform.cursor.y + 2};
    OnTimerTick(Control::时钟1);
    OnPadMove(from + 2 * i, from + 2 * i);
  }
  OnPadLeftUp();
}

}  // namespace

TEST(RecognitionThreadsTest, WorkersReadTheirOwnInkAndOnlyTheLatestIsShown) {
  fake::Reset();
  ResetPad();
  fake::UseRealThreads();
  std::promise<void> firstMayAnswer;
  std::shared_future<void> gate = firstMayAnswer.get_future().share();

  Stroke(10, 3);
  // The first worker's request answers late. It is told apart by its body,
  // not by arrival: the second worker may reach the service first.
  const std::string firstBody = RecognitionRequestBody(padState.inkText);
  fake::SetService([gate, firstBody](const std::string& body) -> std::string {
    if (body == firstBody) {
      gate.wait();
      return "{cand:\\u4e00,count2}";
    }
    return "{cand:\\u4e8c\\u4e09,count2}";
  });
  Tick(19);  // worker 1 starts and waits for its reply
  for (int i = 0; i < 5; ++i) {
    Stroke(20 + i, 4);  // the main thread appends while worker 1 runs
    OnPadRightUp();
  }
  Stroke(40, 8);
  Tick(19);  // worker 2 supersedes worker 1
  ASSERT_TRUE(fake::WaitForPosted(1));
  firstMayAnswer.set_value();
  ASSERT_TRUE(fake::WaitForPosted(2));
  OnPadRightUp();
  EXPECT_EQ(fake::DeliverPosted(), 2u);
  fake::JoinWorkers();

  EXPECT_EQ(platform.captions[Control::按钮1], "\xB6\xFE");  // 二, not 一
  EXPECT_EQ(platform.captions[Control::按钮2], "\xC8\xFD");  // 三
  EXPECT_EQ(*padState.candidates, (CandidateList{"u4e8c", "u4e09"}));
  EXPECT_EQ(padState.recognitionWorker, 0u);
  EXPECT_EQ(fake::ReleasedWorkers(), fake::StartedWorkers());
}

TEST(RecognitionThreadsTest, ReleasingThePadStateWhileAWorkerWaitsIsSafe) {
  fake::Reset();
  ResetPad();
  fake::UseRealThreads();
  std::promise<void> mayAnswer;
  std::shared_future<void> gate = mayAnswer.get_future().share();
  fake::SetService([gate](const std::string&) -> std::string {
    gate.wait();
    return "{cand:\\u4e00,count2}";
  });
  Stroke(10, 3);
  Tick(19);
  ReleasePadState();  // the run ends while the reply is pending
  mayAnswer.set_value();
  ASSERT_TRUE(fake::WaitForPosted(1));
  fake::DeliverPosted();
  fake::JoinWorkers();
  EXPECT_EQ(platform.captions[Control::按钮1], "");
}
