// Small UTF-8 helpers for the engines' character labels.
#pragma once
#include <string>

namespace lanjian {

// The code point of a NUL-terminated text holding exactly one well-formed
// UTF-8 character; false for anything else (empty, several, broken, null).
bool DecodeSingleUtf8(const char* text, char32_t* codePoint);

// UTF-8 for one code point (used in the log and by the benchmarks).
std::string EncodeUtf8(char32_t codePoint);

}  // namespace lanjian
