#include "service/engine_loading.h"

#include <unistd.h>

#include <climits>

#include "service/zinnia_engine.h"
#ifdef LANJIAN_HAVE_OURS_ENGINE
#include "service/ours/ours_engine.h"
#endif

namespace lanjian {

std::string DefaultOursModelPath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  std::string directory = ".";
  if (length > 0) {
    const std::string exe(path, static_cast<std::size_t>(length));
    const std::size_t slash = exe.rfind('/');
    if (slash != std::string::npos) directory = exe.substr(0, slash);
  }
  return directory + "/lanjian-ours.model";
}

std::unique_ptr<Engine> LoadConfiguredEngine(const ServiceOptions& options, std::string* error) {
#ifdef LANJIAN_HAVE_OURS_ENGINE
  if (options.engine == "ours") {
    const std::string path = options.oursModel.empty() ? DefaultOursModelPath() : options.oursModel;
    std::string message;
    std::unique_ptr<Engine> engine = LoadOursEngine(path, &message);
    if (!engine && error) {
      *error = "cannot load our engine's model: " +
               (message.find(path) == std::string::npos ? path + ": " + message : message);
    }
    return engine;
  }
#endif
  return LoadZinniaEngine(options.model, error);
}

}  // namespace lanjian
