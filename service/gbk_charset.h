// Which characters the pad can show: it decodes each candidate escape into the
// Chinese ANSI code page (936, GBK), so a candidate must be one character of
// the Basic Multilingual Plane that this code page holds.
#pragma once

namespace lanjian {

// True for a printable BMP code point that code page 936 can represent
// (control characters and surrogates are not candidates).
bool IsPadCandidate(char32_t codePoint);

}  // namespace lanjian
