// ours_benchmark: top-1, top-10 and service time of the recognition engines on
// held-out inks of GB2312 level-1 characters, one table row per set.
//
//   ours_benchmark [--model FILE] [--engines ours,zinnia] [--sets a,b] [--stride N]
//                  [--first N] [--level2] [--seed N] [--direct] [--diagnose]
//                  [--residual-scale X] [--rare-penalty X] [--shortlist N]
//                  [--coarse N] [--axes N]
//
// Each ink goes through the pad's protocol when the service's request handling
// is built in (form body "type=1&wd=..." in, JSON reply out, no socket);
// --direct calls the engines alone. --diagnose also reports how often our
// first pass keeps the right character in its shortlist. The last five options
// try variants of the model without training again.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <ctime>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "service/dataset/pad_ink.h"
#include "service/ours/bench/held_out_inks.h"
#include "service/ours/classifier.h"
#include "service/ours/features.h"
#include "service/ours/ours_engine.h"
#ifdef LANJIAN_BENCH_SERVICE
#include "service/request_handler.h"
#include "service/zinnia_engine.h"
#endif

namespace {

using namespace lanjian;
using Clock = std::chrono::steady_clock;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    if (!part.empty()) parts.push_back(part);
  }
  return parts;
}

#ifdef LANJIAN_BENCH_SERVICE
std::vector<char32_t> DecodeUtf8(const std::string& s) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
    for (int j = 1; j < n && i + j < s.size(); ++j) c = c << 6 | (s[i + j] & 0x3F);
    out.push_back(c);
    i += n;
  }
  return out;
}
#endif

// The ten best characters for one ink, through the protocol or directly.
std::vector<char32_t> Recognise(const Engine& engine, const Ink& ink, bool direct) {
  std::vector<char32_t> result;
#ifdef LANJIAN_BENCH_SERVICE
  if (!direct) {
    const std::string text = dataset::FormatInkText(ink);
    const std::string body = "type=1&wd=" + (text.size() >= 2 ? text.substr(1, text.size() - 2) : "");
    const ServiceReply reply = HandleServiceRequest(engine, "POST", "/", body);
    const auto json = nlohmann::json::parse(reply.body, nullptr, false);
    if (!json.is_discarded() && json.contains("c") && json["c"].is_string()) {
      result = DecodeUtf8(json["c"].get<std::string>());
    }
    return result;
  }
#endif
  (void)direct;
  for (const Candidate& c : engine.Recognize(ink, 10)) result.push_back(c.character);
  return result;
}

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Percentile(std::vector<double> v, int p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, v.size() * static_cast<std::size_t>(p) / 100)];
}

struct Tally {
  int total = 0, top1 = 0, top10 = 0;
  std::vector<double> ms, cpu;
  void Print(const std::string& set, const std::string& engine) {
    std::printf("| %-11s | %-6s | %5d | %6.1f %% | %6.1f %% | %7.3f | %7.3f | %7.3f | %7.3f |\n",
                set.c_str(), engine.c_str(), total, 100.0 * top1 / std::max(total, 1),
                100.0 * top10 / std::max(total, 1), Percentile(ms, 50), Percentile(ms, 99),
                Percentile(cpu, 50), Percentile(cpu, 99));
    std::fflush(stdout);
  }
  void Add(const Tally& o) {
    total += o.total;
    top1 += o.top1;
    top10 += o.top10;
    ms.insert(ms.end(), o.ms.begin(), o.ms.end());
    cpu.insert(cpu.end(), o.cpu.begin(), o.cpu.end());
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string modelPath =
#ifdef LANJIAN_OURS_MODEL
      LANJIAN_OURS_MODEL;
#else
      "lanjian-ours.model";
#endif
  std::vector<std::string> engineNames = {"ours", "zinnia"};
  std::vector<std::string> sets = bench::HeldOutSetNames();
  int stride = 4;
  std::uint64_t seed = 7;
  bool direct = false, diagnose = false, level2 = false;
  std::size_t first = 0;
  // Variants of the model tried without training again.
  double residualScale = 1, rarePenalty = -1;
  int shortlist = 0, coarse = 0, axes = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "%s needs a value\n", flag.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (flag == "--model") modelPath = value();
    else if (flag == "--engines") engineNames = Split(value());
    else if (flag == "--sets") sets = Split(value());
    else if (flag == "--stride") stride = std::max(1, std::atoi(value().c_str()));
    else if (flag == "--seed") seed = std::strtoull(value().c_str(), nullptr, 10);
    else if (flag == "--direct") direct = true;
    else if (flag == "--diagnose") diagnose = true;
    else if (flag == "--level2") level2 = true;
    else if (flag == "--first") first = std::strtoull(value().c_str(), nullptr, 10);
    else if (flag == "--residual-scale") residualScale = std::atof(value().c_str());
    else if (flag == "--rare-penalty") rarePenalty = std::atof(value().c_str());
    else if (flag == "--shortlist") shortlist = std::atoi(value().c_str());
    else if (flag == "--coarse") coarse = std::atoi(value().c_str());
    else if (flag == "--axes") axes = std::atoi(value().c_str());
    else {
      std::fprintf(stderr, "unknown option %s\n", flag.c_str());
      return 2;
    }
  }

