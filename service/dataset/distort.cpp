#include "service/dataset/distort.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lanjian::dataset {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCentre = kTemplateBox / 2;

double Length(const Polyline& line) {
  double total = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    total += std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
  }
  return total;
}

// Points every `step` units along the line, ends included.
Polyline Resample(const Polyline& line, double step) {
  if (line.size() < 2) return line;
  Polyline out{line.front()};
  double carry = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const Point a = line[i - 1];
    const Point b = line[i];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    double at = step - carry;
    while (at < len) {
      const double f = at / len;
      out.push_back({static_cast<float>(a.x + f * (b.x - a.x)),
                     static_cast<float>(a.y + f * (b.y - a.y))});
      at += step;
    }
    carry = len - (at - step);
  }
  const Point last = line.back();
  if (out.back().x != last.x || out.back().y != last.y) out.push_back(last);
  return out;
}

// Moves the start of the line by `amount` units along it: positive trims,
// negative extends along the first direction.
void AdjustStart(Polyline* line, double amount) {
  if (line->size() < 2) return;
  if (amount < 0) {
    const Point a = (*line)[0];
    const Point b = (*line)[1];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len <= 0) return;
    (*line)[0] = {static_cast<float>(a.x + (a.x - b.x) / len * -amount),
                  static_cast<float>(a.y + (a.y - b.y) / len * -amount)};
    return;
  }
  while (line->size() >= 2) {
    const Point a = (*line)[0];
    const Point b = (*line)[1];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len > amount) {
      const double f = amount / len;
      (*line)[0] = {static_cast<float>(a.x + f * (b.x - a.x)),
                    static_cast<float>(a.y + f * (b.y - a.y))};
      return;
    }
    amount -= len;
    if (line->size() == 2) {
      (*line)[0] = b;
      return;
    }
    line->erase(line->begin());
  }
}

void AdjustEnds(Polyline* line, double startAmount, double endAmount) {
  AdjustStart(line, startAmount);
  std::reverse(line->begin(), line->end());
  AdjustStart(line, endAmount);
  std::reverse(line->begin(), line->end());
}

Point Centroid(const Polyline& line) {
  double x = 0, y = 0;
  for (const Point& p : line) {
    x += p.x;
    y += p.y;
  }
  return {static_cast<float>(x / line.size()), static_cast<float>(y / line.size())};
}

// A smooth displacement: a few plane waves of long wavelength.
struct Field {
  struct Wave {
    double kx, ky, phase, ax, ay;
  };
  std::vector<Wave> waves;
  Point Apply(Point p) const {
    double dx = 0, dy = 0;
    for (const Wave& w : waves) {
      const double s = std::sin(w.kx * p.x + w.ky * p.y + w.phase);
      dx += w.ax * s;
      dy += w.ay * s;
    }
    return {static_cast<float>(p.x + dx), static_cast<float>(p.y + dy)};
  }
};

Field RandomField(std::mt19937& rng, double amplitude) {
  Field field;
  for (int i = 0; i < 4; ++i) {
    const double wavelength = Uniform(rng, 500, 1500);
    const double angle = Uniform(rng, 0, 2 * kPi);
    const double k = 2 * kPi / wavelength;
    field.waves.push_back({k * std::cos(angle), k * std::sin(angle), Uniform(rng, 0, 2 * kPi),
                           amplitude * Uniform(rng, -0.5, 0.5),
                           amplitude * Uniform(rng, -0.5, 0.5)});
  }
  return field;
}

// Bows the line sideways by a parabola over its arc length.
void Bend(Polyline* line, double sag) {
  const double len = Length(*line);
  if (len <= 0) return;
  *line = Resample(*line, std::max(len / 12, 4.0));
  const Point a = line->front();
  const Point b = line->back();
  double nx = -(b.y - a.y), ny = b.x - a.x;
  const double chord = std::hypot(nx, ny);
  if (chord <= 0) return;
  nx /= chord;
  ny /= chord;
  // Arc length along the line before any point moves.
  std::vector<double> walked(line->size(), 0.0);
  for (std::size_t i = 1; i < line->size(); ++i) {
    walked[i] = walked[i - 1] +
                std::hypot((*line)[i].x - (*line)[i - 1].x, (*line)[i].y - (*line)[i - 1].y);
  }
  const double total = walked.back();
  for (std::size_t i = 0; i < line->size(); ++i) {
    const double t = total > 0 ? walked[i] / total : 0.0;
    const double offset = 4 * sag * len * t * (1 - t);
    (*line)[i].x += static_cast<float>(nx * offset);
    (*line)[i].y += static_cast<float>(ny * offset);
  }
}

