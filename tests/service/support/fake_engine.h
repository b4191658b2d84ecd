// An engine for protocol tests: answers fixed candidates and remembers the ink.
#pragma once
#include <mutex>
#include <string>
#include <vector>

#include "service/engine.h"

namespace lanjian::testing {

class FakeEngine final : public Engine {
 public:
  explicit FakeEngine(std::vector<char32_t> answer) : answer_(std::move(answer)) {}

  std::vector<Candidate> Recognize(const Ink& ink, std::size_t count) const override {
    std::lock_guard<std::mutex> lock(mutex_);
    lastInk_ = ink;
    ++calls_;
    std::vector<Candidate> result;
    for (std::size_t i = 0; i < answer_.size() && i < count; ++i) {
      result.push_back({answer_[i], static_cast<float>(answer_.size() - i)});
    }
    return result;
  }
  std::string Name() const override { return "fake"; }

  Ink lastInk() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastInk_;
  }
  int calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }

 private:
  std::vector<char32_t> answer_;
  mutable std::mutex mutex_;
  mutable Ink lastInk_;
  mutable int calls_ = 0;
};

}  // namespace lanjian::testing
