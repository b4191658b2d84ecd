#include "net/url_helpers.h"

#include <cmath>
#include <limits>

#include "net/text_ops.h"

namespace {
const std::string_view kScheme = "http://";
}

std::string UrlHost(std::string_view url, bool keepPort) {
  const int scheme = TextFind(url, kScheme);
  const int start = scheme == -1 ? 1 : scheme + TextLength(kScheme);
  const int slash = TextFind(url, "/", start);
  std::string host = slash != -1 ? TextMiddle(url, start, slash - start)
                                 : TextMiddle(url, start, TextLength(url));
  if (!keepPort) {
    const int colon = TextFind(host, ":");
    if (colon != -1) host = TextLeft(host, colon - 1);
  }
  return TextLower(host);
}

std::string UrlPath(std::string_view url) {
  const std::string host = UrlHost(url);
  // Look for the host after the scheme: a host such as "h" or "tp" also
  // occurs inside "http://", and the path must not start there.
  const int scheme = TextFind(url, kScheme);
  const int afterScheme = scheme == -1 ? 1 : scheme + TextLength(kScheme);
  const int hostAt = host.empty() ? afterScheme : TextFind(url, host, afterScheme, true);
  const int slash = TextFind(url, "/", hostAt, true);
  if (slash == -1) return "/";
  return TextRight(url, TextLength(url) - slash + 1);
}

std::int32_t UrlPort(std::string_view url) {
  const std::string hostPort = UrlHost(url, true);
  const int colon = TextFind(hostPort, ":");
  if (colon == -1) return 80;
  const double number = std::trunc(TextToNumber(TextRight(hostPort, TextLength(hostPort) - colon)));
  // A number beyond the int32 range is no port; keep the conversion defined.
  if (number >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (number <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(number);
}

std::string TextBetween(std::string_view t, std::string_view startMarker, std::string_view endMarker) {
  if (endMarker.empty()) {
    const int p = TextFind(t, startMarker);
    if (p == -1) return {};
    return TextMiddle(t, p + TextLength(startMarker), TextLength(t));
  }
  if (startMarker.empty()) {
    const int q = TextFind(t, endMarker);
    if (q == -1) return {};
    return TextLeft(t, q - 1);
  }
  const int p = TextFind(t, startMarker);
  if (p == -1) return {};
  const std::string rest = TextMiddle(t, p + TextLength(startMarker), TextLength(t));
  const int q = TextFind(rest, endMarker);
  return TextMiddle(rest, 1, q - 1);
}
