#include "recognition/recognition_result.h"

#include <cstddef>
#include <utility>

#include "recognition/worker_thread.h"
#include "shell/controls.h"

void ApplyRecognitionResult(RecognitionResult result) {
  if (result.generation != padState.recognitionGeneration || !padState.candidates) return;
  *padState.candidates = std::move(result.pieces);
  for (std::size_t k = 1; k <= result.captions.size() && k <= 10; ++k)
    SetCaption(CandidateButton(static_cast<int>(k)), result.captions[k - 1]);
  // This worker is done with everything that matters; it ends by itself.
  if (padState.recognitionWorker) {
    ReleaseWorkerThread(padState.recognitionWorker);
    padState.recognitionWorker = 0;
  }
}
