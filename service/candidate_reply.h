// The recognition reply the pad reads: {"c":"\u4e00\u4e8c","v":1}.
//
// The pad takes the bytes from the first "{" to the first "}", drops 7 at
// each end and splits the rest on "\": one "uXXXX" piece per candidate. The
// body is valid JSON as well; no candidate gives {"c":"","v":1}.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace lanjian {

inline constexpr std::size_t kMaxReplyCandidates = 10;

struct CandidateReply {
  std::string body;
  std::size_t count = 0;  // candidates written
};

// Writes the candidates in order as lower-case \uXXXX escapes, skipping any
// that the pad cannot show and any repeat, and stopping after ten.
CandidateReply BuildCandidateReply(const std::vector<char32_t>& candidates);

}  // namespace lanjian
