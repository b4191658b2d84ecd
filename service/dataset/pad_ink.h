// Inks as the pad records them: the pointer sampled at the pad's timer along
// each stroke, whole pixels, consecutive duplicates dropped, and the sample
// coordinates offset from the pad's client coordinates by the window frame.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "service/dataset/hanzi_data.h"
#include "service/engine.h"

namespace lanjian::dataset {

// The pad's client area.
constexpr int kPadWidth = 243;
constexpr int kPadHeight = 210;

// Where the 1024-unit em box of a template lands on the pad (client pixels).
struct PadBox {
  double left = 46.5;
  double top = 30.0;
  double size = 150.0;
};

std::vector<Polyline> PlaceOnPad(const std::vector<Polyline>& emStrokes, const PadBox& box);

struct PadPen {
  double samplePeriodMs = 15.6;  // the timer's real period (1 ms raised by the system)
  double speedPxPerMs = 0.35;    // mean pointer speed along a stroke
  double dwellMs = 20.0;         // pointer at rest after the press and before the release
  // Sample coordinates exceed client coordinates by these (Wine, thick frame,
  // small caption: 3 and 19).
  int frameX = 3;
  int frameY = 19;
};

// Moves the pointer along each stroke (client pixels) with a smooth
// start-and-stop speed profile and samples it at the timer. Each stroke's timer
// starts at its own press, with a phase drawn from the seed. A sample equal to
// the previous one, even across strokes, is dropped, so a short stroke can come
// out empty, as a click does on the pad.
Ink SamplePadInk(const std::vector<Polyline>& strokes, const PadPen& pen, std::uint32_t seed);

// The pad's ink text: "a" x "a" y for each sample, "a" at the end of each stroke.
std::string FormatInkText(const Ink& ink);

}  // namespace lanjian::dataset
