#include "service/ours/features.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <Eigen/Dense>

namespace lanjian::ours {
namespace {

constexpr double kPi = std::numbers::pi;

struct Piece {
  double x0, y0, x1, y1;
  float weight;  // 1 for the pen on the pad, imaginaryWeight for pen-up paths
  bool written;  // false for the pen-up path between strokes
};

// Splits every pen movement into pieces no longer than `step`.
void AddPieces(double x0, double y0, double x1, double y1, double step, float weight,
               bool written, std::vector<Piece>* pieces) {
  const double span = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  if (span <= 0) return;
  const int n = std::max(1, static_cast<int>(std::ceil(span / step)));
  for (int i = 0; i < n; ++i) {
    const double a = static_cast<double>(i) / n, b = static_cast<double>(i + 1) / n;
    pieces->push_back({x0 + a * (x1 - x0), y0 + a * (y1 - y0), x0 + b * (x1 - x0),
                       y0 + b * (y1 - y0), weight, written});
  }
}

// Maps one axis so that centre goes to 0.5 and centre -/+ twice each side's
// spread goes to 0 and 1: a parabola through the three points, or two straight
// pieces where the parabola would turn back within reach of the ink.
struct AxisMap {
  double centre = 0, a = 0, b = 0;  // u = 0.5 + a*d + b*d*d, d = v - centre
  double left = 1, right = 1;       // spreads for the piecewise fallback
  bool piecewise = false;

  double operator()(double v) const {
    const double d = v - centre;
    if (piecewise) return 0.5 + (d < 0 ? d / (2 * left) : d / (2 * right));
    return 0.5 + a * d + b * d * d;
  }
};

AxisMap BiMoment(const std::vector<double>& values, const std::vector<double>& weights,
                 double floorSpread) {
  double total = 0, sum = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    total += weights[i];
    sum += weights[i] * values[i];
  }
  AxisMap map;
  map.centre = total > 0 ? sum / total : 0;
  double lw = 0, lv = 0, rw = 0, rv = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double d = values[i] - map.centre;
    if (d < 0) {
      lw += weights[i];
      lv += weights[i] * d * d;
    } else {
      rw += weights[i];
      rv += weights[i] * d * d;
    }
  }
  const double p = 2 * std::max(lw > 0 ? std::sqrt(lv / lw) : 0.0, floorSpread);
  const double q = 2 * std::max(rw > 0 ? std::sqrt(rv / rw) : 0.0, floorSpread);
  map.left = p / 2;
  map.right = q / 2;
  map.b = 0.5 * (p - q) / (p * q * (p + q));
  map.a = 0.5 / p + map.b * p;
  // The parabola turns at d = -a / (2b); keep it monotonic over twice the range.
  if (map.b != 0) {
    const double turn = -map.a / (2 * map.b);
    if (turn > -2 * p && turn < 2 * q) map.piecewise = true;
  }
  return map;
}

// Weights of a Gaussian blur sampled at `cells` evenly spaced centres.
using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

Eigen::MatrixXd BlurMatrix(int grid, int cells, double sigma) {
  Eigen::MatrixXd m(cells, grid);
  const double interval = static_cast<double>(grid) / cells;
  for (int i = 0; i < cells; ++i) {
    const double c = (i + 0.5) * interval - 0.5;
    for (int j = 0; j < grid; ++j) {
      const double d = j - c;
      m(i, j) = std::exp(-d * d / (2 * sigma * sigma));
    }
  }
  return m;
}

}  // namespace

bool FeatureParams::Valid() const {
  return grid >= 4 && grid <= 256 && cells >= 1 && cells <= grid &&
         (directions == 4 || directions == 8) && imaginaryWeight >= 0 && imaginaryWeight <= 1 &&
         blur > 0 && blur < 10 && power > 0 && power <= 1;
}

