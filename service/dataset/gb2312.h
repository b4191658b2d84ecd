// The GB2312 hanzi, decoded from the code table through the C library's iconv
// rather than kept as data.
#pragma once
#include <vector>

namespace lanjian::dataset {

// Level 1 (rows 16 to 55, the 3755 common hanzi), in code order.
const std::vector<char32_t>& Gb2312Level1();

// Levels 1 and 2 (rows 16 to 87, all 6763 hanzi), in code order.
const std::vector<char32_t>& Gb2312Hanzi();

// True if GBK (code page 936) has the character: what the pad can show.
bool GbkCanRepresent(char32_t character);

}  // namespace lanjian::dataset
