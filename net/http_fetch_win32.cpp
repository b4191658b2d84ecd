#include "net/http_fetch.h"

#include <windows.h>

#include <exception>
#include <memory>

#include "net/exchange_file.h"
#include "net/fetch_thread.h"
#include "net/http_fetch_worker.h"
#include "net/internet_close.h"

namespace {

const int kDefaultTimeoutSeconds = 90;
// The longest wait that still fits a DWORD of milliseconds below INFINITE.
const int kLongestTimeoutSeconds = 0x7FFFFFFF / 1000;

DWORD WINAPI HttpFetchThreadEntry(LPVOID parameter) {
  // The worker owns one share of the exchange; the caller may be gone already.
  const std::unique_ptr<SharedExchange> exchange(static_cast<SharedExchange*>(parameter));
  try {
    HttpFetchWorker(**exchange);
  } catch (const std::exception&) {
    // Out of memory before any handle was opened: nothing to hand back.
  }
  return 0;
}

// Fetches, translates and dispatches what waits in this thread's queue, up to
// a WM_QUIT, which stays queued for the thread's own message loop.
void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) break;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Waits until the worker ends or the time runs out; true when it ended. With
// pumpMessages, window events of the calling thread are dispatched meanwhile.
// The whole wait never exceeds the time-out, however many events arrive.
bool WaitForWorker(HANDLE thread, DWORD milliseconds, bool pumpMessages) {
  if (!pumpMessages) return WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_ALLEVENTS);
    DispatchPendingMessages();
    if (woken == WAIT_OBJECT_0) return true;
    // Time-out, a failed wait, or events still arriving once the time is up.
    if (woken != WAIT_OBJECT_0 + 1 || left == 0) return false;
  }
}

void CloseNamedHandle(std::uintptr_t handle) {
  if (handle != 0) CloseInternetHandle(reinterpret_cast<void*>(handle));
}

}  // namespace

std::string HttpFetch(const std::string& url, const std::string& method, const std::string& body,
                      const std::string& sendCookies, std::string* receivedCookies, const std::string& proxy,
                      int timeoutSeconds, bool pumpMessages, const std::string& extraHeaders,
                      const std::string& userName, const std::string& password, std::string* receivedHeaders,
                      bool storeCookies) {
  HttpRequestRecord request;
  request.url = url;
  request.method = method;
  request.body = body;
  request.sendCookies = sendCookies;
  request.wantCookies = receivedCookies != nullptr;
  request.proxy = proxy;
  request.extraHeaders = extraHeaders;
  request.userName = userName;
  request.password = password;
  request.wantHeaders = receivedHeaders != nullptr;
  request.storeCookies = storeCookies;

  SharedExchange exchange;
  try {
    exchange = CreateExchange(request);
  } catch (const std::exception&) {
    return {};
  }

  const int seconds = timeoutSeconds <= 0                    ? kDefaultTimeoutSeconds
                      : timeoutSeconds > kLongestTimeoutSeconds ? kLongestTimeoutSeconds
                                                                : timeoutSeconds;
  const DWORD milliseconds = static_cast<DWORD>(seconds) * 1000;

  SharedExchange* workerShare = new (std::nothrow) SharedExchange(exchange);
  if (!workerShare) return {};
  HANDLE thread = StartFetchThread(HttpFetchThreadEntry, workerShare);
  if (!thread) {
    // Nothing was sent and nothing will answer: fail at once, pumping or not.
    delete workerShare;
    return {};
  }

  const bool workerEnded = WaitForWorker(thread, milliseconds, pumpMessages);
  // A worker still running is not stopped by force: it may hold locks of the
  // allocator or of WinINet. Closing the handles below ends its network call,
  // and after the hand-back it touches neither the exchange nor the handles.
  CloseHandle(thread);

  TakenExchange taken;
  try {
    taken = TakeExchangeBack(*exchange);
  } catch (const std::exception&) {
    return {};  // out of memory while decoding the record
  }
  if (!taken.holdsResult) return {};  // the worker never got as far as a record of its own

  CloseNamedHandle(taken.result.requestHandle);
  CloseNamedHandle(taken.result.connectHandle);
  CloseNamedHandle(taken.result.openHandle);

  if (!taken.result.completed || !workerEnded) return {};
  if (receivedHeaders) *receivedHeaders = taken.result.headers;
  if (receivedCookies) *receivedCookies = taken.result.cookies;
  return taken.result.body;
}
