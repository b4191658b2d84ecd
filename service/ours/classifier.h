// Ranking of the classes for one feature vector: Euclidean distance to the
// class means in the reduced space picks a shortlist, a modified quadratic
// discriminant (each class's own principal axes, the rest of its spread taken
// as even) orders it.
#pragma once
#include <cstddef>
#include <vector>

#include "service/ours/model.h"

namespace lanjian::ours {

struct Ranked {
  std::int32_t classIndex;
  float distance;  // smaller is better
};

class Classifier {
 public:
  explicit Classifier(Model model);

  const Model& model() const { return model_; }

  // The best `count` classes, best first. Thread-safe.
  std::vector<Ranked> Rank(const std::vector<float>& features, std::size_t count) const;

  // The first pass alone (nearest mean), for the benchmark.
  std::vector<Ranked> Shortlist(const Eigen::VectorXf& reduced, std::size_t count) const;
  Eigen::VectorXf Reduce(const std::vector<float>& features) const;

 private:
  // Scratch vectors come from the caller so that ranking allocates once.
  float Discriminant(std::int32_t c, const Eigen::VectorXf& reduced, Eigen::VectorXf* diff,
                     Eigen::VectorXf* along) const;

  Model model_;
  RowMatrix coarseMeans_;      // the means' leading coarseDim columns, packed
  Eigen::VectorXf meanNorms_;  // |leading part of the mean|^2 per class
  Eigen::VectorXf constants_;  // log-determinant term per class
};

}  // namespace lanjian::ours
