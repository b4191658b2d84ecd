#include "shell/events.h"

#include "app/reset_pad.h"

void OnClick(Control control) {
  switch (control) {
    case Control::重写按钮:
      ResetPad();
      break;
    default:
      break;
  }
}

void OnTimerTick(Control timer) {
  switch (timer) {
    default:
      break;
  }
}

void OnPadLeftDown(int, int) {}
void OnPadLeftUp() {}
void OnPadMove(int, int) {}
void OnPadRightUp() { ResetPad(); }
