#include "service/ours/model.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <fstream>

namespace lanjian::ours {
namespace {

static_assert(std::endian::native == std::endian::little, "the model file is little-endian");

// Header: magic, version, header size, feature settings, sizes, payload size, checksum.
struct Header {
  char magic[8];
  std::uint32_t version;
  std::uint32_t headerBytes;
  std::int32_t grid, cells, directions;
  float imaginaryWeight, blur, power;
  std::int32_t inputDim, reducedDim, classCount, axisCount, shortlist;
  std::int32_t coarseDim;
  std::uint64_t payloadBytes;
  std::uint64_t checksum;
};
static_assert(sizeof(Header) == 80);

constexpr std::int32_t kMaxDimension = 4096;
constexpr std::int32_t kMaxClasses = 65536;

std::uint64_t PayloadFloats(std::int64_t D, std::int64_t d, std::int64_t C, std::int64_t k) {
  return static_cast<std::uint64_t>(D + d * D + C * d + C * k + 2 * C + C * k * d);
}

// FNV-1a over the header up to its checksum field, then the payload.
std::uint64_t Checksum(const std::string& file) {
  const std::uint64_t header = Fnv1a64(file.data(), offsetof(Header, checksum));
  return Fnv1a64(file.data() + sizeof(Header), file.size() - sizeof(Header), header);
}

template <typename T>
void Append(std::string* out, const T* data, std::size_t count) {
  out->append(reinterpret_cast<const char*>(data), count * sizeof(T));
}

bool AllFinite(const float* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!std::isfinite(data[i])) return false;
  }
  return true;
}

}  // namespace

