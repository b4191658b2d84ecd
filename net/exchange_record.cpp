#include "net/exchange_record.h"

#include <limits>
#include <stdexcept>
#include <string_view>

namespace {

void PutUnsigned(ExchangeBytes& out, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutInt32(ExchangeBytes& out, std::int32_t value) {
  PutUnsigned(out, static_cast<std::uint32_t>(value), 4);
}

void PutFlag(ExchangeBytes& out, bool value) { PutInt32(out, value ? 1 : 0); }

void PutBytes(ExchangeBytes& out, std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("field longer than an int32 count can say");
  PutInt32(out, static_cast<std::int32_t>(bytes.size()));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// Reads fields in order from a byte range without ever leaving it.
struct FieldReader {
  const std::uint8_t* bytes;
  std::size_t size;
  std::size_t offset = 0;

  // Bytes beyond the end read as zero; the offset never passes the end.
  std::uint64_t Unsigned(int width) {
    std::uint64_t value = 0;
    for (int i = 0; i < width && offset < size; ++i, ++offset)
      value |= static_cast<std::uint64_t>(bytes[offset]) << (8 * i);
    return value;
  }

  std::int32_t Int32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(4))); }

  bool Flag() { return Int32() != 0; }

  std::string Bytes() {
    const std::int32_t count = Int32();
    if (count <= 0 || offset >= size) return {};
    const std::size_t available = size - offset;
    const std::size_t wanted = static_cast<std::size_t>(count);
    const std::size_t taken = wanted < available ? wanted : available;
    std::string out(reinterpret_cast<const char*>(bytes + offset), taken);
    offset += taken;
    return out;
  }

  std::string Text() {
    std::string text = Bytes();
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
  }
};

}  // namespace

ExchangeBytes EncodeRequestRecord(const HttpRequestRecord& request) {
  ExchangeBytes out;
  out.reserve(48 + request.url.size() + request.method.size() + request.body.size() +
              request.sendCookies.size() + request.proxy.size() + request.extraHeaders.size() +
              request.userName.size() + request.password.size());
  PutInt32(out, 1);
  PutBytes(out, request.url);
  PutBytes(out, request.method);
  PutBytes(out, request.body);
  PutBytes(out, request.sendCookies);
  PutFlag(out, request.wantCookies);
  PutBytes(out, request.proxy);
  PutBytes(out, request.extraHeaders);
  PutBytes(out, request.userName);
  PutBytes(out, request.password);
  PutFlag(out, request.wantHeaders);
  PutFlag(out, request.storeCookies);
  return out;
}

ExchangeBytes EncodeResultRecord(const HttpResultRecord& result, int handleWidth) {
  ExchangeBytes out;
  out.reserve(16 + 3 * static_cast<std::size_t>(handleWidth) + result.headers.size() +
              result.cookies.size() + result.body.size());
  PutFlag(out, result.completed);
  PutBytes(out, result.headers);
  PutBytes(out, result.cookies);
  PutBytes(out, result.body);
  PutUnsigned(out, result.requestHandle, handleWidth);
  PutUnsigned(out, result.connectHandle, handleWidth);
  PutUnsigned(out, result.openHandle, handleWidth);
  return out;
}

HttpRequestRecord DecodeRequestRecord(const std::uint8_t* bytes, std::size_t size) {
  FieldReader reader{bytes, size};
  HttpRequestRecord request;
  reader.Int32();  // `valid`, always 1
  request.url = reader.Text();
  request.method = reader.Text();
  request.body = reader.Text();
  request.sendCookies = reader.Text();
  request.wantCookies = reader.Flag();
  request.proxy = reader.Text();
  request.extraHeaders = reader.Text();
  request.userName = reader.Text();
  request.password = reader.Text();
  request.wantHeaders = reader.Flag();
  request.storeCookies = reader.Flag();
  return request;
}

HttpResultRecord DecodeResultRecord(const std::uint8_t* bytes, std::size_t size, int handleWidth) {
  FieldReader reader{bytes, size};
  HttpResultRecord result;
  result.completed = reader.Flag();
  result.headers = reader.Text();
  result.cookies = reader.Text();
  result.body = reader.Bytes();
  result.requestHandle = static_cast<std::uintptr_t>(reader.Unsigned(handleWidth));
  result.connectHandle = static_cast<std::uintptr_t>(reader.Unsigned(handleWidth));
  result.openHandle = static_cast<std::uintptr_t>(reader.Unsigned(handleWidth));
  return result;
}
