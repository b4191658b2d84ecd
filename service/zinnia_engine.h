// The zinnia recogniser behind the service's engine interface.
#pragma once
#include <memory>
#include <string>

#include "service/engine.h"
#include "service/ink_normalizer.h"

namespace lanjian {

inline constexpr const char* kDefaultZinniaModel =
    "/usr/share/tegaki/models/zinnia/handwriting-zh_CN.model";

// The frame the service's inks are scaled into before zinnia sees them.
FrameOptions ZinniaFrame();

// Opens (maps) the model; null and a message in *error when it cannot.
// One engine serves every thread: zinnia's classification only reads the
// mapped model and keeps its working state on the caller's stack and heap.
std::unique_ptr<Engine> LoadZinniaEngine(const std::string& modelPath, std::string* error);

}  // namespace lanjian
