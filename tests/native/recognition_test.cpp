#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/pad_state.h"
#include "app/reset_pad.h"
#include "recognition/recognize_ink.h"
#include "shell/events.h"
#include "shell/timers.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_recognition.h"

using fake::platform;

namespace {

const std::string k一 = "\xD2\xBB";  // GBK bytes
const std::string k二 = "\xB6\xFE";

void Tick(int times) {
  for (int i = 0; i < times; ++i) OnTimerTick(Control::监视时钟);
}

// A stroke with one sample, then the pen lifts.
void Stroke(int x, int y) {
  OnPadLeftDown(x, y);
  platform.cursor = {platform.mainWindow.left + 7 + x, platform.mainWindow.top + 8 + y};
  OnTimerTick(Control::时钟1);
  OnPadLeftUp();
}

std::map<int, std::string> Captions() {
  std::map<int, std::string> shown;
  for (int k = 1; k <= 10; ++k) shown[k] = platform.captions[CandidateButton(k)];
  return shown;
}

void ShowCaptions(const std::vector<std::string>& captions) {
  for (int k = 1; k <= 10; ++k) platform.captions[CandidateButton(k)] = captions[k - 1];
}

class RecognitionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    ResetPad();
  }
};

}  // namespace

TEST_F(RecognitionTest, MonitorReachesTwentyOnTheNineteenthTickAndStartsOneRecognition) {
  Stroke(3, 4);
  EXPECT_EQ(padState.idleTicks, 1);  // the pen-up counts
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 10);
  for (int tick = 1; tick <= 18; ++tick) {
    OnTimerTick(Control::监视时钟);
    ASSERT_TRUE(fake::StartedWorkers().empty()) << "tick " << tick;
  }
  platform.timerCalls.clear();
  OnTimerTick(Control::监视时钟);
  EXPECT_EQ(fake::StartedWorkers().size(), 1u);
  EXPECT_EQ(padState.idleTicks, 20);
  EXPECT_EQ(padState.recognitionWorker, fake::StartedWorkers()[0]);
  EXPECT_EQ(platform.timerCalls, (std::vector<fake::TimerCall>{{Control::监视时钟, 0}}));
  fake::RunWorkers();
  EXPECT_EQ(fake::Requests(), std::vector<std::string>{"type=1&wd=3a4"});
}

TEST_F(RecognitionTest, ReleaseWithoutPressRightAfterARecognitionStartsTheNextAtOnce) {
  Stroke(3, 4);
  Tick(19);
  ASSERT_EQ(fake::StartedWorkers().size(), 1u);
  OnPadLeftUp();  // the press happened elsewhere
  EXPECT_EQ(fake::StartedWorkers().size(), 2u);
  EXPECT_EQ(padState.idleTicks, 21);
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 0);
  // The older worker's handle was given back, the newer one is held.
  EXPECT_EQ(fake::ReleasedWorkers(), std::vector<std::uintptr_t>{fake::StartedWorkers()[0]});
  EXPECT_EQ(padState.recognitionWorker, fake::StartedWorkers()[1]);
  fake::RunWorkers();
  EXPECT_EQ(fake::Requests(), (std::vector<std::string>{"type=1&wd=3a4", "type=1&wd=3a4a"}));
}

TEST_F(RecognitionTest, PausesDecideHowManyRecognitionsRunAndTheInkIsKept) {
  Stroke(3, 4);
  Tick(17);  // a short pause: called off by the next pen-down
  Stroke(5, 6);
  Tick(19);
  Stroke(7, 8);  // after a recognition, the ink text goes on
  Tick(19);
  fake::RunWorkers();
  EXPECT_EQ(fake::Requests(), (std::vector<std::string>{"type=1&wd=3a4aa5a6", "type=1&wd=3a4aa5a6aa7a8"}));
}

TEST_F(RecognitionTest, RequestBodyDropsTheFirstAndLastCharacter) {
  const std::map<std::string, std::string> cases = {
      {"", "type=1&wd="},
      {"a", "type=1&wd="},
      {"aa", "type=1&wd="},
      {"aaa", "type=1&wd=a"},
      {"a12a30a15a34a19a40aa40a10a40a25a", "type=1&wd=12a30a15a34a19a40aa40a10a40a25"},
  };
  for (const auto& [ink, body] : cases) EXPECT_EQ(RecognitionRequestBody(ink), body) << ink;
}

