#include "recognition/monitor.h"

#include <cstdint>
#include <limits>
#include <string>

#include "app/pad_state.h"
#include "recognition/recognize_ink.h"
#include "recognition/worker_thread.h"
#include "shell/timers.h"

void MonitorTick() {
  if (padState.idleTicks < std::numeric_limits<std::int32_t>::max()) ++padState.idleTicks;
  if (padState.idleTicks < kIdleTicksToRecognize) return;
  StartRecognition();
  SetTimerPeriod(Control::监视时钟, 0);
}

void StartRecognition() {
  // The previous worker is not stopped: the new generation makes whatever it
  // still delivers void, and it ends on its own.
  if (padState.recognitionWorker) {
    ReleaseWorkerThread(padState.recognitionWorker);
    padState.recognitionWorker = 0;
  }
  const std::uint64_t generation = ++padState.recognitionGeneration;
  // The worker gets its own copy, taken here in one step on the main thread,
  // which goes on appending to (or replacing) the ink text meanwhile.
  padState.recognitionWorker = StartWorkerThread(
      [ink = padState.inkText, generation] { RecognitionWorkerMain(ink, generation); });
}
