#include "service/zinnia_vertices.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace lanjian {
namespace {

constexpr int kLastFeatureSplit = 50;
constexpr float kSplitThreshold = 0.001f;

struct Node {
  float x;
  float y;
};

// The squared distance, relative to the chord's length, of the farthest point
// of [first, last) from the chord first-last, in the library's own float
// arithmetic so that both choose the same points.
float FarthestFromChord(const std::vector<Node>& nodes, std::size_t first, std::size_t last,
                        std::size_t* best) {
  if (first == last) return 0.0f;
  const Node& f = nodes[first];
  const Node& l = nodes[last];
  const float a = l.x - f.x;
  const float b = l.y - f.y;
  const float c = l.y * f.x - l.x * f.y;
  float max = -1.0f;
  for (std::size_t i = first; i != last; ++i) {
    const float distance = std::fabs((a * nodes[i].y) - (b * nodes[i].x) + c);
    if (distance > max) {
      max = distance;
      *best = i;
    }
  }
  return max * max / (a * a + b * b);
}

void MarkSplits(const std::vector<Node>& nodes, std::size_t first, std::size_t last, int id,
                std::vector<bool>& keep) {
  keep[first] = true;
  keep[last] = true;
  if (2 * id + 1 > kLastFeatureSplit) return;  // its children never become features
  std::size_t best = first;
  if (FarthestFromChord(nodes, first, last, &best) > kSplitThreshold) {
    MarkSplits(nodes, first, best, 2 * id + 1, keep);
    MarkSplits(nodes, best, last, 2 * id + 2, keep);
  }
}

}  // namespace

InkStroke KeepFeatureSplitPoints(const InkStroke& stroke, std::int32_t frame) {
  if (stroke.size() <= 2 || frame <= 0) return stroke;
  std::vector<Node> nodes(stroke.size());
  for (std::size_t i = 0; i < stroke.size(); ++i) {
    nodes[i].x = static_cast<float>(1.0 * stroke[i].x / static_cast<std::size_t>(frame));
    nodes[i].y = static_cast<float>(1.0 * stroke[i].y / static_cast<std::size_t>(frame));
  }
  std::vector<bool> keep(stroke.size(), false);
  MarkSplits(nodes, 0, stroke.size() - 1, 0, keep);
  InkStroke kept;
  for (std::size_t i = 0; i < stroke.size(); ++i) {
    if (keep[i]) kept.push_back(stroke[i]);
  }
  return kept;
}

}  // namespace lanjian
