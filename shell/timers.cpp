#include "shell/timers.h"

namespace {
int periods[kControlCount] = {};
}

void SetTimerPeriod(Control timer, int milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  int& current = periods[static_cast<int>(timer)];
  if (current == milliseconds) return;
  current = milliseconds;
  if (milliseconds == 0)
    PlatformStopTimer(timer);
  else
    PlatformStartTimer(timer, milliseconds);
}

int TimerPeriod(Control timer) { return periods[static_cast<int>(timer)]; }

void ForgetTimerPeriods() {
  for (int& period : periods) period = 0;
}
