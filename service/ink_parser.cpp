#include "service/ink_parser.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace lanjian {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ByteError(std::string_view ink, std::size_t at) {
  char text[80];
  std::snprintf(text, sizeof text, "malformed ink: unexpected byte 0x%02x at offset %zu",
                static_cast<unsigned char>(ink[at]), at);
  return text;
}

enum class NumberStatus { kOk, kMissing, kBadByte, kOutOfRange };

// Reads an optionally negative decimal number at `at`, moving `at` past it.
NumberStatus ReadNumber(std::string_view ink, std::size_t& at, std::int32_t& value) {
  const std::size_t n = ink.size();
  if (at == n || ink[at] == 'a') return NumberStatus::kMissing;
  bool negative = false;
  if (ink[at] == '-') {
    negative = true;
    ++at;
  }
  if (at == n || !IsDigit(ink[at])) return at == n || ink[at] == 'a' ? NumberStatus::kMissing
                                                                     : NumberStatus::kBadByte;
  // Magnitude up to 2^31 so that the most negative value fits too.
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
  std::int64_t magnitude = 0;
  while (at < n && IsDigit(ink[at])) {
    magnitude = magnitude * 10 + (ink[at] - '0');
    if (magnitude > limit) return NumberStatus::kOutOfRange;
    ++at;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return NumberStatus::kOk;
}

}  // namespace

std::string RebuildInkText(std::string_view sent) {
  std::string full;
  full.reserve(sent.size() + 2);
  full += 'a';
  full += sent;
  full += 'a';
  return full;
}

InkParseResult ParseInkText(std::string_view ink, const InkLimits& limits) {
  InkParseResult result;
  InkStroke stroke;
  std::size_t points = 0;
  std::size_t at = 0;
  const std::size_t n = ink.size();
  const auto fail = [&](std::string error) {
    result.ok = false;
    result.ink.clear();
    result.error = std::move(error);
    return result;
  };
  const auto closeStroke = [&]() {
    if (result.ink.size() == limits.maxStrokes) return false;
    result.ink.push_back(std::move(stroke));
    stroke = InkStroke();
    return true;
  };

  while (at < n) {
    if (ink[at] != 'a') return fail(ByteError(ink, at));
    ++at;
    // "a" followed by "a" or by the end is a stroke terminator.
    if (at == n || ink[at] == 'a') {
      if (!closeStroke()) return fail("too many strokes in the ink");
      continue;
    }
    // Otherwise a sample: x, "a", y.
    InkPoint point{};
    const std::size_t xAt = at;
    switch (ReadNumber(ink, at, point.x)) {
      case NumberStatus::kOk: break;
      case NumberStatus::kOutOfRange: return fail("malformed ink: coordinate out of range");
      default: return fail(ByteError(ink, at < n ? at : xAt));
    }
    if (at == n) return fail("malformed ink: odd number of coordinates in a stroke");
    if (ink[at] != 'a') return fail(ByteError(ink, at));
    ++at;
    switch (ReadNumber(ink, at, point.y)) {
      case NumberStatus::kOk: break;
      case NumberStatus::kMissing: return fail("malformed ink: odd number of coordinates in a stroke");
      case NumberStatus::kOutOfRange: return fail("malformed ink: coordinate out of range");
      case NumberStatus::kBadByte: return fail(ByteError(ink, at));
    }
    if (points == limits.maxPoints) return fail("too many points in the ink");
    ++points;
    stroke.push_back(point);
  }
  // A text that stops inside a stroke still holds that stroke.
  if (!stroke.empty() && !closeStroke()) return fail("too many strokes in the ink");
  result.ok = true;
  return result;
}

}  // namespace lanjian
