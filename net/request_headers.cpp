#include "net/request_headers.h"

#include "net/text_ops.h"
#include "net/url_helpers.h"

namespace {

const char kDefaultAccept[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

bool Names(std::string_view headers, std::string_view nameColonSpace) {
  return TextFind(headers, nameColonSpace, 1, true) != -1;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

std::uint32_t RequestFlags(std::string_view sendCookies, bool storeCookies) {
  if (!TextIsBlank(sendCookies) && !storeCookies) return kFlagReload | kFlagNoCookies;
  return kFlagReload;
}

std::string WithDefaultHeaders(std::string_view extraHeaders, std::string_view url) {
  std::string headers(extraHeaders);
  if (!Names(headers, "Accept: ")) headers += kDefaultAccept;
  if (!Names(headers, "Referer: ")) {
    headers += "Referer: ";
    headers += url;
    headers += "\r\n";
  }
  if (!Names(headers, "Accept-Language: ")) headers += "Accept-Language: zh-cn\r\n";
  return headers;
}

std::string CookieHeaderLine(std::string_view sendCookies) {
  if (TextIsBlank(sendCookies)) return {};
  std::string line = "Cookie: ";
  line += sendCookies;
  line += "\r\n";
  return line;
}

HttpVerb ClassifyVerb(std::string_view method) {
  const std::string upper = UpperAscii(method);
  if (upper.empty() || upper == "GET") return HttpVerb::Get;
  if (upper == "POST") return HttpVerb::Post;
  return HttpVerb::Other;
}

void AddBodyHeaders(std::string& headers, std::string_view body) {
  if (body.empty()) return;
  if (!Names(headers, "Content-Type: ")) headers += "Content-Type: application/x-www-form-urlencoded\r\n";
  headers += "Content-Length: " + std::to_string(body.size()) + "\r\n";
}

std::string CollectReceivedCookies(std::string_view rawHeaders) {
  std::string cookies;
  if (TextFind(rawHeaders, "Set-Cookie:") == -1) return cookies;
  for (const std::string& line : TextSplit(rawHeaders, "\r\n")) {
    if (TextFind(line, "Set-Cookie") == -1) continue;
    if (TextBetween(line, "=", ";").empty()) continue;
    const std::string nameValue = TextTrim(TextBetween(line, "Set-Cookie:", ";"));
    // A line such as "Set-Cookie2: a=b;" names no cookie here; adding its
    // empty part would leave a dangling "; " in the text.
    if (nameValue.empty()) continue;
    if (!cookies.empty()) cookies += "; ";
    cookies += nameValue;
  }
  return cookies;
}

std::vector<ReceivedCookie> CookiesToStore(std::string_view rawHeaders) {
  std::vector<ReceivedCookie> found;
  if (TextFind(rawHeaders, "Set-Cookie:") == -1) return found;
  for (const std::string& line : TextSplit(rawHeaders, "\r\n")) {
    if (TextFind(line, "Set-Cookie") == -1) continue;
    // Past "Set-Cookie: " (the name, its colon and one space).
    const std::string rest = TextMiddle(line, 13, TextLength(line));
    const int equals = TextFind(rest, "=");
    found.push_back({TextLeft(rest, equals - 1), TextRight(rest, TextLength(rest) - equals)});
  }
  return found;
}
