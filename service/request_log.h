// One line per request on stderr, written with a single write so that lines
// from different workers never interleave.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace lanjian {

struct RequestLogEntry {
  std::string_view method;
  std::string_view path;
  int status = 0;
  std::size_t bytesIn = 0;   // request body bytes received
  std::size_t bytesOut = 0;  // reply body bytes
  double milliseconds = 0;
  std::size_t candidates = 0;
};

// "POST / 200 in=25 out=66 ms=2.41 candidates=10"; bytes outside printable
// ASCII in the method or path are shown as \xNN and the path is cut at 200.
std::string FormatRequestLog(const RequestLogEntry& entry);

// The program's own messages and the request lines: "lanjian-recognizer: " + text + "\n".
void WriteServiceLog(std::string_view text);

}  // namespace lanjian
