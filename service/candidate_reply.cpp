#include "service/candidate_reply.h"

#include <algorithm>
#include <cstdio>

#include "service/gbk_charset.h"

namespace lanjian {

CandidateReply BuildCandidateReply(const std::vector<char32_t>& candidates) {
  CandidateReply reply;
  std::vector<char32_t> written;
  reply.body = "{\"c\":\"";
  for (char32_t candidate : candidates) {
    if (written.size() == kMaxReplyCandidates) break;
    if (!IsPadCandidate(candidate)) continue;
    if (std::find(written.begin(), written.end(), candidate) != written.end()) continue;
    written.push_back(candidate);
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(candidate));
    reply.body += escape;
  }
  reply.body += "\",\"v\":1}";
  reply.count = written.size();
  return reply;
}

}  // namespace lanjian
