// One recognition: the ink text posted to the recognition service, the
// candidates cut from the reply and decoded. Runs on a worker thread and
// touches no program-wide state.
#pragma once
#include <cstdint>
#include <string>

#include "recognition/recognition_result.h"

// "type=1&wd=" followed by the ink text without its first and last character
// (the leading "a" and the last stroke terminator); nothing after "wd=" for an
// ink text of two characters or fewer.
std::string RecognitionRequestBody(const std::string& ink);

// Asks the service and returns every piece of its reply and the decoding of
// the first ten. A failed request gives no pieces.
RecognitionResult RecognizeInk(const std::string& ink);

// The body of a recognition worker thread.
void RecognitionWorkerMain(const std::string& ink, std::uint64_t generation);
