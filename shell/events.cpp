#include "shell/events.h"

#include "app/reset_pad.h"
#include "shell/about_window.h"
#include "shell/dock.h"
#include "shell/edit_box.h"
#include "pad/pen_events.h"
#include "recognition/commit.h"
#include "recognition/monitor.h"

void OnClick(Control control) {
  if (CandidateIndex(control) != 0) {
    CommitCandidate(control);
    return;
  }
  switch (control) {
    case Control::重写按钮:
      ResetPad();
      break;
    case Control::按钮18:
      OpenAboutWindow();
      break;
    case Control::按钮11:
      EditBoxBackspace();
      break;
    case Control::按钮12:
    case Control::按钮13:
    case Control::按钮14:
    case Control::按钮15:
    case Control::按钮16:
    case Control::按钮17:
      QuickKeyClicked(control);
      break;
    default:
      break;
  }
}

void OnTimerTick(Control timer) {
  switch (timer) {
    case Control::时钟2:
      DockTick();
      break;
    case Control::时钟1:
      SamplePen();
      break;
    case Control::监视时钟:
      MonitorTick();
      break;
    default:
      break;
  }
}

void OnPadLeftDown(int x, int y) { PenPressed(x, y); }
void OnPadLeftUp() { PenReleased(); }
void OnPadMove(int x, int y) { DrawStrokeSegment(x, y); }
void OnPadRightUp() { ResetPad(); }
