#include "service/dataset/hanzi_data.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace lanjian::dataset {
namespace {

// The package's glyph frame: y upwards, baseline-to-top from -124 to 900.
constexpr float kSourceTop = 900.0f;

}  // namespace

std::string DefaultHanziDataDir() {
#ifdef LANJIAN_HANZI_WRITER_DATA_DIR
  return LANJIAN_HANZI_WRITER_DATA_DIR;
#else
  return std::string();
#endif
}

std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

bool ParseCharacterTemplate(const std::string& json, char32_t character,
                            CharacterTemplate* out, std::string* error) {
  const nlohmann::json doc = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded() || !doc.is_object()) {
    *error = "not a JSON object";
    return false;
  }
  const auto medians = doc.find("medians");
  if (medians == doc.end() || !medians->is_array() || medians->empty()) {
    *error = "no \"medians\" array";
    return false;
  }
  CharacterTemplate result;
  result.character = character;
  for (const auto& median : *medians) {
    if (!median.is_array() || median.empty()) {
      *error = "a median is not a non-empty array of points";
      return false;
    }
    Polyline line;
    for (const auto& point : median) {
      if (!point.is_array() || point.size() != 2 || !point[0].is_number() ||
          !point[1].is_number()) {
        *error = "a median point is not a pair of numbers";
        return false;
      }
      line.push_back({point[0].get<float>(), kSourceTop - point[1].get<float>()});
    }
    result.strokes.push_back(std::move(line));
  }
  *out = std::move(result);
  return true;
}

bool LoadCharacterTemplate(const std::string& dataDir, char32_t character,
                           CharacterTemplate* out, std::string* error) {
  const std::string path = dataDir + "/" + Utf8(character) + ".json";
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot open";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string why;
  if (!ParseCharacterTemplate(text.str(), character, out, &why)) {
    *error = path + ": " + why;
    return false;
  }
  return true;
}

bool LoadCharacterTemplates(const std::string& dataDir, const std::vector<char32_t>& characters,
                            std::vector<CharacterTemplate>* out,
                            std::vector<char32_t>* missing, std::string* error) {
  out->clear();
  out->reserve(characters.size());
  for (char32_t c : characters) {
    const std::string path = dataDir + "/" + Utf8(c) + ".json";
    if (!std::ifstream(path, std::ios::binary)) {
      if (missing) missing->push_back(c);
      continue;
    }
    CharacterTemplate t;
    if (!LoadCharacterTemplate(dataDir, c, &t, error)) return false;
    out->push_back(std::move(t));
  }
  return true;
}

}  // namespace lanjian::dataset
