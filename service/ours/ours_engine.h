// Our own stroke-order-free recogniser behind the service's engine interface.
#pragma once
#include <memory>
#include <string>

#include "service/engine.h"

// Loads the model file written by the training tool. Null, with a sentence
// saying why in *error, for a missing, truncated, corrupted or foreign file.
std::unique_ptr<lanjian::Engine> LoadOursEngine(const std::string& modelPath, std::string* error);

namespace lanjian::ours {
struct Model;
// The engine over a model already in memory (the benchmark tries variants).
std::unique_ptr<Engine> MakeOursEngine(Model model);
}  // namespace lanjian::ours
