#include "service/ink_normalizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lanjian {

Ink NormalizeInk(const Ink& ink, const FrameOptions& options) {
  std::int64_t minX = std::numeric_limits<std::int64_t>::max();
  std::int64_t minY = minX;
  std::int64_t maxX = std::numeric_limits<std::int64_t>::min();
  std::int64_t maxY = maxX;
  for (const InkStroke& stroke : ink) {
    for (const InkPoint& p : stroke) {
      minX = std::min<std::int64_t>(minX, p.x);
      maxX = std::max<std::int64_t>(maxX, p.x);
      minY = std::min<std::int64_t>(minY, p.y);
      maxY = std::max<std::int64_t>(maxY, p.y);
    }
  }
  Ink framed;
  if (minX > maxX) return framed;  // no point at all

  const double size = options.size;
  const double inner = size * (1.0 - 2.0 * options.margin);
  const double extent = static_cast<double>(std::max(maxX - minX, maxY - minY));
  const double scale = extent > 0 ? inner / extent : 0.0;
  const double centreX = (static_cast<double>(minX) + static_cast<double>(maxX)) / 2.0;
  const double centreY = (static_cast<double>(minY) + static_cast<double>(maxY)) / 2.0;
  const auto place = [&](std::int32_t v, double centre) {
    const double framedValue = size / 2.0 + (static_cast<double>(v) - centre) * scale;
    return static_cast<std::int32_t>(std::lround(std::clamp(framedValue, 0.0, size)));
  };

  for (const InkStroke& stroke : ink) {
    InkStroke out;
    out.reserve(stroke.size());
    for (const InkPoint& p : stroke) {
      const InkPoint q{place(p.x, centreX), place(p.y, centreY)};
      if (!out.empty() && out.back().x == q.x && out.back().y == q.y) continue;
      out.push_back(q);
    }
    if (!out.empty()) framed.push_back(std::move(out));
  }
  return framed;
}

}  // namespace lanjian