bool ExtractFeatures(const Ink& ink, const FeatureParams& params, std::vector<float>* out) {
  const int grid = params.grid, cells = params.cells, dirs = params.directions;
  out->assign(static_cast<std::size_t>(params.Dimension()), 0.0f);

  // Bounding box of every point, for the piece length and the spread floor.
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool any = false;
  for (const InkStroke& stroke : ink) {
    for (const InkPoint& p : stroke) {
      if (!any) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        any = true;
      }
      minX = std::min<double>(minX, p.x);
      maxX = std::max<double>(maxX, p.x);
      minY = std::min<double>(minY, p.y);
      maxY = std::max<double>(maxY, p.y);
    }
  }
  if (!any) return false;
  const double extent = std::max({maxX - minX, maxY - minY, 1.0});
  // Pieces of 1/64 of the ink's size, but never more than kMaxPieces in all,
  // so that a long scribble costs no more than a dense character.
  constexpr double kMaxPieces = 20000;
  double travel = 0;
  const InkStroke* before = nullptr;
  for (const InkStroke& stroke : ink) {
    if (stroke.empty()) continue;
    if (before) {
      travel += std::max(std::abs(static_cast<double>(stroke.front().x) - before->back().x),
                         std::abs(static_cast<double>(stroke.front().y) - before->back().y));
    }
    for (std::size_t i = 1; i < stroke.size(); ++i) {
      travel += std::max(std::abs(static_cast<double>(stroke[i].x) - stroke[i - 1].x),
                         std::abs(static_cast<double>(stroke[i].y) - stroke[i - 1].y));
    }
    before = &stroke;
  }
  const double step = std::max(extent / 64, travel / kMaxPieces);

  std::vector<Piece> pieces;
  const InkStroke* previous = nullptr;
  for (const InkStroke& stroke : ink) {
    if (stroke.empty()) continue;
    if (previous && params.imaginaryWeight > 0) {
      AddPieces(previous->back().x, previous->back().y, stroke.front().x, stroke.front().y, step,
                params.imaginaryWeight, false, &pieces);
    }
    for (std::size_t i = 1; i < stroke.size(); ++i) {
      AddPieces(stroke[i - 1].x, stroke[i - 1].y, stroke[i].x, stroke[i].y, step, 1.0f, true,
                &pieces);
    }
    previous = &stroke;
  }

  // Moments of the written ink (pen-up paths excluded), by length; an ink of
  // lone points is weighed by its points.
  std::vector<double> xs, ys, ws;
  for (const Piece& piece : pieces) {
    if (!piece.written) continue;
    xs.push_back((piece.x0 + piece.x1) / 2);
    ys.push_back((piece.y0 + piece.y1) / 2);
    ws.push_back(std::hypot(piece.x1 - piece.x0, piece.y1 - piece.y0));
  }
  if (xs.empty()) {
    for (const InkStroke& stroke : ink) {
      for (const InkPoint& p : stroke) {
        xs.push_back(p.x);
        ys.push_back(p.y);
        ws.push_back(1.0);
      }
    }
  }
  const double floorSpread = extent / 40;
  const AxisMap mapX = BiMoment(xs, ws, floorSpread);
  const AxisMap mapY = BiMoment(ys, ws, floorSpread);

  // Keep part of the aspect ratio: the narrower side fills sqrt(sin(pi/2 r)).
  const double width = mapX.left + mapX.right, height = mapY.left + mapY.right;
  const double ratio = std::min(width, height) / std::max(width, height);
  const double kept = std::sqrt(std::sin(kPi / 2 * ratio));
  const double scaleX = width >= height ? 1.0 : kept;
  const double scaleY = height >= width ? 1.0 : kept;
  const double span = grid - 2.0;  // one cell of margin on each side
  auto toGridX = [&](double x) {
    return std::clamp(1.0 + span * (0.5 + (mapX(x) - 0.5) * scaleX), 0.0, grid - 1e-3);
  };
  auto toGridY = [&](double y) {
    return std::clamp(1.0 + span * (0.5 + (mapY(y) - 0.5) * scaleY), 0.0, grid - 1e-3);
  };

  // Direction maps: each piece split between the nearest axis and the nearest
  // diagonal direction by the parallelogram rule, spread bilinearly around its
  // middle. Directions 0..7 run E, SE, S, SW, W, NW, N, NE (y downwards); with
  // 4 orientations opposite directions share a map.
  std::vector<double> maps(static_cast<std::size_t>(dirs) * grid * grid, 0.0);
  const std::size_t plane = static_cast<std::size_t>(grid) * grid;
  for (const Piece& piece : pieces) {
    const double gx0 = toGridX(piece.x0), gy0 = toGridY(piece.y0);
    const double gx1 = toGridX(piece.x1), gy1 = toGridY(piece.y1);
    const double dx = gx1 - gx0, dy = gy1 - gy0;
    const double ax = std::abs(dx), ay = std::abs(dy);
    if (ax + ay <= 0) continue;
    int axis = ax >= ay ? (dx >= 0 ? 0 : 4) : (dy >= 0 ? 2 : 6);
    int diagonal = dx >= 0 ? (dy >= 0 ? 1 : 7) : (dy >= 0 ? 3 : 5);
    if (dirs == 4) {
      axis %= 4;
      diagonal %= 4;
    }
    const double first = std::abs(ax - ay) * piece.weight;
    const double second = std::min(ax, ay) * std::numbers::sqrt2 * piece.weight;

    const double cx = (gx0 + gx1) / 2 - 0.5, cy = (gy0 + gy1) / 2 - 0.5;
    const int ix = static_cast<int>(std::floor(cx)), iy = static_cast<int>(std::floor(cy));
    const double fx = cx - ix, fy = cy - iy;
    const int xs2[2] = {ix, ix + 1};
    const int ys2[2] = {iy, iy + 1};
    const double wx[2] = {1 - fx, fx};
    const double wy[2] = {1 - fy, fy};
    double* axisMap = &maps[static_cast<std::size_t>(axis) * plane];
    double* diagonalMap = &maps[static_cast<std::size_t>(diagonal) * plane];
    for (int a = 0; a < 2; ++a) {
      const int yy = ys2[a];
      if (yy < 0 || yy >= grid) continue;
      for (int b = 0; b < 2; ++b) {
        const int xx = xs2[b];
        if (xx < 0 || xx >= grid) continue;
        const double w = wy[a] * wx[b];
        const std::size_t cell = static_cast<std::size_t>(yy) * grid + xx;
        axisMap[cell] += first * w;
        diagonalMap[cell] += second * w;
      }
    }
  }

  // Blur and sample each map: M * map * M^T.
  const double sigma = params.blur * std::sqrt(2.0) * grid / cells / kPi;
  thread_local Eigen::MatrixXd blur;
  thread_local double blurSigma = 0;
  if (blur.rows() != cells || blur.cols() != grid || blurSigma != sigma) {
    blur = BlurMatrix(grid, cells, sigma);
    blurSigma = sigma;
  }
  for (int d = 0; d < dirs; ++d) {
    const Eigen::Map<const RowMajor> map(&maps[static_cast<std::size_t>(d) * grid * grid], grid,
                                         grid);
    const RowMajor sampled = blur * map * blur.transpose();
    float* dst = out->data() + static_cast<std::size_t>(d) * cells * cells;
    for (int i = 0; i < cells; ++i) {
      for (int c = 0; c < cells; ++c) {
        const double v = std::max(sampled(i, c), 0.0);
        dst[i * cells + c] =
            static_cast<float>(params.power == 0.5f ? std::sqrt(v) : std::pow(v, double{params.power}));
      }
    }
  }
  return true;
}

}  // namespace lanjian::ours
