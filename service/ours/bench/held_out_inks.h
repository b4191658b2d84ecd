// Inks for judging the recogniser, made with distortion families that the
// training never uses (bowed strokes, tremor, perspective, curved cursive
// joins, neighbouring strokes swapped, key-point inks) on top of natural and
// wrong stroke orders.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "service/dataset/hanzi_data.h"
#include "service/engine.h"

namespace lanjian::bench {

const std::vector<std::string>& HeldOutSetNames();

// One ink of the named set; false for an unknown set name.
bool HeldOutInk(const std::string& set, const dataset::CharacterTemplate& character,
                std::uint64_t seed, std::int32_t index, Ink* ink);

}  // namespace lanjian::bench
