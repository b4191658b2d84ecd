#include "tools/train/training_inks.h"

#include <random>

#include "service/dataset/distort.h"
#include "service/dataset/pad_ink.h"

namespace lanjian::train {
namespace {

std::uint64_t SplitMix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

}  // namespace

std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  return SplitMix(SplitMix(SplitMix(a) ^ b) ^ c);
}

Ink TrainingInk(const dataset::CharacterTemplate& character, std::uint64_t seed,
                std::int32_t sampleIndex, double strength) {
  using dataset::Uniform;
  std::mt19937 rng(static_cast<std::uint32_t>(MixSeed(seed, character.character,
                                                      static_cast<std::uint64_t>(sampleIndex))));
  dataset::Distortion d;
  if (sampleIndex > 0) {
    // Each family on its own strength, so that mild and wild mix in one ink.
    auto level = [&rng, strength] { return strength * Uniform(rng, 0, 1); };
    d.rotateDeg = 10 * level();
    d.shear = 0.25 * level();
    d.aspect = 0.35 * level();
    d.elastic = 70 * level();
    d.strokeShift = 45 * level();
    d.strokeScale = 0.25 * level();
    d.endTrim = 0.2 * level();
    d.shuffleOrder = 0.5;
    d.reverse = 0.15 * level();
    d.join = 0.35 * level();
  }
  const std::vector<dataset::Polyline> strokes = dataset::Distort(character, d, rng);

  dataset::PadBox box;
  box.size = sampleIndex > 0 ? Uniform(rng, 90, 200) : 150;
  box.left = (dataset::kPadWidth - box.size) / 2 + Uniform(rng, -20, 20);
  box.top = (dataset::kPadHeight - box.size) / 2 + Uniform(rng, -15, 15);
  dataset::PadPen pen;
  pen.speedPxPerMs = Uniform(rng, 0.15, 0.8);
  pen.samplePeriodMs = Uniform(rng, 15, 16.5);
  pen.dwellMs = Uniform(rng, 0, 40);
  return dataset::SamplePadInk(dataset::PlaceOnPad(strokes, box), pen,
                               static_cast<std::uint32_t>(rng()));
}

}  // namespace lanjian::train
