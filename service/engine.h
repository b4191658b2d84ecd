// What the service asks of a recognition engine: the ten (or n) best
// characters for one handwritten character, best first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lanjian {

struct InkPoint {
  std::int32_t x;
  std::int32_t y;
};
using InkStroke = std::vector<InkPoint>;
// Strokes in the order written, points in the order sampled, pad pixels
// (y grows downwards). Strokes may be empty.
using Ink = std::vector<InkStroke>;

struct Candidate {
  char32_t character;  // a BMP code point that GBK can represent
  float score;         // larger is better; comparable only within one answer
};

class Engine {
 public:
  virtual ~Engine() = default;
  // Thread-safe: the service calls it from several worker threads at once.
  virtual std::vector<Candidate> Recognize(const Ink& ink, std::size_t count) const = 0;
  virtual std::string Name() const = 0;
};

}  // namespace lanjian
