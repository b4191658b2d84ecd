#include "service/request_log.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace lanjian {
namespace {

void AppendPrintable(std::string& out, std::string_view text, std::size_t limit) {
  std::size_t shown = 0;
  for (char c : text) {
    if (shown == limit) {
      out += "...";
      return;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte > 0x7e || byte == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += c;
    }
    ++shown;
  }
}

}  // namespace

std::string FormatRequestLog(const RequestLogEntry& entry) {
  std::string line;
  AppendPrintable(line, entry.method, 16);
  line += ' ';
  AppendPrintable(line, entry.path, 200);
  char numbers[160];
  std::snprintf(numbers, sizeof numbers, " %d in=%zu out=%zu ms=%.2f candidates=%zu", entry.status,
                entry.bytesIn, entry.bytesOut, entry.milliseconds, entry.candidates);
  line += numbers;
  return line;
}

void WriteServiceLog(std::string_view text) {
  std::string line = "lanjian-recognizer: ";
  line += text;
  line += '\n';
  const char* data = line.data();
  std::size_t left = line.size();
  while (left > 0) {
    const ssize_t written = ::write(STDERR_FILENO, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // nothing sensible to do when stderr is gone
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

}  // namespace lanjian