// Adds a smoothed random walk across the line.
void Tremble(Polyline* line, double amplitude, std::mt19937& rng) {
  if (Length(*line) <= 0) return;
  *line = Resample(*line, 12);
  double ox = 0, oy = 0, vx = 0, vy = 0;
  for (Point& p : *line) {
    vx = 0.7 * vx + 0.3 * Normal(rng);
    vy = 0.7 * vy + 0.3 * Normal(rng);
    ox = 0.85 * ox + vx;
    oy = 0.85 * oy + vy;
    p.x += static_cast<float>(amplitude * 0.5 * ox);
    p.y += static_cast<float>(amplitude * 0.5 * oy);
  }
}

// The pen's path from one stroke's end to the next one's start when it does
// not lift: straight, or swinging out in an arc.
Polyline Connection(Point from, Point to, bool curved, std::mt19937& rng) {
  Polyline path;
  if (!curved) return path;
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double swing = Uniform(rng, -0.4, 0.4);
  const double cx = (from.x + to.x) / 2 - dy * swing;
  const double cy = (from.y + to.y) / 2 + dx * swing;
  for (int i = 1; i < 8; ++i) {
    const double t = i / 8.0;
    const double u = 1 - t;
    path.push_back({static_cast<float>(u * u * from.x + 2 * u * t * cx + t * t * to.x),
                    static_cast<float>(u * u * from.y + 2 * u * t * cy + t * t * to.y)});
  }
  return path;
}

void SimplifyRange(const InkStroke& stroke, std::size_t first, std::size_t last, double tol,
                   std::vector<bool>* keep) {
  if (last <= first + 1) return;
  const double ax = stroke[first].x, ay = stroke[first].y;
  const double bx = stroke[last].x, by = stroke[last].y;
  const double len = std::hypot(bx - ax, by - ay);
  double worst = -1;
  std::size_t worstAt = first;
  for (std::size_t i = first + 1; i < last; ++i) {
    const double px = stroke[i].x, py = stroke[i].y;
    const double d = len > 0 ? std::abs((bx - ax) * (ay - py) - (ax - px) * (by - ay)) / len
                             : std::hypot(px - ax, py - ay);
    if (d > worst) {
      worst = d;
      worstAt = i;
    }
  }
  if (worst > tol) {
    (*keep)[worstAt] = true;
    SimplifyRange(stroke, first, worstAt, tol, keep);
    SimplifyRange(stroke, worstAt, last, tol, keep);
  }
}

}  // namespace

double Uniform(std::mt19937& rng, double lo, double hi) {
  return lo + (hi - lo) * ((rng() >> 5) * (1.0 / 134217728.0));
}

double Normal(std::mt19937& rng) {
  const double u1 = std::max(Uniform(rng, 0, 1), 1e-12);
  const double u2 = Uniform(rng, 0, 1);
  return std::sqrt(-2 * std::log(u1)) * std::cos(2 * kPi * u2);
}

