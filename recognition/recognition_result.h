// What one recognition worker found, handed to the main thread as a whole.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/pad_state.h"

struct RecognitionResult {
  std::uint64_t generation = 0;    // the recognition start it belongs to
  CandidateList pieces;            // every piece cut from the reply
  std::vector<std::string> captions;  // decoded first pieces, for 按钮1 ... at most 按钮10
};

// Main thread. A result of the latest recognition replaces the candidate list
// and writes its captions on 按钮1, 按钮2, ... in number order; buttons beyond
// its count keep theirs. A result of a superseded recognition changes nothing.
void ApplyRecognitionResult(RecognitionResult result);