  std::vector<char32_t> wanted;
  // Level 1 by default; --level2 judges the rarer characters instead.
  const std::vector<char32_t> source =
      level2 ? std::vector<char32_t>(dataset::Gb2312Hanzi().begin() + 3755, dataset::Gb2312Hanzi().end())
             : dataset::Gb2312Level1();
  const std::size_t pool = first > 0 ? std::min(first, source.size()) : source.size();
  for (std::size_t i = 0; i < pool; i += static_cast<std::size_t>(stride)) {
    wanted.push_back(source[i]);
  }
  std::vector<dataset::CharacterTemplate> templates;
  std::string error;
  if (!dataset::LoadCharacterTemplates(dataset::DefaultHanziDataDir(), wanted, &templates, nullptr,
                                       &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  std::vector<std::pair<std::string, std::unique_ptr<Engine>>> engines;
  for (const std::string& name : engineNames) {
    std::unique_ptr<Engine> engine;
    if (name == "ours") {
      ours::Model model;
      if (ours::LoadModel(modelPath, &model, &error)) {
        model.residual *= static_cast<float>(residualScale);
        if (rarePenalty >= 0) {
          for (Eigen::Index c = 0; c < model.penalty.size(); ++c) {
            if (model.penalty[c] > 0) model.penalty[c] = static_cast<float>(rarePenalty);
          }
        }
        if (shortlist > 0) model.shortlist = shortlist;
        if (coarse > 0) model.coarseDim = std::min(coarse, model.ReducedDimension());
        if (axes >= 0 && axes < model.AxisCount()) {
          const int k = model.AxisCount();
          ours::RowMatrix vectors(model.ClassCount() * axes, model.ReducedDimension());
          for (int c = 0; c < model.ClassCount(); ++c) {
            vectors.middleRows(c * axes, axes) = model.eigenvectors.middleRows(c * k, axes);
          }
          model.eigenvectors = vectors;
          model.eigenvalues = ours::RowMatrix(model.eigenvalues.leftCols(axes));
        }
        engine = ours::MakeOursEngine(std::move(model));
      }
#ifdef LANJIAN_BENCH_SERVICE
    } else if (name == "zinnia") {
      engine = LoadZinniaEngine(kDefaultZinniaModel, &error);
#endif
    } else {
      error = "engine not available in this build";
    }
    if (!engine) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
      return 1;
    }
    engines.emplace_back(name, std::move(engine));
  }
  std::unique_ptr<ours::Classifier> classifier;
  if (diagnose) {
    ours::Model model;
    if (!ours::LoadModel(modelPath, &model, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    classifier = std::make_unique<ours::Classifier>(std::move(model));
  }

  std::printf("%zu level-%d characters per set (every %d-th), %s\n", templates.size(),
              level2 ? 2 : 1, stride,
#ifdef LANJIAN_BENCH_SERVICE
              direct ? "engines called directly" : "through the service's request handling");
#else
              "engines called directly");
#endif
  std::printf("Times per character: wall clock, and the thread's CPU time (a shared machine's\n"
              "load shows in the first, hardly in the second).\n");
  std::printf("| set         | engine | inks  |  top-1   |  top-10  | p50 ms  | p99 ms  | p50 cpu | p99 cpu |\n");
  std::printf("|-------------|--------|-------|----------|----------|---------|---------|---------|---------|\n");
  std::map<std::string, Tally> overall;
  for (const std::string& set : sets) {
    std::vector<Ink> inks;
    for (const auto& t : templates) {
      Ink ink;
      if (!bench::HeldOutInk(set, t, seed, 0, &ink)) {
        std::fprintf(stderr, "unknown set %s\n", set.c_str());
        return 2;
      }
      inks.push_back(std::move(ink));
    }
    for (const auto& [name, engine] : engines) {
      Tally tally;
      for (std::size_t i = 0; i < inks.size(); ++i) {
        const auto start = Clock::now();
        const double cpuStart = ThreadCpuMs();
        const std::vector<char32_t> result = Recognise(*engine, inks[i], direct);
        tally.cpu.push_back(ThreadCpuMs() - cpuStart);
        tally.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        const char32_t truth = templates[i].character;
        ++tally.total;
        if (!result.empty() && result[0] == truth) ++tally.top1;
        if (std::find(result.begin(), result.begin() + std::min<std::size_t>(10, result.size()),
                      truth) != result.end()) {
          ++tally.top10;
        }
      }
      tally.Print(set, name);
      overall[name].Add(tally);
    }
    if (classifier) {
      int nearest = 0, kept = 0;
      for (std::size_t i = 0; i < inks.size(); ++i) {
        std::vector<float> f;
        ours::ExtractFeatures(inks[i], classifier->model().features, &f);
        const auto list = classifier->Shortlist(classifier->Reduce(f),
                                                static_cast<std::size_t>(classifier->model().shortlist));
        for (std::size_t j = 0; j < list.size(); ++j) {
          if (classifier->model().characters[static_cast<std::size_t>(list[j].classIndex)] ==
              templates[i].character) {
            if (j == 0) ++nearest;
            ++kept;
          }
        }
      }
      std::printf("|   first pass: nearest mean top-1 %.1f %%, right character in the shortlist of %d: %.1f %%\n",
                  100.0 * nearest / inks.size(), classifier->model().shortlist,
                  100.0 * kept / inks.size());
    }
  }
  for (auto& [name, tally] : overall) tally.Print("all sets", name);
  return 0;
}
