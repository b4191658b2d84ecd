// The augmented inks the recogniser is trained on: a template distorted by the
// families of real writing (affine, elastic, uneven strokes, trimmed and
// overshooting ends, any stroke order and direction, straight cursive joins),
// placed anywhere on the pad at any size and sampled as the pad samples.
#pragma once
#include <cstdint>

#include "service/dataset/hanzi_data.h"
#include "service/engine.h"

namespace lanjian::train {

// Sample 0 of each class is the template written cleanly; the rest draw their
// distortion strength at random. Depends on nothing but its arguments.
// `strength` scales every family's largest distortion.
Ink TrainingInk(const dataset::CharacterTemplate& character, std::uint64_t seed,
                std::int32_t sampleIndex, double strength = 1.0);

// A well-mixed 64-bit seed from several numbers.
std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b, std::uint64_t c = 0);

}  // namespace lanjian::train
