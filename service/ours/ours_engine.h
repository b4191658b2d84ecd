// Our own stroke-order-free recogniser behind the service's engine interface.
#pragma once
#include <memory>
#include <string>

#include "service/engine.h"

// Loads the model file written by the training tool. Null, with a sentence
// saying why in *error, for a missing, truncated, corrupted or foreign file.
std::unique_ptr<lanjian::Engine> LoadOursEngine(const std::string& modelPath, std::string* error);
