// The texts a request worker sends and takes from the response headers:
// default request headers, the Cookie line, request flags, the verb, and the
// cookies found in the raw response headers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Request flags: always fetch from the server; also keep the platform's cookie
// store out of the request when the caller sends cookies of its own without
// asking to store the ones received.
constexpr std::uint32_t kFlagReload = 0x80000000u;
constexpr std::uint32_t kFlagNoCookies = 0x00080000u;
std::uint32_t RequestFlags(std::string_view sendCookies, bool storeCookies);

// extraHeaders followed by the default Accept, Referer (the full url) and
// Accept-Language lines, each left out when its "Name: " occurs anywhere in
// extraHeaders, case ignored.
std::string WithDefaultHeaders(std::string_view extraHeaders, std::string_view url);

// "Cookie: " + sendCookies (as written) + CR LF; empty when sendCookies is blank.
std::string CookieHeaderLine(std::string_view sendCookies);

enum class HttpVerb { Get, Post, Other };
// Empty or GET is Get and POST is Post, whatever the case of a to z.
HttpVerb ClassifyVerb(std::string_view method);

// For a POST with a body: Content-Type (unless the headers name one) and
// Content-Length lines appended to the headers.
void AddBodyHeaders(std::string& headers, std::string_view body);

// The name=value parts of the Set-Cookie lines of raw CR LF headers, joined by
// "; " (lines whose value is empty or has no ";" after it add nothing).
std::string CollectReceivedCookies(std::string_view rawHeaders);

// The cookies to put in the platform's store: for every Set-Cookie line, the
// name before the first "=" and everything after it, attributes included.
struct ReceivedCookie {
  std::string name;
  std::string data;
};
std::vector<ReceivedCookie> CookiesToStore(std::string_view rawHeaders);
