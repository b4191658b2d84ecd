#include "service/zinnia_engine.h"

#include <zinnia.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "service/gbk_charset.h"
#include "service/utf8.h"
#include "service/zinnia_vertices.h"

namespace lanjian {
namespace {

// No character has more strokes than this; the library's cost grows with
// every stroke it is given (about 10 ms per stroke beyond it), so an ink with
// more is read by its first strokes only.
constexpr std::size_t kMaxZinniaStrokes = 48;

class ZinniaEngine final : public Engine {
 public:
  explicit ZinniaEngine(std::unique_ptr<zinnia::Recognizer> recognizer)
      : recognizer_(std::move(recognizer)) {}

  std::vector<Candidate> Recognize(const Ink& ink, std::size_t count) const override {
    std::vector<Candidate> candidates;
    if (count == 0) return candidates;
    const FrameOptions frame = ZinniaFrame();
    const Ink framed = NormalizeInk(ink, frame);
    if (framed.empty()) return candidates;

    std::unique_ptr<zinnia::Character> character(zinnia::createCharacter());
    character->set_width(static_cast<std::size_t>(frame.size));
    character->set_height(static_cast<std::size_t>(frame.size));
    for (std::size_t id = 0; id < framed.size() && id < kMaxZinniaStrokes; ++id) {
      for (const InkPoint& p : KeepFeatureSplitPoints(framed[id], frame.size)) {
        character->add(id, p.x, p.y);
      }
    }
    // Ask for more than needed: a few of the model's labels are not characters
    // the pad can show.
    std::unique_ptr<zinnia::Result> result(recognizer_->classify(*character, count + 16));
    if (!result) return candidates;
    for (std::size_t i = 0; i < result->size() && candidates.size() < count; ++i) {
      char32_t codePoint = 0;
      if (!DecodeSingleUtf8(result->value(i), &codePoint) || !IsPadCandidate(codePoint)) continue;
      candidates.push_back({codePoint, result->score(i)});
    }
    return candidates;
  }

  std::string Name() const override { return "zinnia"; }

 private:
  std::unique_ptr<zinnia::Recognizer> recognizer_;
};

}  // namespace

// The model was trained on characters at their natural size inside a writing
// box, not filling it. On pad-like inks of the 3755 level-1 characters
// (top-1/top-10 %) a margin of a fifth did best: 0.10 74.8/88.4, 0.15
// 75.7/89.2, 0.20 75.8/89.9, 0.25 75.2/89.6. On a 600-character sample no
// margin gave 71.3/86.2, and stretching the box to a square instead of
// keeping the aspect ratio 71.2/85.8.
FrameOptions ZinniaFrame() { return FrameOptions{1000, 0.20}; }

std::unique_ptr<Engine> LoadZinniaEngine(const std::string& modelPath, std::string* error) {
  struct stat info {};
  if (::stat(modelPath.c_str(), &info) != 0) {
    if (error) *error = "cannot open the zinnia model " + modelPath + ": " + std::strerror(errno);
    return nullptr;
  }
  if (!S_ISREG(info.st_mode)) {
    if (error) *error = "the zinnia model " + modelPath + " is not a regular file";
    return nullptr;
  }
  std::unique_ptr<zinnia::Recognizer> recognizer(zinnia::createRecognizer());
  if (!recognizer->open(modelPath.c_str())) {
    if (error) *error = "cannot load the zinnia model " + modelPath + ": " + recognizer->what();
    return nullptr;
  }
  if (recognizer->size() == 0) {
    if (error) *error = "the zinnia model " + modelPath + " holds no characters";
    return nullptr;
  }
  return std::make_unique<ZinniaEngine>(std::move(recognizer));
}

}  // namespace lanjian
