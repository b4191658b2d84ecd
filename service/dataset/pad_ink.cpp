#include "service/dataset/pad_ink.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace lanjian::dataset {
namespace {

// Minimum-jerk position profile: 0 at 0, 1 at 1, zero speed at both ends.
double MinimumJerk(double t) {
  return t * t * t * (10.0 - 15.0 * t + 6.0 * t * t);
}

Point PointAtLength(const Polyline& line, const std::vector<double>& cumulative, double s) {
  const auto it = std::upper_bound(cumulative.begin(), cumulative.end(), s);
  if (it == cumulative.end()) return line.back();
  const std::size_t i = static_cast<std::size_t>(it - cumulative.begin());
  if (i == 0) return line.front();
  const double span = cumulative[i] - cumulative[i - 1];
  const double f = span > 0 ? (s - cumulative[i - 1]) / span : 0.0;
  return {static_cast<float>(line[i - 1].x + f * (line[i].x - line[i - 1].x)),
          static_cast<float>(line[i - 1].y + f * (line[i].y - line[i - 1].y))};
}

}  // namespace

std::vector<Polyline> PlaceOnPad(const std::vector<Polyline>& emStrokes, const PadBox& box) {
  const double scale = box.size / kTemplateBox;
  std::vector<Polyline> result;
  result.reserve(emStrokes.size());
  for (const Polyline& line : emStrokes) {
    Polyline placed;
    placed.reserve(line.size());
    for (const Point& p : line) {
      placed.push_back({static_cast<float>(box.left + p.x * scale),
                        static_cast<float>(box.top + p.y * scale)});
    }
    result.push_back(std::move(placed));
  }
  return result;
}

Ink SamplePadInk(const std::vector<Polyline>& strokes, const PadPen& pen, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const double period = std::max(pen.samplePeriodMs, 0.1);
  std::optional<InkPoint> last;
  Ink ink;
  ink.reserve(strokes.size());
  for (const Polyline& line : strokes) {
    InkStroke stroke;
    if (!line.empty()) {
      std::vector<double> cumulative(line.size(), 0.0);
      for (std::size_t i = 1; i < line.size(); ++i) {
        cumulative[i] = cumulative[i - 1] + std::hypot(line[i].x - line[i - 1].x,
                                                       line[i].y - line[i - 1].y);
      }
      const double length = cumulative.back();
      const double moveMs = length / std::max(pen.speedPxPerMs, 1e-3);
      const double totalMs = 2 * pen.dwellMs + moveMs;
      // The first tick comes up to one period after the press.
      const double phase = period * (1.0 - (rng() >> 8) * (1.0 / 16777216.0));
      for (double t = phase; t <= totalMs; t += period) {
        const double u = moveMs > 0 ? std::clamp((t - pen.dwellMs) / moveMs, 0.0, 1.0) : 0.0;
        const Point p = PointAtLength(line, cumulative, length * MinimumJerk(u));
        const InkPoint sample{static_cast<std::int32_t>(std::lround(p.x)) + pen.frameX,
                              static_cast<std::int32_t>(std::lround(p.y)) + pen.frameY};
        if (last && last->x == sample.x && last->y == sample.y) continue;
        last = sample;
        stroke.push_back(sample);
      }
    }
    ink.push_back(std::move(stroke));
  }
  return ink;
}

std::string FormatInkText(const Ink& ink) {
  std::string text;
  for (const InkStroke& stroke : ink) {
    for (const InkPoint& p : stroke) {
      text += 'a';
      text += std::to_string(p.x);
      text += 'a';
      text += std::to_string(p.y);
    }
    text += 'a';
  }
  return text;
}

}  // namespace lanjian::dataset
