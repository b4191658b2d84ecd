// The recognition request as a whole: form body in, reply out, with an
// engine that answers at once. Checks that bad input never gets a brace in
// its answer and that good input always gets a reply the pad can cut.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "recognition/reply_cut.h"
#include "service/engine.h"
#include "service/request_handler.h"

namespace {

class EchoEngine final : public lanjian::Engine {
 public:
  std::vector<lanjian::Candidate> Recognize(const lanjian::Ink& ink, std::size_t count) const override {
    std::vector<lanjian::Candidate> result;
    for (const lanjian::InkStroke& stroke : ink) {
      for (const lanjian::InkPoint& p : stroke) {
        if (result.size() == count) return result;
        result.push_back({static_cast<char32_t>(static_cast<std::uint32_t>(p.x) & 0x1ffff), 1.0f});
      }
    }
    return result;
  }
  std::string Name() const override { return "echo"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const EchoEngine engine;
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const lanjian::ServiceReply reply = lanjian::HandleServiceRequest(engine, "POST", "/", body);
  if (reply.status == 200) {
    if (CutCandidatePieces(reply.body).size() != reply.candidates) std::abort();
    if (reply.candidates > 10) std::abort();
  } else {
    if (reply.status != 400) std::abort();
    if (reply.body.find_first_of("{}") != std::string::npos) std::abort();
  }
  return 0;
}
