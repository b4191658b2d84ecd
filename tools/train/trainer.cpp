#include "tools/train/trainer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include <Eigen/Dense>

#include "service/ours/features.h"
#include "tools/train/training_inks.h"

namespace lanjian::train {
namespace {

using RowMatrixF = Eigen::Matrix<float, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

// Classes handled together: one block of feature rows per batch.
constexpr std::size_t kBatchClasses = 32;

// Runs body(i) for i in [0, count) on `threads` threads; results go to
// slots indexed by i, so the schedule never shows in them.
void ParallelFor(std::size_t count, std::int32_t threads,
                 const std::function<void(std::size_t)>& body) {
  const std::size_t workers = std::max<std::size_t>(1, static_cast<std::size_t>(threads));
  if (workers == 1 || count < 2) {
    for (std::size_t i = 0; i < count; ++i) body(i);
    return;
  }
  std::vector<std::thread> pool;
  for (std::size_t w = 0; w < workers; ++w) {
    pool.emplace_back([&, w] {
      for (std::size_t i = w; i < count; i += workers) body(i);
    });
  }
  for (std::thread& t : pool) t.join();
}

// Feature rows of every augmented ink of classes [first, last), class by class.
RowMatrixF BatchFeatures(const std::vector<dataset::CharacterTemplate>& templates,
                         std::size_t first, std::size_t last, const TrainOptions& options) {
  const std::size_t S = static_cast<std::size_t>(options.samplesPerClass);
  const std::int32_t D = options.features.Dimension();
  RowMatrixF rows(static_cast<Eigen::Index>((last - first) * S), D);
  ParallelFor((last - first) * S, options.threads, [&](std::size_t i) {
    const auto& character = templates[first + i / S];
    const Ink ink =
        TrainingInk(character, options.seed, static_cast<std::int32_t>(i % S), options.augment);
    std::vector<float> features;
    ours::ExtractFeatures(ink, options.features, &features);
    rows.row(static_cast<Eigen::Index>(i)) =
        Eigen::Map<const Eigen::RowVectorXf>(features.data(), D);
  });
  return rows;
}

std::string Seconds(std::chrono::steady_clock::time_point since) {
  const double s =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", s);
  return text;
}

}  // namespace

bool TrainModel(const std::vector<dataset::CharacterTemplate>& templates,
                const TrainOptions& options, const Progress& progress, ours::Model* model,
                std::string* error) {
  const auto start = std::chrono::steady_clock::now();
  const std::size_t C = templates.size();
  const std::size_t S = static_cast<std::size_t>(options.samplesPerClass);
  const std::int32_t D = options.features.Dimension();
  const std::int32_t d = options.reducedDim;
  const std::int32_t k = options.axisCount;
  if (!options.features.Valid() || C < 2 || S < 2 || d < 1 || d > D ||
      k < 0 || k >= d || options.shortlist < 1) {
    *error = "training options out of range";
    return false;
  }
  if (static_cast<std::size_t>(d) > C - 1) {
    *error = "LDA keeps at most one dimension fewer than the classes";
    return false;
  }

  // Pass 1: class means and the within-class scatter of the raw features.
  Eigen::MatrixXd classMeans(D, static_cast<Eigen::Index>(C));
  Eigen::MatrixXd within = Eigen::MatrixXd::Zero(D, D);
  for (std::size_t first = 0; first < C; first += kBatchClasses) {
    const std::size_t last = std::min(C, first + kBatchClasses);
    RowMatrixF rows = BatchFeatures(templates, first, last, options);
    for (std::size_t c = first; c < last; ++c) {
      auto block = rows.middleRows(static_cast<Eigen::Index>((c - first) * S),
                                   static_cast<Eigen::Index>(S));
      const Eigen::RowVectorXd mean = block.cast<double>().colwise().mean();
      classMeans.col(static_cast<Eigen::Index>(c)) = mean.transpose();
      block.rowwise() -= mean.cast<float>();
    }
    within.noalias() += (rows.transpose() * rows).cast<double>();
    if (progress && (first / kBatchClasses) % 40 == 0) {
      progress("features: " + std::to_string(last) + "/" + std::to_string(C) + " classes, " +
               Seconds(start));
    }
  }
  const double N = static_cast<double>(C * S);
  within /= N;
  const Eigen::VectorXd globalMean = classMeans.rowwise().mean();
  const Eigen::MatrixXd centredMeans = classMeans.colwise() - globalMean;
  const Eigen::MatrixXd between = centredMeans * centredMeans.transpose() / static_cast<double>(C);
  // A little ridge keeps features that never vary (far corners) from blowing up.
  within.diagonal().array() += 1e-3 * within.trace() / D;

  Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> lda(between, within);
  if (lda.info() != Eigen::Success) {
    *error = "LDA eigen decomposition failed";
    return false;
  }
  // Largest d eigenvalues last; each vector has unit within-class variance.
  Eigen::MatrixXd projection(d, D);
  for (std::int32_t i = 0; i < d; ++i) {
    Eigen::VectorXd v = lda.eigenvectors().col(D - 1 - i);
    // A fixed sign, so the model does not depend on the solver's choice.
    Eigen::Index at;
    v.cwiseAbs().maxCoeff(&at);
    if (v[at] < 0) v = -v;
    projection.row(i) = v.transpose();
  }
  if (progress) progress("LDA: " + std::to_string(D) + " -> " + std::to_string(d) + ", " + Seconds(start));

  ours::Model m;
  m.features = options.features;
  m.shortlist = options.shortlist;
  m.coarseDim = std::min(options.coarseDim, d);
  for (const auto& t : templates) m.characters.push_back(t.character);
  m.inputMean = globalMean.cast<float>();
  m.projection = projection.cast<float>();
  m.means.resize(static_cast<Eigen::Index>(C), d);
  m.eigenvalues.resize(static_cast<Eigen::Index>(C), k);
  m.eigenvectors.resize(static_cast<Eigen::Index>(C) * k, d);
  std::vector<double> rest(C, 0.0);

  // Pass 2: the same inks again, reduced; each class's mean and principal axes.
  for (std::size_t first = 0; first < C; first += kBatchClasses) {
    const std::size_t last = std::min(C, first + kBatchClasses);
    const RowMatrixF rows = BatchFeatures(templates, first, last, options);
    const RowMatrixF reduced =
        (rows.rowwise() - m.inputMean.transpose()) * m.projection.transpose();
    ParallelFor(last - first, options.threads, [&](std::size_t i) {
      const std::size_t c = first + i;
      const Eigen::MatrixXd y =
          reduced.middleRows(static_cast<Eigen::Index>(i * S), static_cast<Eigen::Index>(S))
              .cast<double>();
      const Eigen::RowVectorXd mean = y.colwise().mean();
      const Eigen::MatrixXd centred = y.rowwise() - mean;
      Eigen::MatrixXd cov = centred.transpose() * centred / static_cast<double>(S);
      // The pooled within-class covariance is the identity after LDA.
      cov = (1 - options.shrink) * cov +
            options.shrink * Eigen::MatrixXd::Identity(d, d);
      Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eig(cov);
      const auto& values = eig.eigenvalues();  // ascending
      m.means.row(static_cast<Eigen::Index>(c)) = mean.cast<float>();
      double kept = 0;
      for (std::int32_t j = 0; j < k; ++j) {
        Eigen::VectorXd v = eig.eigenvectors().col(d - 1 - j);
        Eigen::Index at;
        v.cwiseAbs().maxCoeff(&at);
        if (v[at] < 0) v = -v;
        m.eigenvalues(static_cast<Eigen::Index>(c), j) =
            static_cast<float>(std::max(values[d - 1 - j], 1e-6));
        m.eigenvectors.row(static_cast<Eigen::Index>(c) * k + j) = v.transpose().cast<float>();
        kept += values[d - 1 - j];
      }
      rest[c] = std::max((values.sum() - kept) / (d - k), 1e-6);
    });
    if (progress && (first / kBatchClasses) % 40 == 0) {
      progress("classes: " + std::to_string(last) + "/" + std::to_string(C) + ", " + Seconds(start));
    }
  }
  double average = 0;
  for (double r : rest) average += r;
  average /= static_cast<double>(C);
  m.residual = Eigen::VectorXf::Constant(static_cast<Eigen::Index>(C),
                                         static_cast<float>(average * options.residualScale));
  // Axes whose variance falls below the residual would be counted as tighter than the rest.
  m.eigenvalues = m.eigenvalues.cwiseMax(m.residual[0]);
  m.penalty.resize(static_cast<Eigen::Index>(C));
  for (std::size_t c = 0; c < C; ++c) {
    const bool common = std::find(options.common.begin(), options.common.end(),
                                  templates[c].character) != options.common.end();
    m.penalty[static_cast<Eigen::Index>(c)] = common ? 0.0f : static_cast<float>(options.rarePenalty);
  }
  if (progress) progress("done, " + Seconds(start));
  *model = std::move(m);
  return true;
}

}  // namespace lanjian::train
