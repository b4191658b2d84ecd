#include "service/ours/bench/held_out_inks.h"

#include <random>

#include "service/dataset/distort.h"
#include "service/dataset/pad_ink.h"

namespace lanjian::bench {
namespace {

using dataset::Uniform;

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

}  // namespace

const std::vector<std::string>& HeldOutSetNames() {
  static const std::vector<std::string> names = {"clean",   "bent",  "perspective", "cursive",
                                                  "order",   "keypoints", "mixed", "messy"};
  return names;
}

bool HeldOutInk(const std::string& set, const dataset::CharacterTemplate& character,
                std::uint64_t seed, std::int32_t index, Ink* ink) {
  std::mt19937 rng(static_cast<std::uint32_t>(
      Mix(Mix(seed ^ 0x5eedull) ^ character.character) ^ static_cast<std::uint64_t>(index)));
  dataset::Distortion d;
  bool keyPoints = false;
  if (set == "clean") {
  } else if (set == "bent") {
    d.bend = Uniform(rng, 0.05, 0.15);
    d.tremor = Uniform(rng, 3, 8);
  } else if (set == "perspective") {
    d.perspective = Uniform(rng, 0.15, 0.3);
    d.bend = 0.06;
  } else if (set == "cursive") {
    d.join = Uniform(rng, 0.4, 0.8);
    d.curvedJoins = true;
    d.bend = 0.06;
    d.tremor = 3;
  } else if (set == "order") {
    d.swapNeighbours = 0.3;
    d.shuffleOrder = 0.5;
    d.reverse = 0.3;
    d.bend = 0.06;
  } else if (set == "keypoints") {
    d.bend = 0.08;
    keyPoints = true;
  } else if (set == "mixed") {
    auto level = [&rng] { return Uniform(rng, 0, 1); };
    d.rotateDeg = 6 * level();
    d.shear = 0.15 * level();
    d.aspect = 0.2 * level();
    d.elastic = 40 * level();
    d.strokeShift = 30 * level();
    d.strokeScale = 0.15 * level();
    d.endTrim = 0.12 * level();
    d.bend = 0.12 * level();
    d.tremor = 6 * level();
    d.perspective = 0.2 * level();
    d.swapNeighbours = 0.2 * level();
    d.reverse = 0.15 * level();
    d.join = 0.5 * level();
    d.curvedJoins = true;
    keyPoints = level() < 0.3;
  } else if (set == "messy") {
    // Everything at once and strong: the nearest we get to a hurried writer.
    d.rotateDeg = 12;
    d.shear = 0.3;
    d.aspect = 0.35;
    d.elastic = 80;
    d.strokeShift = 50;
    d.strokeScale = 0.3;
    d.endTrim = 0.25;
    d.bend = 0.2;
    d.tremor = 8;
    d.perspective = 0.3;
    d.swapNeighbours = 0.3;
    d.reverse = 0.2;
    d.join = 0.6;
    d.curvedJoins = true;
    keyPoints = Uniform(rng, 0, 1) < 0.3;
  } else {
    return false;
  }
  const std::vector<dataset::Polyline> strokes = dataset::Distort(character, d, rng);
  dataset::PadBox box;
  box.size = Uniform(rng, 100, 190);
  box.left = (dataset::kPadWidth - box.size) / 2 + Uniform(rng, -15, 15);
  box.top = (dataset::kPadHeight - box.size) / 2 + Uniform(rng, -10, 10);
  dataset::PadPen pen;
  pen.speedPxPerMs = Uniform(rng, 0.2, 0.7);
  pen.dwellMs = Uniform(rng, 0, 40);
  *ink = dataset::SamplePadInk(dataset::PlaceOnPad(strokes, box), pen,
                               static_cast<std::uint32_t>(rng()));
  if (keyPoints) *ink = dataset::KeepKeyPoints(*ink, 2.0);
  return true;
}

}  // namespace lanjian::bench
