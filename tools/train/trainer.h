// Training of the recogniser's model from character templates: augmented inks,
// features, LDA, class means and each class's principal axes of spread.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "service/dataset/hanzi_data.h"
#include "service/ours/model.h"

namespace lanjian::train {

struct TrainOptions {
  ours::FeatureParams features;
  std::int32_t samplesPerClass = 100; // augmented inks per character
  double augment = 1.5;               // scales every distortion family's largest amount
  std::int32_t reducedDim = 128;      // LDA dimensions kept
  std::int32_t axisCount = 12;        // principal axes per class
  std::int32_t shortlist = 200;       // classes the first pass hands on
  std::int32_t coarseDim = 40;        // leading dimensions the first pass compares
  double shrink = 0.2;                // class covariance pulled this far toward the pooled one
  double residualScale = 1.0;         // variance off the axes, relative to the classes' average
  std::vector<char32_t> common;       // characters written often (GB2312 level 1)
  double rarePenalty = 20.0;          // added to the distance of every other character
  std::uint64_t seed = 20240611;
  std::int32_t threads = 2;           // changes the speed only, never the model
};

// Progress lines, for the tool's output.
using Progress = std::function<void(const std::string&)>;

bool TrainModel(const std::vector<dataset::CharacterTemplate>& templates,
                const TrainOptions& options, const Progress& progress, ours::Model* model,
                std::string* error);

}  // namespace lanjian::train
