// Reading the pad's ink text back into strokes.
//
// The pad writes a sample as "a", x, "a", y (decimal, "-" before negatives)
// and ends every stroke with "a"; it sends the text without its first and
// last character. Consecutive strokes are therefore joined by "aa", and a
// stroke without samples leaves a run of three or more "a".
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "service/engine.h"

namespace lanjian {

struct InkLimits {
  std::size_t maxPoints = 100000;
  std::size_t maxStrokes = 500;
};

struct InkParseResult {
  bool ok = false;
  Ink ink;            // one entry per stroke terminator, empty strokes kept
  std::string error;  // short reason when !ok
};

// The full ink text from what the pad sent: the first and last "a" put back.
std::string RebuildInkText(std::string_view sent);

// Parses a full ink text ("a12a30a15a34aa40a10a") in one pass. A text that
// starts inside a stroke is fine; a text that ends inside one closes it.
// Rejects any byte other than digits, "-" and "a", a stroke with an odd count
// of numbers, a number outside 32 bits, and inks over the limits.
InkParseResult ParseInkText(std::string_view ink, const InkLimits& limits = {});

}  // namespace lanjian
