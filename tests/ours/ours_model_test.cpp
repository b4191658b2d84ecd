#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "service/ours/model.h"
#include "service/ours/ours_engine.h"
#include "tools/train/trainer.h"

namespace lanjian::ours {
namespace {

// A small, valid model with made-up numbers.
Model TinyModel() {
  Model m;
  m.features.grid = 8;
  m.features.cells = 2;
  m.features.directions = 4;
  const int D = m.features.Dimension(), d = 4, C = 3, k = 2;
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> u(-1, 1);
  auto fill = [&](auto& matrix) {
    for (Eigen::Index i = 0; i < matrix.size(); ++i) matrix.data()[i] = u(rng);
  };
  m.shortlist = 2;
  m.coarseDim = 3;
  m.characters = {U'一', U'二', U'三'};
  m.inputMean.resize(D);
  fill(m.inputMean);
  m.projection.resize(d, D);
  fill(m.projection);
  m.means.resize(C, d);
  fill(m.means);
  m.eigenvalues = RowMatrix::Constant(C, k, 2.0f);
  m.residual = Eigen::VectorXf::Constant(C, 0.5f);
  m.penalty = Eigen::VectorXf::Zero(C);
  m.eigenvectors.resize(C * k, d);
  fill(m.eigenvectors);
  return m;
}

std::string Bytes(const Model& m) {
  std::string error;
  const std::string bytes = SerializeModel(m, &error);
  EXPECT_FALSE(bytes.empty()) << error;
  return bytes;
}

std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

TEST(OursModel, RoundTripsThroughTheFile) {
  const Model m = TinyModel();
  const std::string path = WriteTemp("tiny.model", Bytes(m));
  Model back;
  std::string error;
  ASSERT_TRUE(LoadModel(path, &back, &error)) << error;
  EXPECT_EQ(back.characters, m.characters);
  EXPECT_TRUE(back.projection.isApprox(m.projection));
  EXPECT_TRUE(back.eigenvectors.isApprox(m.eigenvectors));
  EXPECT_EQ(Bytes(back), Bytes(m));
  EXPECT_NE(LoadOursEngine(path, &error), nullptr) << error;
}

TEST(OursModel, LoaderRejectsBrokenFilesWithAClearError) {
  const std::string good = Bytes(TinyModel());
  const std::size_t header = 80;
  auto flip = [&](std::size_t at) {
    std::string b = good;
    b[at] = static_cast<char>(b[at] ^ 0x40);
    return b;
  };
  Model wrongSizes = TinyModel();
  std::string ignored;
  const struct {
    const char* name;
    std::string bytes;
    const char* says;
  } cases[] = {
      {"empty", "", "too short"},
      {"header cut", good.substr(0, header - 1), "too short"},
      {"payload cut", good.substr(0, good.size() - 5), "truncated"},
      {"header only", good.substr(0, header), "truncated"},
      {"trailing bytes", good + "x", "trailing"},
      {"payload byte flipped", flip(header + 100), "checksum"},
      {"last byte flipped", flip(good.size() - 1), "checksum"},
      {"magic", flip(0), "magic"},
      {"version", flip(8), "version"},
      {"class count", flip(48), "checksum"},
      {"payload size field", flip(64), "truncated"},
      {"feature grid", flip(16), "checksum"},
      {"feature weight", flip(30), "checksum"},
      {"text file", "hello, I am not a model at all, really not, no, no, no, no, no, no, no, "
                    "not one bit of it", "magic"},
  };
  for (const auto& c : cases) {
    Model m;
    std::string error;
    EXPECT_FALSE(ParseModel(c.bytes, &m, &error)) << c.name;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;

    const std::string path = WriteTemp("broken.model", c.bytes);
    std::string engineError;
    EXPECT_EQ(LoadOursEngine(path, &engineError), nullptr) << c.name;
    EXPECT_NE(engineError.find(path), std::string::npos) << engineError;
    EXPECT_NE(engineError.find(c.says), std::string::npos) << c.name << ": " << engineError;
  }
  std::string error;
  EXPECT_EQ(LoadOursEngine(::testing::TempDir() + "no-such.model", &error), nullptr);
  EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
}

TEST(OursModel, LoaderRejectsImpossibleValuesUnderAValidChecksum) {
  Model nan = TinyModel();
  nan.projection(1, 2) = std::numeric_limits<float>::quiet_NaN();
  Model negative = TinyModel();
  negative.residual[1] = -1;
  Model astral = TinyModel();
  astral.characters[2] = 0x20000;
  const struct {
    const char* name;
    Model model;
  } cases[] = {{"NaN", nan}, {"negative variance", negative}, {"astral character", astral}};
  for (const auto& c : cases) {
    Model m;
    std::string error;
    EXPECT_FALSE(ParseModel(Bytes(c.model), &m, &error)) << c.name;
    EXPECT_FALSE(error.empty());
  }
}

TEST(OursTraining, OutputIsDeterministicWhateverTheThreadCount) {
  std::vector<char32_t> chars(dataset::Gb2312Level1().begin(),
                              dataset::Gb2312Level1().begin() + 40);
  std::vector<dataset::CharacterTemplate> templates;
  std::string error;
  ASSERT_TRUE(dataset::LoadCharacterTemplates(dataset::DefaultHanziDataDir(), chars, &templates,
                                              nullptr, &error))
      << error;
  train::TrainOptions options;
  options.samplesPerClass = 6;
  options.reducedDim = 12;
  options.axisCount = 3;
  options.shortlist = 10;
  std::string first;
  for (int threads : {1, 2, 3}) {
    options.threads = threads;
    Model model;
    ASSERT_TRUE(train::TrainModel(templates, options, nullptr, &model, &error)) << error;
    const std::string bytes = Bytes(model);
    if (first.empty()) {
      first = bytes;
    } else {
      EXPECT_TRUE(bytes == first) << "threads " << threads;
    }
  }
  options.seed += 1;
  Model other;
  ASSERT_TRUE(train::TrainModel(templates, options, nullptr, &other, &error)) << error;
  EXPECT_FALSE(Bytes(other) == first);  // the seed is used
}

}  // namespace
}  // namespace lanjian::ours
