// The byte record through which HttpFetch and its request worker exchange the
// request, the WinINet handles and the result. Little-endian int32 fields;
// a text or byte string is an int32 byte count followed by its bytes; a
// handle field is as wide as a handle on the platform. Fields follow each
// other without gaps.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using ExchangeBytes = std::vector<std::uint8_t>;

// Width of a handle field on this build (4 on 32-bit, 8 on 64-bit Windows).
constexpr int kHandleFieldWidth = static_cast<int>(sizeof(void*));

struct HttpRequestRecord {
  std::string url;
  std::string method;  // empty: GET
  std::string body;
  std::string sendCookies;
  bool wantCookies = false;
  std::string proxy;  // "host:port" or blank
  std::string extraHeaders;
  std::string userName;
  std::string password;
  bool wantHeaders = false;
  bool storeCookies = false;
};

struct HttpResultRecord {
  bool completed = false;  // false in the provisional record
  std::string headers;
  std::string cookies;
  std::string body;  // any bytes, zero bytes included
  std::uintptr_t requestHandle = 0;
  std::uintptr_t connectHandle = 0;
  std::uintptr_t openHandle = 0;
};

// Request: int32 1, url, method, body, sendCookies, flag wantCookies, proxy,
// extraHeaders, userName, password, flag wantHeaders, flag storeCookies.
ExchangeBytes EncodeRequestRecord(const HttpRequestRecord& request);
// Result: flag completed, headers, cookies, body, then the request, connect
// and open handles.
ExchangeBytes EncodeResultRecord(const HttpResultRecord& result, int handleWidth = kHandleFieldWidth);

// Decoding never reads outside `bytes`, whatever the counts say: missing bytes
// of a fixed field read as zero, a count past the end yields the bytes that are
// there, a negative count yields nothing, and a text stops at its first zero byte.
HttpRequestRecord DecodeRequestRecord(const std::uint8_t* bytes, std::size_t size);
HttpResultRecord DecodeResultRecord(const std::uint8_t* bytes, std::size_t size,
                                    int handleWidth = kHandleFieldWidth);
