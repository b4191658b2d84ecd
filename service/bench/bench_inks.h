// Pad-like inks of GB2312 level-1 characters for the service benchmarks.
#pragma once
#include <string>
#include <vector>

#include "service/engine.h"

namespace lanjian::bench {

struct BenchInk {
  char32_t character;
  Ink ink;           // as the pad samples it
  std::string body;  // the request body the pad sends for it
};

// The first `limit` level-1 characters that the template package has.
// False with a message when the package cannot be read.
bool MakeBenchInks(std::size_t limit, std::vector<BenchInk>* inks, std::string* error);

// Percentile (0..100) of unsorted samples.
double Percentile(std::vector<double> values, double percent);

}  // namespace lanjian::bench
