// Stroke-order-free features of one handwritten character: the ink's
// direction, map by map, on a normalised grid.
//
// The ink is normalised by its moments (bi-moment: each side of the centroid
// scaled by its own spread, aspect ratio partly kept), every pen movement is
// split into the two nearest of 8 directions (or 4 orientations) and spread on
// a fine grid, pen-up movements between strokes count a little, and each map
// is blurred and sampled on a coarse grid. A power transform makes the values
// nearer Gaussian for the classifier.
#pragma once
#include <cstdint>
#include <vector>

#include "service/engine.h"

namespace lanjian::ours {

struct FeatureParams {
  std::int32_t grid = 32;          // fine maps, cells per side
  std::int32_t cells = 8;          // blurred samples per side
  std::int32_t directions = 8;     // 8 directed, or 4 undirected orientations
  float imaginaryWeight = 0.25f;   // weight of the pen-up path between strokes
  float blur = 1.0f;               // Gaussian width, relative to the sampling interval's
  float power = 0.5f;              // values raised to this power

  std::int32_t Dimension() const { return directions * cells * cells; }
  bool Valid() const;
};

// Writes Dimension() values to *out. False if the ink has no point at all
// (then *out is all zeros).
bool ExtractFeatures(const Ink& ink, const FeatureParams& params, std::vector<float>* out);

}  // namespace lanjian::ours
