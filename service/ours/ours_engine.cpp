#include "service/ours/ours_engine.h"

#include "service/ours/classifier.h"
#include "service/ours/features.h"
#include "service/ours/model.h"

namespace lanjian::ours {
namespace {

class OursEngine final : public Engine {
 public:
  explicit OursEngine(Model model) : classifier_(std::move(model)) {}

  std::vector<Candidate> Recognize(const Ink& ink, std::size_t count) const override {
    std::vector<Candidate> candidates;
    if (count == 0) return candidates;
    std::vector<float> features;
    if (!ExtractFeatures(ink, classifier_.model().features, &features)) return candidates;
    for (const Ranked& r : classifier_.Rank(features, count)) {
      candidates.push_back({classifier_.model().characters[static_cast<std::size_t>(r.classIndex)],
                            -r.distance});
    }
    return candidates;
  }

  std::string Name() const override { return "ours"; }

 private:
  Classifier classifier_;
};

}  // namespace

std::unique_ptr<Engine> MakeOursEngine(Model model) {
  return std::make_unique<OursEngine>(std::move(model));
}

}  // namespace lanjian::ours

std::unique_ptr<lanjian::Engine> LoadOursEngine(const std::string& modelPath, std::string* error) {
  lanjian::ours::Model model;
  std::string why;
  if (!lanjian::ours::LoadModel(modelPath, &model, &why)) {
    if (error) *error = why;
    return nullptr;
  }
  return lanjian::ours::MakeOursEngine(std::move(model));
}