std::vector<Polyline> Distort(const CharacterTemplate& character, const Distortion& d,
                              std::mt19937& rng) {
  std::vector<Polyline> strokes = character.strokes;

  for (Polyline& line : strokes) {
    const double len = Length(line);
    if (d.endTrim > 0) {
      AdjustEnds(&line, len * Uniform(rng, -0.6, 1.0) * d.endTrim,
                 len * Uniform(rng, -0.6, 1.0) * d.endTrim);
    }
    if (d.bend > 0) Bend(&line, Uniform(rng, -d.bend, d.bend));
    if (d.strokeScale > 0 || d.strokeShift > 0) {
      const Point c = Centroid(line);
      const double sx = 1 + Uniform(rng, -d.strokeScale, d.strokeScale);
      const double sy = 1 + Uniform(rng, -d.strokeScale, d.strokeScale);
      const double tx = d.strokeShift * Uniform(rng, -1, 1);
      const double ty = d.strokeShift * Uniform(rng, -1, 1);
      for (Point& p : line) {
        p = {static_cast<float>(c.x + (p.x - c.x) * sx + tx),
             static_cast<float>(c.y + (p.y - c.y) * sy + ty)};
      }
    }
    if (d.tremor > 0) Tremble(&line, d.tremor, rng);
  }

  if (d.elastic > 0) {
    const Field field = RandomField(rng, d.elastic);
    for (Polyline& line : strokes) {
      line = Resample(line, 24);
      for (Point& p : line) p = field.Apply(p);
    }
  }

  // One affine map about the centre, then a perspective-like taper.
  const double angle = Uniform(rng, -d.rotateDeg, d.rotateDeg) * kPi / 180;
  const double shear = Uniform(rng, -d.shear, d.shear);
  const double aspect = Uniform(rng, -d.aspect, d.aspect);
  const double sx = 1 + aspect / 2, sy = 1 - aspect / 2;
  const double ca = std::cos(angle), sa = std::sin(angle);
  const double taperX = Uniform(rng, -d.perspective, d.perspective);
  const double taperY = Uniform(rng, -d.perspective, d.perspective);
  for (Polyline& line : strokes) {
    for (Point& p : line) {
      double x = (p.x - kCentre) * sx, y = (p.y - kCentre) * sy;
      x += shear * y;
      double rx = ca * x - sa * y, ry = sa * x + ca * y;
      // Width grows from top to bottom (taperX) and height from left to right (taperY).
      rx *= 1 + taperX * ry / kCentre;
      ry *= 1 + taperY * rx / kCentre;
      p = {static_cast<float>(kCentre + rx), static_cast<float>(kCentre + ry)};
    }
  }

  if (d.shuffleOrder > 0 && Uniform(rng, 0, 1) < d.shuffleOrder) {
    for (std::size_t i = strokes.size(); i > 1; --i) {
      std::swap(strokes[i - 1], strokes[static_cast<std::size_t>(Uniform(rng, 0, i))]);
    }
  }
  if (d.swapNeighbours > 0) {
    for (std::size_t i = 1; i < strokes.size(); ++i) {
      if (Uniform(rng, 0, 1) < d.swapNeighbours) std::swap(strokes[i - 1], strokes[i]);
    }
  }
  if (d.reverse > 0) {
    for (Polyline& line : strokes) {
      if (Uniform(rng, 0, 1) < d.reverse) std::reverse(line.begin(), line.end());
    }
  }
  if (d.join > 0 && !strokes.empty()) {
    std::vector<Polyline> joined{strokes.front()};
    for (std::size_t i = 1; i < strokes.size(); ++i) {
      if (Uniform(rng, 0, 1) < d.join && !joined.back().empty() && !strokes[i].empty()) {
        Polyline& open = joined.back();
        const Polyline path = Connection(open.back(), strokes[i].front(), d.curvedJoins, rng);
        open.insert(open.end(), path.begin(), path.end());
        open.insert(open.end(), strokes[i].begin(), strokes[i].end());
      } else {
        joined.push_back(strokes[i]);
      }
    }
    strokes = std::move(joined);
  }
  return strokes;
}

Ink KeepKeyPoints(const Ink& ink, double tolerancePx) {
  Ink out;
  out.reserve(ink.size());
  for (const InkStroke& stroke : ink) {
    if (stroke.size() <= 2) {
      out.push_back(stroke);
      continue;
    }
    std::vector<bool> keep(stroke.size(), false);
    keep.front() = keep.back() = true;
    SimplifyRange(stroke, 0, stroke.size() - 1, tolerancePx, &keep);
    InkStroke kept;
    for (std::size_t i = 0; i < stroke.size(); ++i) {
      if (keep[i]) kept.push_back(stroke[i]);
    }
    out.push_back(std::move(kept));
  }
  return out;
}

}  // namespace lanjian::dataset
