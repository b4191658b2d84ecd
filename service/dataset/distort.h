// Families of distortion that make template medians look written by hand.
// Each family can be switched on its own, so that a recogniser can be trained
// with some families and judged on others it never saw.
#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "service/dataset/hanzi_data.h"
#include "service/engine.h"

namespace lanjian::dataset {

struct Distortion {
  // Magnitudes (em-box units of 1024, angles in degrees), 0 switches a family off.
  double rotateDeg = 0;        // whole character rotated up to this much
  double shear = 0;            // slant, as a fraction
  double aspect = 0;           // width and height scaled apart by up to this fraction
  double elastic = 0;          // smooth random displacement field, amplitude
  double strokeShift = 0;      // each stroke moved by up to this much
  double strokeScale = 0;      // each stroke grown or shrunk by up to this fraction
  double endTrim = 0;          // ends trimmed or overshot by up to this fraction of the stroke
  double bend = 0;             // straight strokes bowed, sag as a fraction of the stroke length
  double tremor = 0;           // wobble along the stroke, amplitude
  double perspective = 0;      // one side of the character larger than the other, fraction
  // Probabilities.
  double shuffleOrder = 0;     // the strokes come in a random order
  double swapNeighbours = 0;   // each consecutive pair swapped (a typical order slip)
  double reverse = 0;          // each stroke written from its other end
  double join = 0;             // each consecutive pair joined, the pen not lifting
  bool curvedJoins = false;    // joins swing in an arc instead of going straight
};

// The strokes of a template after the distortion, still in the em box
// (points may fall outside it). The generator decides every random choice.
std::vector<Polyline> Distort(const CharacterTemplate& character, const Distortion& distortion,
                              std::mt19937& rng);

// Keeps only the points where a stroke turns (Douglas-Peucker with the given
// tolerance in pixels): inks as a key-point recorder would give them.
Ink KeepKeyPoints(const Ink& ink, double tolerancePx);

// A uniform draw in [lo, hi) and a standard normal draw that depend only on
// the generator's sequence (no library distribution objects).
double Uniform(std::mt19937& rng, double lo, double hi);
double Normal(std::mt19937& rng);

}  // namespace lanjian::dataset
