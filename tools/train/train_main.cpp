// lanjian-train-ours: writes the model file of our recogniser.
//
//   lanjian-train-ours --out FILE [--data DIR] [--chars gb2312|level1|N]
//                      [--samples N] [--augment X] [--dims N] [--axes N] [--threads N] [--seed N]
//
// The same arguments give the same file, byte for byte, whatever --threads is.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "tools/train/trainer.h"

namespace {

int Usage(const std::string& problem) {
  std::fprintf(stderr,
               "lanjian-train-ours: %s\n"
               "usage: lanjian-train-ours --out FILE [--data DIR] [--chars gb2312|level1|N]\n"
               "       [--samples N] [--augment X] [--dims N] [--axes N] [--shortlist N] [--coarse N] [--shrink X]\n"
               "       [--residual X] [--rare-penalty X] [--directions 4|8] [--imaginary X] [--blur X]\n"
               "       [--threads N]\n"
               "       [--seed N]\n",
               problem.c_str());
  return 2;
}

bool ParseInt(const std::string& text, long long lo, long long hi, long long* value) {
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < lo || v > hi) return false;
  *value = v;
  return true;
}

bool ParseReal(const std::string& text, double lo, double hi, double* value) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(v >= lo && v <= hi)) return false;
  *value = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lanjian;
  train::TrainOptions options;
  std::string out, data = dataset::DefaultHanziDataDir(), chars = "gb2312";
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return Usage(flag + " needs a value");
    const std::string value = argv[++i];
    long long n = 0;
    double x = 0;
    if (flag == "--out") {
      out = value;
    } else if (flag == "--data") {
      data = value;
    } else if (flag == "--chars") {
      chars = value;
    } else if (flag == "--samples" && ParseInt(value, 2, 100000, &n)) {
      options.samplesPerClass = static_cast<std::int32_t>(n);
    } else if (flag == "--dims" && ParseInt(value, 1, 4096, &n)) {
      options.reducedDim = static_cast<std::int32_t>(n);
    } else if (flag == "--axes" && ParseInt(value, 0, 4096, &n)) {
      options.axisCount = static_cast<std::int32_t>(n);
    } else if (flag == "--shortlist" && ParseInt(value, 1, 100000, &n)) {
      options.shortlist = static_cast<std::int32_t>(n);
    } else if (flag == "--blur" && ParseReal(value, 0.1, 5, &x)) {
      options.features.blur = static_cast<float>(x);
    } else if (flag == "--augment" && ParseReal(value, 0, 5, &x)) {
      options.augment = x;
    } else if (flag == "--coarse" && ParseInt(value, 1, 4096, &n)) {
      options.coarseDim = static_cast<std::int32_t>(n);
    } else if (flag == "--threads" && ParseInt(value, 1, 256, &n)) {
      options.threads = static_cast<std::int32_t>(n);
    } else if (flag == "--seed" && ParseInt(value, 0, 1LL << 62, &n)) {
      options.seed = static_cast<std::uint64_t>(n);
    } else if (flag == "--directions" && ParseInt(value, 4, 8, &n) && (n == 4 || n == 8)) {
      options.features.directions = static_cast<std::int32_t>(n);
    } else if (flag == "--shrink" && ParseReal(value, 0, 1, &x)) {
      options.shrink = x;
    } else if (flag == "--residual" && ParseReal(value, 0.01, 100, &x)) {
      options.residualScale = x;
    } else if (flag == "--rare-penalty" && ParseReal(value, 0, 1000, &x)) {
      options.rarePenalty = x;
    } else if (flag == "--imaginary" && ParseReal(value, 0, 1, &x)) {
      options.features.imaginaryWeight = static_cast<float>(x);
    } else {
      return Usage("bad option or value: " + flag + " " + value);
    }
  }
  if (out.empty()) return Usage("--out is required");
  if (data.empty()) return Usage("--data is required (the build did not set a default)");

  std::vector<char32_t> wanted;
  long long limit = 0;
  if (chars == "gb2312") {
    wanted = dataset::Gb2312Hanzi();
  } else if (chars == "level1") {
    wanted = dataset::Gb2312Level1();
  } else if (ParseInt(chars, 2, 6763, &limit)) {
    wanted.assign(dataset::Gb2312Hanzi().begin(),
                  dataset::Gb2312Hanzi().begin() + static_cast<std::ptrdiff_t>(limit));
  } else {
    return Usage("--chars takes gb2312, level1 or a count");
  }

  options.common = dataset::Gb2312Level1();
  const auto start = std::chrono::steady_clock::now();
  std::vector<dataset::CharacterTemplate> templates;
  std::vector<char32_t> missing;
  std::string error;
  if (!dataset::LoadCharacterTemplates(data, wanted, &templates, &missing, &error)) {
    std::fprintf(stderr, "lanjian-train-ours: %s\n", error.c_str());
    return 1;
  }
  if (!missing.empty()) {
    std::fprintf(stderr, "lanjian-train-ours: %zu characters have no template in %s\n",
                 missing.size(), data.c_str());
    return 1;
  }
  std::printf("training on %zu characters, %d inks each\n", templates.size(),
              options.samplesPerClass);
  std::fflush(stdout);
  ours::Model model;
  const bool ok = train::TrainModel(
      templates, options,
      [](const std::string& line) {
        std::printf("  %s\n", line.c_str());
        std::fflush(stdout);
      },
      &model, &error);
  if (!ok || !ours::SaveModel(model, out, &error)) {
    std::fprintf(stderr, "lanjian-train-ours: %s\n", error.c_str());
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("wrote %s in %.1f s\n", out.c_str(), seconds);
  return 0;
}
