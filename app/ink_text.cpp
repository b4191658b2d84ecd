#include "app/ink_text.h"

void AppendInkSample(std::string& ink, std::int32_t x, std::int32_t y) {
  ink += 'a';
  ink += std::to_string(x);
  ink += 'a';
  ink += std::to_string(y);
}

void AppendStrokeTerminator(std::string& ink) { ink += 'a'; }
