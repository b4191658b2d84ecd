// Loading the recogniser the command line asked for.
#pragma once
#include <memory>
#include <string>

#include "service/command_line.h"
#include "service/engine.h"

namespace lanjian {

// Null and a message naming the model when it is missing or unusable.
std::unique_ptr<Engine> LoadConfiguredEngine(const ServiceOptions& options, std::string* error);

// The default place of our own engine's model: beside the running program.
std::string DefaultOursModelPath();

}  // namespace lanjian
