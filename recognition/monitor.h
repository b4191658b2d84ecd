// The end-of-writing monitor: the pen-up counts as the first tick and the
// timer 监视时钟 adds the others; at 20 the character counts as finished for
// now and a recognition starts on a worker thread. Main thread only.
#pragma once

constexpr int kMonitorPeriod = 10;          // ms between ticks of 监视时钟
constexpr int kIdleTicksToRecognize = 20;   // reached on the 19th timer tick after the pen-up

// Tick of 监视时钟, also called by EndStroke for the pen-up itself.
void MonitorTick();

// Starts a recognition of a copy of the current ink text on a new worker. The
// result of every earlier worker is void from now on; none is waited for.
void StartRecognition();
