// Bringing an ink from pad pixels into a recogniser's square frame.
#pragma once
#include <cstdint>

#include "service/engine.h"

namespace lanjian {

struct FrameOptions {
  std::int32_t size = 1000;  // the frame is size x size, y downwards
  double margin = 0.0;       // blank border on each side, as a fraction of size
};

// Drops empty strokes and repeated consecutive points, then scales the ink's
// bounding box to fill the frame inside its margin with the aspect ratio kept,
// centred. A single point (or a bounding box of zero size) lands in the middle.
// Coordinates of any 32-bit size are handled without overflow.
Ink NormalizeInk(const Ink& ink, const FrameOptions& options);

}  // namespace lanjian
