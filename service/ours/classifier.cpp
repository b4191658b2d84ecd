#include "service/ours/classifier.h"

#include <algorithm>
#include <cmath>

namespace lanjian::ours {

Classifier::Classifier(Model model) : model_(std::move(model)) {
  const std::int32_t C = model_.ClassCount(), d = model_.ReducedDimension(),
                     k = model_.AxisCount();
  coarseMeans_ = model_.means.leftCols(model_.coarseDim);
  meanNorms_ = coarseMeans_.rowwise().squaredNorm();
  constants_.resize(C);
  for (std::int32_t c = 0; c < C; ++c) {
    constants_[c] = model_.eigenvalues.row(c).array().log().sum() +
                    static_cast<float>(d - k) * std::log(model_.residual[c]);
  }
}

Eigen::VectorXf Classifier::Reduce(const std::vector<float>& features) const {
  const Eigen::Map<const Eigen::VectorXf> x(features.data(), model_.InputDimension());
  return model_.projection * (x - model_.inputMean);
}

std::vector<Ranked> Classifier::Shortlist(const Eigen::VectorXf& y, std::size_t count) const {
  // |y - m|^2 over the leading (most discriminant) dimensions, without the
  // |y|^2 every class shares: a small matrix that stays in the cache.
  const auto head = y.head(model_.coarseDim);
  const Eigen::VectorXf distances = meanNorms_ - 2.0f * (coarseMeans_ * head);
  std::vector<Ranked> ranked(static_cast<std::size_t>(distances.size()));
  for (std::size_t c = 0; c < ranked.size(); ++c) {
    ranked[c] = {static_cast<std::int32_t>(c), distances[static_cast<Eigen::Index>(c)]};
  }
  count = std::min(count, ranked.size());
  auto better = [](const Ranked& a, const Ranked& b) {
    return a.distance < b.distance || (a.distance == b.distance && a.classIndex < b.classIndex);
  };
  std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(count),
                    ranked.end(), better);
  ranked.resize(count);
  const float shared = head.squaredNorm();
  for (Ranked& r : ranked) r.distance += shared;
  return ranked;
}

float Classifier::Discriminant(std::int32_t c, const Eigen::VectorXf& y, Eigen::VectorXf* diff,
                               Eigen::VectorXf* along) const {
  const std::int32_t k = model_.AxisCount();
  diff->noalias() = y - model_.means.row(c).transpose();
  along->noalias() = model_.eigenvectors.middleRows(static_cast<Eigen::Index>(c) * k, k) * *diff;
  const float total = diff->squaredNorm();
  const float onAxes = along->squaredNorm();
  const float weighted =
      (along->array().square() / model_.eigenvalues.row(c).transpose().array()).sum();
  return weighted + std::max(total - onAxes, 0.0f) / model_.residual[c] + constants_[c] +
         model_.penalty[c];
}

std::vector<Ranked> Classifier::Rank(const std::vector<float>& features, std::size_t count) const {
  const Eigen::VectorXf y = Reduce(features);
  std::vector<Ranked> ranked =
      Shortlist(y, std::max<std::size_t>(count, static_cast<std::size_t>(model_.shortlist)));
  Eigen::VectorXf diff(y.size()), along(model_.AxisCount());
  for (Ranked& r : ranked) r.distance = Discriminant(r.classIndex, y, &diff, &along);
  std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    return a.distance < b.distance || (a.distance == b.distance && a.classIndex < b.classIndex);
  });
  if (ranked.size() > count) ranked.resize(count);
  return ranked;
}

}  // namespace lanjian::ours
