// Keeping zinnia's feature extraction bounded.
//
// zinnia describes a stroke by a binary tree of splits: a segment is split at
// the point farthest from its chord while that point is far enough, and the
// children of split i are 2i+1 and 2i+2. Only splits 0 to 50 become features,
// but the library follows the whole tree, growing an array to the largest
// index it reaches; a stroke whose farthest point keeps falling next to an end
// drives that index up exponentially with the point count. Handing it only
// the points that splits 0 to 50 choose gives it the same features with at
// most 27 points per stroke.
#pragma once
#include <cstdint>

#include "service/engine.h"

namespace lanjian {

// `stroke` is in a frame of `frame` x `frame` units (zinnia divides by the
// frame to get the coordinates its features see).
InkStroke KeepFeatureSplitPoints(const InkStroke& stroke, std::int32_t frame);

}  // namespace lanjian
