#include "recognition/recognize_ink.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "net/text_ops.h"
#include "recognition/candidate_decode.h"
#include "recognition/recognition_service.h"
#include "recognition/reply_cut.h"
#include "recognition/worker_thread.h"

namespace {
constexpr std::size_t kCandidateButtons = 10;
}

std::string RecognitionRequestBody(const std::string& ink) {
  return "type=1&wd=" + TextMiddle(ink, 2, TextLength(ink) - 2);
}

RecognitionResult RecognizeInk(const std::string& ink) {
  RecognitionResult result;
  result.pieces = CutCandidatePieces(FetchRecognitionReply(RecognitionRequestBody(ink)));
  const std::size_t shown = std::min(result.pieces.size(), kCandidateButtons);
  for (std::size_t k = 0; k < shown; ++k) result.captions.push_back(DecodeUnicodeEscape("\\" + result.pieces[k]));
  return result;
}

void RecognitionWorkerMain(const std::string& ink, std::uint64_t generation) {
  auto result = std::make_unique<RecognitionResult>(RecognizeInk(ink));
  result->generation = generation;
  PostRecognitionResult(std::move(result));
}
