#include "net/fetch_thread.h"

#include <windows.h>

#include <atomic>

namespace {
std::atomic<FetchThreadStarter> threadStarter{nullptr};
}

void* StartFetchThread(FetchThreadEntry entry, void* parameter) {
  if (FetchThreadStarter starter = threadStarter.load()) return starter(entry, parameter);
  return CreateThread(nullptr, 0, entry, parameter, 0, nullptr);
}

void SetFetchThreadStarter(FetchThreadStarter starter) { threadStarter.store(starter); }
