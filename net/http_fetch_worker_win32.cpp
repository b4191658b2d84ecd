#include "net/http_fetch_worker.h"

#include <windows.h>
#include <wininet.h>

#include <exception>
#include <string>
#include <vector>

#include "net/internet_close.h"
#include "net/request_headers.h"
#include "net/text_ops.h"
#include "net/url_helpers.h"

namespace {

const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const DWORD kChunk = 2048;

struct OpenHandles {
  HINTERNET request = nullptr;
  HINTERNET connect = nullptr;
  HINTERNET open = nullptr;
};

void CloseAll(const OpenHandles& handles) {
  if (handles.request) CloseInternetHandle(handles.request);
  if (handles.connect) CloseInternetHandle(handles.connect);
  if (handles.open) CloseInternetHandle(handles.open);
}

HttpResultRecord RecordNaming(const OpenHandles& handles) {
  HttpResultRecord record;
  record.requestHandle = reinterpret_cast<std::uintptr_t>(handles.request);
  record.connectHandle = reinterpret_cast<std::uintptr_t>(handles.connect);
  record.openHandle = reinterpret_cast<std::uintptr_t>(handles.open);
  return record;
}

const char* NoneWhenBlank(const std::string& text) { return TextIsBlank(text) ? nullptr : text.c_str(); }

// The raw response headers, status line first, CR LF separated; asks again
// with the size WinINet reports when they do not fit the first buffer. Empty
// when there is no response to ask about.
std::string QueryRawHeaders(HINTERNET request) {
  std::vector<char> buffer(kChunk, ' ');
  DWORD length = kChunk;
  if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length == 0) return {};
    buffer.assign(static_cast<std::size_t>(length) + 2, '\0');
    length = static_cast<DWORD>(buffer.size());
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) return {};
  }
  return BytesToText(std::string_view(buffer.data(), buffer.size()));
}

// Sends the request and reads the body. The caller may take the exchange
// back at any moment; the worker then stops before its next network call.
// Returns false when it was taken back.
bool Exchange(HttpExchange& exchange, const HttpRequestRecord& request, HINTERNET handle,
              HttpVerb verb, std::string headers, std::string& body) {
  if (verb == HttpVerb::Post) AddBodyHeaders(headers, request.body);
  const bool sendsBody = verb == HttpVerb::Post && !request.body.empty();
  if (!ExchangeStillWorkers(exchange)) return false;
  // The result is not looked at: a failed send gives an empty body.
  HttpSendRequestA(handle, headers.c_str(), static_cast<DWORD>(headers.size()),
                   sendsBody ? const_cast<char*>(request.body.data()) : nullptr,
                   sendsBody ? static_cast<DWORD>(request.body.size()) : 0);

  char chunk[kChunk];
  for (;;) {
    if (!ExchangeStillWorkers(exchange)) return false;
    DWORD read = 0;
    InternetReadFile(handle, chunk, kChunk, &read);
    if (read == 0) return true;
    body.append(chunk, read);
  }
}

// Everything after the handles are open. handedOver tells whether a record
// naming the handles stood in the file at some point, making them the caller's.
void SendAndRecord(HttpExchange& exchange, const HttpRequestRecord& request, const std::string& host,
                   const OpenHandles& handles, bool& handedOver) {
  const std::string headers = WithDefaultHeaders(request.extraHeaders, request.url);
  const std::string cookieLine = CookieHeaderLine(request.sendCookies);
  if (!cookieLine.empty())
    HttpAddRequestHeadersA(handles.request, cookieLine.c_str(), static_cast<DWORD>(cookieLine.size()), 0);

  HttpResultRecord record = RecordNaming(handles);
  const ResultWrite provisional = ReplaceExchangeResult(exchange, record);
  handedOver = provisional == ResultWrite::Written;
  if (provisional == ResultWrite::TakenBack) return;

  const HttpVerb verb = ClassifyVerb(request.method);
  if (verb == HttpVerb::Other) return;

  std::string body;
  if (!Exchange(exchange, request, handles.request, verb, headers, body)) return;

  std::string rawHeaders, cookies;
  if (request.wantHeaders || request.wantCookies || request.storeCookies) {
    if (!UseWhileWorkers(exchange, [&] { rawHeaders = QueryRawHeaders(handles.request); })) return;
    if (request.wantCookies) cookies = CollectReceivedCookies(rawHeaders);
    if (request.storeCookies && ExchangeStillWorkers(exchange)) {
      const std::string cookieUrl = "http://" + host;
      for (const ReceivedCookie& cookie : CookiesToStore(rawHeaders))
        InternetSetCookieA(cookieUrl.c_str(), cookie.name.c_str(), cookie.data.c_str());
    }
    if (!request.wantHeaders) rawHeaders.clear();
  }

  record.completed = true;
  record.headers = std::move(rawHeaders);
  record.cookies = std::move(cookies);
  record.body = std::move(body);
  const ResultWrite final = ReplaceExchangeResult(exchange, record);
  if (final == ResultWrite::Written) handedOver = true;
  // A failed write leaves the file empty, naming no handle: they are the
  // worker's again.
  if (final == ResultWrite::Failed) handedOver = false;
}

}  // namespace

void HttpFetchWorker(HttpExchange& exchange) {
  const HttpRequestRecord request = ReadExchangeRequest(exchange);
  const std::string host = UrlHost(request.url);
  const std::string path = UrlPath(request.url);
  const std::int32_t port = UrlPort(request.url);

  OpenHandles handles;
  const bool viaProxy = !TextIsBlank(request.proxy);
  const std::string proxyList = "http=" + request.proxy;
  handles.open = InternetOpenA(kAgent, viaProxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT,
                               viaProxy ? proxyList.c_str() : nullptr, nullptr, 0);
  if (!handles.open) return;

  // A port that does not fit 16 bits would silently become another port.
  if (port >= 0 && port <= 0xFFFF) {
    handles.connect = InternetConnectA(handles.open, host.c_str(), static_cast<INTERNET_PORT>(port),
                                       NoneWhenBlank(request.userName), NoneWhenBlank(request.password),
                                       INTERNET_SERVICE_HTTP, 0, 0);
  }
  if (!handles.connect) {
    CloseAll(handles);
    return;
  }

  handles.request = HttpOpenRequestA(handles.connect, request.method.empty() ? nullptr : request.method.c_str(),
                                     path.c_str(), "HTTP/1.1", nullptr, nullptr,
                                     RequestFlags(request.sendCookies, request.storeCookies), 0);
  if (!handles.request) {
    CloseAll(handles);
    return;
  }

  // The handles are closed here exactly when the caller never saw a record
  // naming them, or the last such record was replaced by an empty file.
  bool handedOver = false;
  try {
    SendAndRecord(exchange, request, host, handles, handedOver);
  } catch (const std::exception&) {
    // Out of memory: the caller finds at most the provisional record.
  }
  if (!handedOver) CloseAll(handles);
}
