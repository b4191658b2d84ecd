// Timer periods as the pad's logic sees them: a timer runs while its period is
// not 0. Writing a new period (re)starts it, writing 0 stops it, and writing
// the period it already has changes nothing (a running count is not restarted).
#pragma once
#include "shell/controls.h"

void SetTimerPeriod(Control timer, int milliseconds);
int TimerPeriod(Control timer);
// Forgets every period without touching the platform (for a fresh run in tests).
void ForgetTimerPeriods();