TEST_F(RecognitionTest, ReplyBecomesCandidatesAndCaptions) {
  const std::vector<std::string> earlier = {"e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"};
  auto framed = [](const std::string& inner) { return "{cand:\\" + inner + ",count2}"; };
  struct Case {
    const char* what;
    std::string reply;
    CandidateList pieces;
    std::vector<std::string> captions;  // 按钮1 ... 按钮10 afterwards
  };
  const std::vector<Case> cases = {
      {"26-byte example", "{cand:\\u4e00\\u4e8c,count2}", {"u4e00", "u4e8c"},
       {k一, k二, "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"failed request", "", {}, earlier},
      {"14 bytes from { to }", "{1234561234567}", {}, earlier},
      {"15 bytes from { to }", "{123456A1234567}", {"A"},
       {"A", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"several brace pairs", framed("u4e8c") + "{cand:\\u4e00,count2}", {"u4e8c"},
       {k二, "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"separator as a second byte", framed("\xD2\\\\u4e00"), {"\xD2\\", "u4e00"},
       {"\xD2\\", k一, "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"zero byte", std::string("{cand:\\u4e00\\u4e8c,count2\0}", 27), {}, earlier},
      {"empty pieces", framed("\\u4e00\\\\u4e8c"), {"", "u4e00", "", "u4e8c"},
       {"", k一, "", k二, "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"several characters", framed("u4e00xyz"), {"u4e00xyz"},
       {k一 + "xyz", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"broken escape", framed("u4e'\\u4e8c"), {"u4e'", "u4e8c"},
       {"", k二, "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"}},
      {"twelve pieces", framed("u0031\\u0032\\u0033\\u0034\\u0035\\u0036\\u0037\\u0038\\u0039\\x41\\x42\\x43"),
       {"u0031", "u0032", "u0033", "u0034", "u0035", "u0036", "u0037", "u0038", "u0039", "x41", "x42", "x43"},
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Reset();
    ShowCaptions(earlier);
    padState.candidates->assign({"old"});
    fake::SetService([&c](const std::string&) { return c.reply; });
    Stroke(1, 2);
    Tick(19);
    fake::RunWorkers();
    EXPECT_EQ(platform.captions[Control::按钮1], "e1");  // nothing changes before the main thread hears of it
    EXPECT_EQ(*padState.candidates, CandidateList{"old"});
    EXPECT_EQ(fake::DeliverPosted(), 1u);
    EXPECT_EQ(*padState.candidates, c.pieces);
    std::map<int, std::string> expected;
    for (int k = 1; k <= 10; ++k) expected[k] = c.captions[k - 1];
    EXPECT_EQ(Captions(), expected);
    EXPECT_EQ(padState.recognitionWorker, 0u);  // a delivered worker's handle is given back
  }
}

TEST_F(RecognitionTest, ASupersededWorkerIsNeverHeard) {
  fake::SetService([](const std::string& body) {
    return body == "type=1&wd=1a2" ? "{cand:\\u4e00,count2}" : "{cand:\\u4e8c,count2}";
  });
  Stroke(1, 2);
  Tick(19);  // the first recognition is still waiting for its reply ...
  Stroke(3, 4);
  Tick(19);  // ... when the second one starts
  fake::RunWorkers();
  EXPECT_EQ(fake::DeliverPosted(), 2u);
  EXPECT_EQ(platform.captions[Control::按钮1], k二);
  EXPECT_EQ(*padState.candidates, CandidateList{"u4e8c"});
  // The superseded handle went back at the second start, the second one on delivery.
  EXPECT_EQ(fake::ReleasedWorkers(), fake::StartedWorkers());
  EXPECT_EQ(padState.recognitionWorker, 0u);

  // Delivered in the other order, the late first result is still ignored.
  fake::Reset();
  fake::SetService([](const std::string& body) {
    return body == "type=1&wd=1a2" ? "{cand:\\u4e00,count2}" : "{cand:\\u4e8c,count2}";
  });
  Stroke(1, 2);
  Tick(19);
  Stroke(3, 4);
  Tick(19);
  fake::RunWorkers();
  fake::DeliverPosted();
  EXPECT_EQ(platform.captions[Control::按钮1], k二);
}

TEST_F(RecognitionTest, TheWorkerSendsTheInkOfTheMomentItStarted) {
  Stroke(1, 2);
  Tick(19);
  Stroke(3, 4);   // more ink before the worker gets to run
  OnPadRightUp();  // and a reset
  fake::RunWorkers();
  EXPECT_EQ(fake::Requests(), std::vector<std::string>{"type=1&wd=1a2"});
}

TEST_F(RecognitionTest, AResetWhileCountingSendsTheEmptiedInk) {
  Stroke(1, 2);
  Tick(5);
  OnPadRightUp();
  Tick(14);
  fake::RunWorkers();
  EXPECT_EQ(fake::Requests(), std::vector<std::string>{"type=1&wd="});
}

TEST_F(RecognitionTest, AFailedThreadStartShowsNothingAndTheNextPauseTriesAgain) {
  fake::SetService([](const std::string&) { return "{cand:\\u4e00,count2}"; });
  fake::FailWorkerStarts(true);
  Stroke(1, 2);
  Tick(19);
  EXPECT_EQ(padState.recognitionWorker, 0u);
  EXPECT_EQ(TimerPeriod(Control::监视时钟), 0);
  fake::FailWorkerStarts(false);
  Stroke(3, 4);
  Tick(19);
  fake::RunWorkers();
  fake::DeliverPosted();
  EXPECT_EQ(platform.captions[Control::按钮1], k一);
  EXPECT_EQ(fake::Requests(), std::vector<std::string>{"type=1&wd=1a2aa3a4"});
}

TEST_F(RecognitionTest, NothingIsAppliedAfterThePadStateIsReleased) {
  fake::SetService([](const std::string&) { return "{cand:\\u4e00,count2}"; });
  Stroke(1, 2);
  Tick(19);
  fake::RunWorkers();
  ReleasePadState();
  fake::DeliverPosted();
  EXPECT_EQ(platform.captions[Control::按钮1], "");
  EXPECT_EQ(padState.candidates, nullptr);
}