std::uint64_t Fnv1a64(const char* data, std::size_t size, std::uint64_t hash) {
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= static_cast<unsigned char>(data[i]);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string SerializeModel(const Model& m, std::string* error) {
  const std::int64_t D = m.InputDimension(), d = m.ReducedDimension(), C = m.ClassCount(),
                     k = m.AxisCount();
  if (D != m.features.Dimension() || m.projection.cols() != D || m.means.rows() != C ||
      m.means.cols() != d || m.eigenvalues.rows() != C || m.residual.size() != C ||
      m.eigenvectors.rows() != C * k || m.eigenvectors.cols() != d || m.penalty.size() != C) {
    *error = "model arrays disagree in size";
    return {};
  }
  std::string payload;
  payload.reserve(PayloadFloats(D, d, C, k) * 4);
  std::vector<std::uint32_t> chars(m.characters.begin(), m.characters.end());
  Append(&payload, chars.data(), chars.size());
  Append(&payload, m.inputMean.data(), static_cast<std::size_t>(D));
  Append(&payload, m.projection.data(), static_cast<std::size_t>(d * D));
  Append(&payload, m.means.data(), static_cast<std::size_t>(C * d));
  Append(&payload, m.eigenvalues.data(), static_cast<std::size_t>(C * k));
  Append(&payload, m.residual.data(), static_cast<std::size_t>(C));
  Append(&payload, m.penalty.data(), static_cast<std::size_t>(C));
  Append(&payload, m.eigenvectors.data(), static_cast<std::size_t>(C * k * d));

  Header h{};
  std::memcpy(h.magic, kModelMagic, sizeof h.magic);
  h.version = kModelVersion;
  h.headerBytes = sizeof(Header);
  h.grid = m.features.grid;
  h.cells = m.features.cells;
  h.directions = m.features.directions;
  h.imaginaryWeight = m.features.imaginaryWeight;
  h.blur = m.features.blur;
  h.power = m.features.power;
  h.inputDim = static_cast<std::int32_t>(D);
  h.reducedDim = static_cast<std::int32_t>(d);
  h.classCount = static_cast<std::int32_t>(C);
  h.axisCount = static_cast<std::int32_t>(k);
  h.shortlist = m.shortlist;
  h.coarseDim = m.coarseDim;
  h.payloadBytes = payload.size();
  std::string bytes(reinterpret_cast<const char*>(&h), sizeof h);
  bytes += payload;
  h.checksum = Checksum(bytes);
  std::memcpy(bytes.data() + offsetof(Header, checksum), &h.checksum, sizeof h.checksum);
  return bytes;
}

bool ParseModel(const std::string& bytes, Model* model, std::string* error) {
  Header h;
  if (bytes.size() < sizeof h) {
    *error = "file too short for a model header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  std::memcpy(&h, bytes.data(), sizeof h);
  if (std::memcmp(h.magic, kModelMagic, sizeof h.magic) != 0) {
    *error = "not a model file of this recogniser (wrong magic)";
    return false;
  }
  if (h.version != kModelVersion || h.headerBytes != sizeof h) {
    *error = "unsupported model version " + std::to_string(h.version) + " (expected " +
             std::to_string(kModelVersion) + ")";
    return false;
  }
  if (bytes.size() - sizeof h != h.payloadBytes) {
    *error = "model file is truncated or has trailing bytes: " +
             std::to_string(bytes.size() - sizeof h) + " payload bytes, the header says " +
             std::to_string(h.payloadBytes);
    return false;
  }
  if (Checksum(bytes) != h.checksum) {
    *error = "model file is corrupted (checksum mismatch)";
    return false;
  }
  Model m;
  m.features.grid = h.grid;
  m.features.cells = h.cells;
  m.features.directions = h.directions;
  m.features.imaginaryWeight = h.imaginaryWeight;
  m.features.blur = h.blur;
  m.features.power = h.power;
  m.shortlist = h.shortlist;
  m.coarseDim = h.coarseDim;
  const std::int64_t D = h.inputDim, d = h.reducedDim, C = h.classCount, k = h.axisCount;
  if (!m.features.Valid() || D != m.features.Dimension() || D > kMaxDimension || d < 1 ||
      d > D || C < 1 || C > kMaxClasses || k < 0 || k >= d || h.shortlist < 1 ||
      h.coarseDim < 1 || h.coarseDim > d) {
    *error = "model header holds impossible sizes";
    return false;
  }
  const std::uint64_t expected = PayloadFloats(D, d, C, k) * 4 + static_cast<std::uint64_t>(C) * 4;
  if (h.payloadBytes != expected) {
    *error = "model header's payload size disagrees with its dimensions";
    return false;
  }
  const char* p = bytes.data() + sizeof h;
  auto take = [&p](void* dst, std::size_t count) {
    std::memcpy(dst, p, count * 4);
    p += count * 4;
  };
  std::vector<std::uint32_t> chars(static_cast<std::size_t>(C));
  take(chars.data(), chars.size());
  m.inputMean.resize(D);
  take(m.inputMean.data(), static_cast<std::size_t>(D));
  m.projection.resize(d, D);
  take(m.projection.data(), static_cast<std::size_t>(d * D));
  m.means.resize(C, d);
  take(m.means.data(), static_cast<std::size_t>(C * d));
  m.eigenvalues.resize(C, k);
  take(m.eigenvalues.data(), static_cast<std::size_t>(C * k));
  m.residual.resize(C);
  take(m.residual.data(), static_cast<std::size_t>(C));
  m.penalty.resize(C);
  take(m.penalty.data(), static_cast<std::size_t>(C));
  m.eigenvectors.resize(C * k, d);
  take(m.eigenvectors.data(), static_cast<std::size_t>(C * k * d));

  for (std::uint32_t c : chars) {
    if (c == 0 || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      *error = "model holds a character outside the Basic Multilingual Plane";
      return false;
    }
  }
  m.characters.assign(chars.begin(), chars.end());
  if (!AllFinite(m.inputMean.data(), D) || !AllFinite(m.projection.data(), d * D) ||
      !AllFinite(m.means.data(), C * d) || !AllFinite(m.eigenvectors.data(), C * k * d) ||
      !AllFinite(m.eigenvalues.data(), C * k) || !AllFinite(m.residual.data(), C) || !AllFinite(m.penalty.data(), C) ||
      (m.eigenvalues.array() <= 0).any() || (m.residual.array() <= 0).any()) {
    *error = "model holds values that are not finite or variances that are not positive";
    return false;
  }
  *model = std::move(m);
  return true;
}

bool SaveModel(const Model& model, const std::string& path, std::string* error) {
  const std::string bytes = SerializeModel(model, error);
  if (bytes.empty()) return false;
  // Write beside the target and rename, so that a reader never sees half a file.
  const std::string temporary = path + ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      *error = temporary + ": cannot write";
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = path + ": cannot replace";
    return false;
  }
  return true;
}

bool LoadModel(const std::string& path, Model* model, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot open the model file";
    return false;
  }
  // Read straight into one buffer: the model is tens of megabytes.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string content(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size < 0 || !in.read(content.data(), static_cast<std::streamsize>(content.size()))) {
    *error = path + ": cannot read the model file";
    return false;
  }
  std::string why;
  if (!ParseModel(content, model, &why)) {
    *error = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace lanjian::ours
