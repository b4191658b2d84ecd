#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pad_state.h"
#include "recognition/commit.h"
#include "shell/events.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_recognition.h"

using fake::KeyEvent;
using fake::platform;

namespace {
const std::vector<KeyEvent> kCtrlV = {{17, false}, {86, false}, {17, true}, {86, true}};

class CommitTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};
}  // namespace

TEST_F(CommitTest, ACandidateClickResetsThePadAndPastesItsCaption) {
  for (int k = 1; k <= 10; ++k) {
    SCOPED_TRACE(k);
    fake::Reset();
    std::string caption = "\xD2\xBB";
    caption.append(std::to_string(k));
    platform.captions[CandidateButton(k)] = caption;
    padState.inkText = "a1a2a";
    OnClick(CandidateButton(k));
    EXPECT_EQ(padState.inkText, "");
    EXPECT_EQ(platform.clears.size(), 1u);
    EXPECT_EQ(fake::ClipboardWrites(), std::vector<std::string>{caption});
    EXPECT_EQ(fake::KeyEvents(), kCtrlV);
    EXPECT_EQ(platform.captions[CandidateButton(k)], caption);  // the captions stay
  }
}

TEST_F(CommitTest, AnEmptyCaptionOrAFailedClipboardStillSendsCtrlV) {
  OnClick(Control::按钮5);
  EXPECT_EQ(fake::ClipboardWrites(), std::vector<std::string>{""});
  EXPECT_EQ(fake::KeyEvents(), kCtrlV);

  fake::Reset();
  fake::FailClipboard(true);
  platform.captions[Control::按钮1] = std::string(1, 'x');
  OnClick(Control::按钮1);
  EXPECT_TRUE(fake::ClipboardWrites().empty());
  EXPECT_EQ(fake::KeyEvents(), kCtrlV);
}

TEST_F(CommitTest, QuickKeysSendTheirKeyAndLeaveTheClipboardAlone) {
  struct Case {
    Control button;
    std::vector<KeyEvent> keys;
    bool resets;
  } cases[] = {
      {Control::按钮12, {{13, false}, {13, true}}, false},
      {Control::按钮13, {{8, false}, {8, true}}, false},
      {Control::按钮14, {{32, false}, {32, true}}, false},
      {Control::按钮15, {{188, false}, {188, true}}, false},
      {Control::按钮16, {{190, false}, {190, true}}, false},
      {Control::按钮17, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.button));
    fake::Reset();
    padState.inkText = "a1a2a";
    OnClick(c.button);
    EXPECT_EQ(fake::KeyEvents(), c.keys);
    EXPECT_TRUE(fake::ClipboardWrites().empty());
    EXPECT_EQ(padState.inkText, c.resets ? "" : "a1a2a");
    EXPECT_EQ(platform.clears.size(), c.resets ? 1u : 0u);
  }
}
