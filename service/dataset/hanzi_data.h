// Character templates from the npm package hanzi-writer-data: one JSON file per
// character whose "medians" are the stroke centre lines in standard stroke order.
#pragma once
#include <string>
#include <vector>

namespace lanjian::dataset {

struct Point {
  float x;
  float y;
};
using Polyline = std::vector<Point>;

// Medians in a 1024-unit em box, x to the right and y DOWNWARDS (the package
// stores y upwards with the baseline at 900; the loader turns it over so that the
// box runs from 0 to 1024 on both axes like a pad).
struct CharacterTemplate {
  char32_t character = 0;
  std::vector<Polyline> strokes;
};

constexpr float kTemplateBox = 1024.0f;

// The folder of the installed package, as configured by the build
// (LANJIAN_HANZI_WRITER_DATA_DIR); empty if the build did not set it.
std::string DefaultHanziDataDir();

// UTF-8 of one code point (the package names its files after the character).
std::string Utf8(char32_t character);

// Parses one file's text. False with a message in *error for malformed JSON,
// missing or empty "medians", or a median with a non-numeric point.
bool ParseCharacterTemplate(const std::string& json, char32_t character,
                            CharacterTemplate* out, std::string* error);

// Reads dataDir/<character>.json.
bool LoadCharacterTemplate(const std::string& dataDir, char32_t character,
                           CharacterTemplate* out, std::string* error);

// Reads every listed character that the package has; the characters it lacks
// are listed in *missing (may be null). False only for a file that exists but
// cannot be read or parsed.
bool LoadCharacterTemplates(const std::string& dataDir, const std::vector<char32_t>& characters,
                            std::vector<CharacterTemplate>* out,
                            std::vector<char32_t>* missing, std::string* error);

}  // namespace lanjian::dataset
