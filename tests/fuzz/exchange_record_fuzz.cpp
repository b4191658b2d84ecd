// Decodes arbitrary bytes as exchange records: the decoder must stay inside
// the bytes whatever the counts say, and what it decodes must encode and
// decode back to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "net/exchange_record.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckRequestRoundTrip(const HttpRequestRecord& r) {
  const ExchangeBytes bytes = EncodeRequestRecord(r);
  const HttpRequestRecord back = DecodeRequestRecord(bytes.data(), bytes.size());
  Check(back.url == r.url && back.method == r.method && back.body == r.body &&
        back.sendCookies == r.sendCookies && back.wantCookies == r.wantCookies && back.proxy == r.proxy &&
        back.extraHeaders == r.extraHeaders && back.userName == r.userName && back.password == r.password &&
        back.wantHeaders == r.wantHeaders && back.storeCookies == r.storeCookies);
}

void CheckResultRoundTrip(const HttpResultRecord& r, int width) {
  const ExchangeBytes bytes = EncodeResultRecord(r, width);
  const HttpResultRecord back = DecodeResultRecord(bytes.data(), bytes.size(), width);
  Check(back.completed == r.completed && back.headers == r.headers && back.cookies == r.cookies &&
        back.body == r.body && back.requestHandle == r.requestHandle &&
        back.connectHandle == r.connectHandle && back.openHandle == r.openHandle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so a read past the end trips the sanitizer.
  const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[size]);
  for (std::size_t i = 0; i < size; ++i) exact[i] = data[i];

  const HttpRequestRecord request = DecodeRequestRecord(exact.get(), size);
  Check(request.url.size() <= size && request.body.size() <= size);
  CheckRequestRoundTrip(request);

  for (int width : {4, static_cast<int>(sizeof(std::uintptr_t))}) {
    const HttpResultRecord result = DecodeResultRecord(exact.get(), size, width);
    Check(result.headers.size() + result.cookies.size() + result.body.size() <= size);
    CheckResultRoundTrip(result, width);
  }
  return 0;
}
