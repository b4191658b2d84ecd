#include "net/internet_close.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>

namespace {
std::atomic<InternetCloseObserver> closeObserver{nullptr};
}

void CloseInternetHandle(void* handle) {
  const bool closed = InternetCloseHandle(static_cast<HINTERNET>(handle)) != FALSE;
  if (InternetCloseObserver observer = closeObserver.load()) observer(handle, closed);
}

void SetInternetCloseObserver(InternetCloseObserver observer) { closeObserver.store(observer); }
