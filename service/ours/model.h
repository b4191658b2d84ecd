// The recogniser's model: feature settings, the LDA projection, class means for
// the fast first pass, and each class's principal axes of spread for the
// modified quadratic discriminant that re-ranks the shortlist.
//
// File layout (little-endian): a fixed header with magic, version, sizes and a
// 64-bit FNV-1a checksum of the header and the payload, then the payload
// arrays in the order of the fields below, 32-bit each.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <Eigen/Core>

#include "service/ours/features.h"

namespace lanjian::ours {

using RowMatrix = Eigen::Matrix<float, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

struct Model {
  FeatureParams features;
  std::int32_t shortlist = 200;          // classes the first pass hands on
  std::int32_t coarseDim = 40;           // leading reduced dimensions the first pass uses
  std::vector<char32_t> characters;      // C classes
  Eigen::VectorXf inputMean;             // D: subtracted before projecting
  RowMatrix projection;                  // d x D
  RowMatrix means;                       // C x d, in the projected space
  RowMatrix eigenvalues;                 // C x k, largest first
  Eigen::VectorXf residual;              // C: variance assumed off the k axes
  Eigen::VectorXf penalty;               // C: added to the final distance (rarer characters)
  RowMatrix eigenvectors;                // (C * k) x d, class c's axes in rows c*k ...

  std::int32_t InputDimension() const { return static_cast<std::int32_t>(inputMean.size()); }
  std::int32_t ReducedDimension() const { return static_cast<std::int32_t>(projection.rows()); }
  std::int32_t ClassCount() const { return static_cast<std::int32_t>(characters.size()); }
  std::int32_t AxisCount() const { return static_cast<std::int32_t>(eigenvalues.cols()); }
};

inline constexpr char kModelMagic[8] = {'L', 'J', 'O', 'U', 'R', 'S', 'M', 'D'};
inline constexpr std::uint32_t kModelVersion = 3;

// The model as file bytes; empty with *error if the model's sizes disagree.
std::string SerializeModel(const Model& model, std::string* error);

// Checks the header, the sizes against the byte count, the checksum and the
// values, then fills *model. False with a sentence in *error otherwise.
bool ParseModel(const std::string& bytes, Model* model, std::string* error);

bool SaveModel(const Model& model, const std::string& path, std::string* error);
bool LoadModel(const std::string& path, Model* model, std::string* error);

std::uint64_t Fnv1a64(const char* data, std::size_t size,
                      std::uint64_t hash = 0xcbf29ce484222325ull);

}  // namespace lanjian::ours
