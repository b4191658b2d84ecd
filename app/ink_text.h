// InkText: the sampled trajectory of one character as text. A sample appends
// "a", x, "a", y (decimal, "-" before negatives); a stroke end appends "a".
#pragma once
#include <cstdint>
#include <string>

void AppendInkSample(std::string& ink, std::int32_t x, std::int32_t y);
void AppendStrokeTerminator(std::string& ink);
