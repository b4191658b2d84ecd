// The ink parser, the frame normaliser and the split-point reduction on any
// bytes: an accepted ink must print back to the same strokes, and what the
// recogniser would be handed must stay inside its frame and small.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "service/ink_normalizer.h"
#include "service/ink_parser.h"
#include "service/zinnia_engine.h"
#include "service/zinnia_vertices.h"

namespace {

std::string Print(const lanjian::Ink& ink) {
  std::string text;
  for (const lanjian::InkStroke& stroke : ink) {
    for (const lanjian::InkPoint& p : stroke) {
      text += 'a' + std::to_string(p.x) + 'a' + std::to_string(p.y);
    }
    text += 'a';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view sent(reinterpret_cast<const char*>(data), size);
  const lanjian::InkLimits limits{2000, 50};
  const lanjian::InkParseResult parsed = lanjian::ParseInkText(lanjian::RebuildInkText(sent), limits);
  if (!parsed.ok) {
    if (parsed.error.empty() || !parsed.ink.empty()) std::abort();
    return 0;
  }
  const lanjian::InkParseResult again = lanjian::ParseInkText(Print(parsed.ink), limits);
  if (!again.ok || Print(again.ink) != Print(parsed.ink)) std::abort();

  const lanjian::FrameOptions frame = lanjian::ZinniaFrame();
  for (const lanjian::InkStroke& stroke : lanjian::NormalizeInk(parsed.ink, frame)) {
    if (stroke.empty()) std::abort();
    for (const lanjian::InkPoint& p : stroke) {
      if (p.x < 0 || p.y < 0 || p.x > frame.size || p.y > frame.size) std::abort();
    }
    const lanjian::InkStroke kept = lanjian::KeepFeatureSplitPoints(stroke, frame.size);
    if (kept.size() > 27 || kept.size() > stroke.size()) std::abort();
  }
  return 0;
}
